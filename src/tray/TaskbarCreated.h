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

// What the process does about a "TaskbarCreated" arriving now.
struct TaskbarCreatedResponse {
    bool barsRegisterAgain = false;  // every bar reserves its strip anew
    bool docksRedo = false;          // bands and taskbar hiding, once Explorer settled
    bool gardenRedo = false;         // the beds find Explorer's desktop again
    bool trayAsksAgain = false;      // programs are asked for their icons once more
};

// Nothing for our own broadcast; everything for Explorer's, the tray host's
// part while it runs.
[[nodiscard]] TaskbarCreatedResponse RespondToTaskbarCreated(bool trayHostRunning) noexcept;

}  // namespace corvane
