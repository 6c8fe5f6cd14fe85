#pragma once
// "TaskbarCreated" comes from Explorer when its taskbar stands up, and from
// this process when its tray host comes or goes (programs then announce their
// icons again). Only Explorer's means that the system forgot every appbar and
// that new taskbar windows stand. A broadcast sent from the GUI thread reaches
// that thread's own windows inside the send, so the send is marked while it
// lasts: whatever arrives outside it is Explorer's, however soon it follows
// our own. Portable.

namespace corvane {

// Held around every "TaskbarCreated" this thread sends; nests.
class OwnTaskbarCreatedScope {
public:
    OwnTaskbarCreatedScope() noexcept;
    ~OwnTaskbarCreatedScope();
    OwnTaskbarCreatedScope(const OwnTaskbarCreatedScope&) = delete;
    OwnTaskbarCreatedScope& operator=(const OwnTaskbarCreatedScope&) = delete;
};

// Whether a "TaskbarCreated" arriving now is this thread's own broadcast;
// any other is Explorer's.
[[nodiscard]] bool IsOwnTaskbarCreated() noexcept;

}  // namespace corvane
