// Hot corners in the real corvane.exe: the pointer is put into the main
// display's top-left corner from here, and what the program types is seen
// by a low-level keyboard hook of this process. The dwell, the polling
// period and that a paused visit is spent are the unit tests' business.

#include "base/Commands.h"
#include "e2e/E2ESupport.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace corvane {
namespace {

using test::WaitUntil;

constexpr char kWinTab[] = "5B+ 09+ 09- 5B- ";

// Keys as they reach the system, on a thread of this process whose message
// loop runs the hook: "5B+ " for a press of the left Windows key, "5B- " for
// its release.
class KeyWatch {
public:
    KeyWatch() {
        std::unique_lock lock(mutex_);
        thread_ = std::thread([this] { Run(); });
        ready_.wait(lock, [this] { return threadId_ != 0; });
    }
    ~KeyWatch() {
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    KeyWatch(const KeyWatch&) = delete;
    KeyWatch& operator=(const KeyWatch&) = delete;

    [[nodiscard]] bool Hooked() const { return hooked_; }
    // What was typed since the last call.
    std::string Take() {
        const std::lock_guard lock(mutex_);
        return std::exchange(keys_, {});
    }

private:
    void Run() {
        const HHOOK hook =
            ::SetWindowsHookExW(WH_KEYBOARD_LL, &Hook, ::GetModuleHandleW(nullptr), 0);
        MSG msg = {};
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue, for WM_QUIT
        {
            const std::lock_guard lock(mutex_);
            watch_ = this;
            hooked_ = hook != nullptr;
            threadId_ = ::GetCurrentThreadId();
        }
        ready_.notify_all();
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::DispatchMessageW(&msg);
        }
        if (hook != nullptr) {
            ::UnhookWindowsHookEx(hook);
        }
        watch_ = nullptr;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && watch_ != nullptr) {
            const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
            char text[8] = {};
            std::snprintf(text, sizeof(text), "%02lX%c ", key->vkCode,
                          (key->flags & LLKHF_UP) != 0 ? '-' : '+');
            const std::lock_guard lock(watch_->mutex_);
            watch_->keys_ += text;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline KeyWatch* watch_ = nullptr;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::thread thread_;
    DWORD threadId_ = 0;
    bool hooked_ = false;
    std::string keys_;
};

class HotCornerE2E : public test::CorvaneTest {
protected:
    void TearDown() override {
        test::CorvaneTest::TearDown();
        // Whatever went wrong, no Windows key stays down for the tests after.
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = VK_LWIN;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(1, &up, sizeof(up));
    }

    HWND Start(const wchar_t* topLeft) {
        (void)PointerTo(test::ScreenCentre());
        return StartCorvane(test::IniText() + L"[HotCorners]\r\nEnabled=1\r\nTopLeft=" + topLeft +
                            L"\r\n");
    }
    // Puts the pointer at a point and sees it stay there: once the last move
    // is 100 ms old Wine reads the pointer back from the X server, which
    // refuses to move it while another program holds it. The main display's
    // corner is (0, 0).
    static bool PointerTo(POINT p) {
        return WaitUntil(
            [&] {
                POINT now = {};
                ::SetCursorPos(p.x, p.y);
                ::Sleep(150);
                return ::GetCursorPos(&now) && now.x == p.x && now.y == p.y;
            },
            5000);
    }
    // Into the corner from far away, and what that typed.
    std::string Visit(KeyWatch& keys) {
        EXPECT_TRUE(PointerTo(test::ScreenCentre()));
        ::Sleep(300);
        (void)keys.Take();
        EXPECT_TRUE(PointerTo({1, 1}));
        std::string typed;
        WaitUntil([&] { return (typed += keys.Take()).size() >= 16; }, 2000);
        ::Sleep(400);  // anything more than once
        return typed + keys.Take();
    }
};

TEST_F(HotCornerE2E, TheCornerTypesWinTabOncePerVisitAndNotOverAFullScreenApp) {
    const HWND bar = Start(L"1");
    ASSERT_NE(bar, nullptr);
    KeyWatch keys;
    ASSERT_TRUE(keys.Hooked());
    EXPECT_EQ(Visit(keys), kWinTab);
    EXPECT_EQ(Visit(keys), kWinTab) << "leaving and coming back";

    // Near the corner the pointer is polled every 25 ms, so a pass through
    // it is seen; well under the dwell it does not fire. Only a pass that
    // stayed short can tell.
    ASSERT_TRUE(PointerTo({100, 100}));
    ::Sleep(300);
    (void)keys.Take();
    LARGE_INTEGER frequency = {};
    LARGE_INTEGER entered = {};
    LARGE_INTEGER left = {};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&entered);
    const bool passed = ::SetCursorPos(1, 1) && (::Sleep(35), ::SetCursorPos(100, 100));
    ::QueryPerformanceCounter(&left);
    const LONGLONG stayedMs = (left.QuadPart - entered.QuadPart) * 1000 / frequency.QuadPart;
    ::Sleep(300);
    if (passed && stayedMs < 50) {
        EXPECT_EQ(keys.Take(), "") << "a pass of " << stayedMs << " ms fired";
    }

    // Last: for a while after a full-screen window closed Wine will not move
    // the pointer.
    test::HelperApp fullscreen;
    ASSERT_TRUE(fullscreen.Start(folder_.Path(), L"player.exe", L"fullscreen"));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(bar); }, 5000));
    EXPECT_EQ(Visit(keys), "") << "fired over a full-screen application";
}

TEST_F(HotCornerE2E, TheLauncherCornerOpensTheLauncher) {
    ASSERT_NE(Start(L"0"), nullptr);
    // Made anew by a reload: the corner's action is read again.
    ::WritePrivateProfileStringW(L"HotCorners", L"TopLeft", L"6", IniPath().c_str());
    DWORD_PTR result = 1;
    ASSERT_TRUE(::SendMessageTimeoutW(control_, WM_APP_COMMAND, CMD_RELOAD_SETTINGS, 0,
                                      SMTO_ABORTIFHUNG, 10000, &result));
    ASSERT_TRUE(PointerTo({1, 1}));
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (HWND w : test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneLauncher")) {
                if (::IsWindowVisible(w)) {
                    return true;
                }
            }
            return false;
        },
        5000))
        << "no launcher";
}

}  // namespace
}  // namespace corvane
