#include "start/WinKeyHook.h"

#include "base/Commands.h"
#include "start/WinKeyTap.h"
#include "toolkit/SendKeyStrokes.h"

namespace corvane {
namespace {

// What the hook procedure works with. A low-level hook is called on the
// thread that installed it, so the thread's own state is all it needs.
struct HookState {
    WinKeyTap tap;
    HWND commandWindow = nullptr;
    const std::atomic<bool>* active = nullptr;
};
thread_local HookState* t_hookState = nullptr;

// Makes `state` the hook's for as long as the thread runs its loop.
class ScopedHookState {
public:
    explicit ScopedHookState(HookState& state) noexcept { t_hookState = &state; }
    ~ScopedHookState() { t_hookState = nullptr; }
    ScopedHookState(const ScopedHookState&) = delete;
    ScopedHookState& operator=(const ScopedHookState&) = delete;
};

// The mask key between the Windows key's press and its release keeps Windows
// from taking the release for a tap and opening its own Start.
bool TypeMaskedRelease(uint32_t winKey) noexcept {
    return SendKeyStrokes({{static_cast<uint16_t>(kVkMaskKey), 0},
                           {static_cast<uint16_t>(kVkMaskKey), kStrokeKeyUp},
                           {static_cast<uint16_t>(winKey), kStrokeExtended | kStrokeKeyUp}});
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    HookState* state = t_hookState;
    if (code == HC_ACTION && state != nullptr) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const KeyEvent key{.vk = info->vkCode,
                           .down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN,
                           .injected = (info->flags & LLKHF_INJECTED) != 0};
        if (state->tap.OnKey(key, state->active->load(std::memory_order_relaxed)) ==
                WinKeyTap::Decision::OpenSurface &&
            TypeMaskedRelease(key.vk)) {
            ::PostMessageW(state->commandWindow, WM_APP_COMMAND, CMD_TOGGLE_START_MENU, 0);
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The hook can fail to go in (a desktop not ready yet, say): it is tried
// this many times, this far apart, before the thread gives up until the
// next settings apply starts it again.
constexpr int kInstallTries = 12;
constexpr DWORD kInstallRetryMs = 5000;

// Waits `ms` while handling the thread's messages; false when a quit came
// in the meantime.
bool PauseUnlessQuit(DWORD ms) noexcept {
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return false;
            }
            ::DispatchMessageW(&msg);
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) {
            return true;
        }
        (void)::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now),
                                          QS_ALLINPUT);
    }
}

}  // namespace

WinKeyHook::~WinKeyHook() {
    Stop();
}

DWORD WINAPI WinKeyHook::ThreadMain(void* self) noexcept {
    const auto& hook = *static_cast<const WinKeyHook*>(self);
    HookState state;
    state.commandWindow = hook.commandWindow_;
    state.active = &hook.active_;
    const ScopedHookState scope(state);
    MSG msg;
    // The queue exists from here on, so a stop can reach the pauses.
    (void)::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    UniqueWindowsHook keyboard;
    for (int tries = 1; !keyboard; ++tries) {
        keyboard.Reset(
            ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardProc, ::GetModuleHandleW(nullptr), 0));
        if (!keyboard && (tries >= kInstallTries || !PauseUnlessQuit(kInstallRetryMs))) {
            return 1;
        }
    }
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    return 0;
}

bool WinKeyHook::IsRunning() const noexcept {
    return thread_ && ::WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT;
}

void WinKeyHook::Start(HWND commandWindow) noexcept {
    if (IsRunning()) {
        return;
    }
    // A thread that gave up on its hook has ended: a new one tries afresh.
    thread_.Reset();
    commandWindow_ = commandWindow;
    thread_.Reset(::CreateThread(nullptr, 0, &ThreadMain, this, 0, &threadId_));
}

void WinKeyHook::SetActive(bool active) noexcept {
    active_.store(active, std::memory_order_relaxed);
}

void WinKeyHook::Stop() noexcept {
    active_.store(false, std::memory_order_relaxed);
    if (!IsRunning()) {
        return;
    }
    // The thread has no queue until its first message call; until then the
    // quit cannot be posted, so it is tried again while there is time.
    constexpr DWORD kStopWaitMs = 1000;
    constexpr DWORD kRetryMs = 10;
    const ULONGLONG end = ::GetTickCount64() + kStopWaitMs;
    bool posted = false;
    for (;;) {
        posted = posted || ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0) != FALSE;
        const ULONGLONG now = ::GetTickCount64();
        const DWORD wait = posted ? static_cast<DWORD>(end > now ? end - now : 0) : kRetryMs;
        if (::WaitForSingleObject(thread_.Get(), wait) != WAIT_TIMEOUT || now >= end) {
            break;
        }
    }
    thread_.Reset();
    threadId_ = 0;
}

}  // namespace corvane
