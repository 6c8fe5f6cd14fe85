#pragma once
// The one owner of the process's system event hooks: the WinEvent hooks, the
// shell hook window and its "SHELLHOOK" notices. Subscribers that ask for the
// same events share one hook, so the number of hooks does not grow with the
// number of docks or beds. The hooks are out-of-context: their callbacks come
// through the GUI thread's message loop, and only translate and hand on.

#include "base/Win32Handles.h"
#include "toolkit/SystemEvents.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane {

class EventHub final : public SystemEvents {
public:
    EventHub() noexcept;
    ~EventHub();
    EventHub(const EventHub&) = delete;
    EventHub& operator=(const EventHub&) = delete;

    // SystemEvents
    [[nodiscard]] EventSubscription Subscribe(const WinEventFilter& filter,
                                              WinEventSink& sink) override;
    [[nodiscard]] EventSubscription SubscribeFrontLocation(WinEventSink& sink) override;
    [[nodiscard]] EventSubscription SubscribeShell(ShellHookSink& sink) override;

    // The location hook moves to this window's process; nothing happens when
    // that process is already followed.
    void FollowForegroundProcess(HWND window) noexcept;
    // The top-level window the shell sends its notices to while anyone
    // listens; null lets go of it.
    void SetShellWindow(HWND window) noexcept;
    // True when `message` was a shell notice, which then went to every
    // shell subscriber.
    bool TakeShellMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // How many hooks the system holds for this process now.
    [[nodiscard]] std::size_t HookCount() const noexcept;

private:
    enum class Kind : uint8_t { Window, FrontLocation, Shell };
    struct Subscriber {
        uint32_t id = 0;
        Kind kind = Kind::Window;
        WinEventFilter filter{};
        WinEventSink* window = nullptr;  // null once unsubscribed mid-dispatch
        ShellHookSink* shell = nullptr;
    };
    struct Hook {
        WinEventFilter filter{};
        UniqueWinEventHook handle;
        int users = 0;
    };

    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time) noexcept;
    void Dispatch(HWINEVENTHOOK hook, const WinEvent& event) noexcept;
    EventSubscription Add(Subscriber subscriber);
    void Unsubscribe(uint32_t id) noexcept override;
    [[nodiscard]] bool Hooked(uint32_t id) const noexcept override;
    [[nodiscard]] std::size_t Count(Kind kind) const noexcept;
    void Release(const WinEventFilter& filter) noexcept;
    void UpdateFrontHook() noexcept;
    void UpdateShellRegistration() noexcept;
    // Drops what was unsubscribed while events were being handed on.
    void Compact() noexcept;

    std::vector<Subscriber> subscribers_;
    std::vector<Hook> hooks_;
    uint32_t nextId_ = 1;
    int dispatching_ = 0;
    DWORD frontProcess_ = 0;
    UniqueWinEventHook frontHook_;
    HWND shellWindow_ = nullptr;
    bool shellRegistered_ = false;
    UINT shellMessage_ = 0;
};

}  // namespace corvane
