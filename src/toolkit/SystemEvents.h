#pragma once
// What the system tells about other programs' windows, as subsystems hear it:
// the root's event hub owns every WinEvent hook and the shell hook window and
// fans each event out to the subscribers that asked for it. Everything here
// runs on the GUI thread; out-of-context events arrive through its message
// loop.

#include <windows.h>

#include <cstdint>
#include <utility>

namespace corvane {

// One WinEvent as its callback reported it.
struct WinEvent {
    DWORD event = 0;
    HWND window = nullptr;
    LONG object = 0;
    LONG child = 0;
};

class WinEventSink {
public:
    virtual void OnWinEvent(const WinEvent& event) noexcept = 0;

protected:
    ~WinEventSink() = default;
};

// An HSHELL_* notice from the shell hook, as the shell sent it.
class ShellHookSink {
public:
    virtual void OnShellHook(WPARAM code, LPARAM lParam) noexcept = 0;

protected:
    ~ShellHookSink() = default;
};

// Which events a subscriber takes: a range of event codes, from every
// process or from one, and whether this process's own events come too.
struct WinEventFilter {
    DWORD first = 0;
    DWORD last = 0;
    DWORD process = 0;  // 0: every process
    bool skipOwnProcess = false;
};

class SystemEvents;

// Held while the events are wanted; gone, none arrives any more. Move-only.
class EventSubscription {
public:
    EventSubscription() noexcept = default;
    EventSubscription(SystemEvents* hub, uint32_t id) noexcept : hub_(hub), id_(id) {}
    EventSubscription(EventSubscription&& other) noexcept
        : hub_(std::exchange(other.hub_, nullptr)), id_(std::exchange(other.id_, 0)) {}
    EventSubscription& operator=(EventSubscription&& other) noexcept {
        if (this != &other) {
            Reset();
            hub_ = std::exchange(other.hub_, nullptr);
            id_ = std::exchange(other.id_, 0);
        }
        return *this;
    }
    EventSubscription(const EventSubscription&) = delete;
    EventSubscription& operator=(const EventSubscription&) = delete;
    ~EventSubscription() { Reset(); }

    void Reset() noexcept;
    // The system took the hook behind it (it may refuse one).
    [[nodiscard]] bool Active() const noexcept;
    explicit operator bool() const noexcept { return Active(); }

private:
    SystemEvents* hub_ = nullptr;
    uint32_t id_ = 0;
};

// The hub as subsystems see it. Subscribers asking for the same filter share
// one hook.
class SystemEvents {
public:
    [[nodiscard]] virtual EventSubscription Subscribe(const WinEventFilter& filter,
                                                      WinEventSink& sink) = 0;
    // Location changes of the foreground process's windows (OBJID_WINDOW
    // only): one hook, moved whenever another process comes to the front.
    [[nodiscard]] virtual EventSubscription SubscribeFrontLocation(WinEventSink& sink) = 0;
    [[nodiscard]] virtual EventSubscription SubscribeShell(ShellHookSink& sink) = 0;

protected:
    ~SystemEvents() = default;

private:
    friend class EventSubscription;
    virtual void Unsubscribe(uint32_t id) noexcept = 0;
    [[nodiscard]] virtual bool Hooked(uint32_t id) const noexcept = 0;
};

inline void EventSubscription::Reset() noexcept {
    if (hub_ != nullptr) {
        std::exchange(hub_, nullptr)->Unsubscribe(std::exchange(id_, 0));
    }
}

inline bool EventSubscription::Active() const noexcept {
    return hub_ != nullptr && hub_->Hooked(id_);
}

}  // namespace corvane
