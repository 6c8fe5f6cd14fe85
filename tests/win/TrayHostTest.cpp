// The tray host against a stand-in for Explorer's taskbar window, all in this
// thread: where the host stands, what reaches Explorer and what comes back.
// What a program sees of the host is for the end-to-end tests.

#include "app/EventHub.h"
#include "base/Win32Handles.h"
#include "support/TrayRecords.h"
#include "support/WinTestSupport.h"
#include "tray/AppBarRecord.h"
#include "tray/TrayHost.h"
#include "tray/TrayProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

namespace corvane {
namespace {

constexpr LRESULT kExplorerReply = 0x5A5A;

struct Seen {
    UINT message = 0;
    WPARAM wParam = 0;
    std::vector<uint8_t> payload;  // WM_COPYDATA only
};

// Every message Explorer would act on is noted and answered.
LRESULT CALLBACK Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        ::SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* seen = reinterpret_cast<std::vector<Seen>*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (seen == nullptr || (message < WM_USER && message != WM_COPYDATA && message != WM_COMMAND)) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    Seen s{message, wParam, {}};
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto* bytes = static_cast<const uint8_t*>(data->lpData);
        s.payload.assign(bytes, bytes + data->cbData);
    }
    seen->push_back(std::move(s));
    return kExplorerReply;
}

// Explorer's stand-in bears the host's class name; its class belongs to
// another module, as Explorer's belongs to another process.
class StandInExplorer {
public:
    StandInExplorer() {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &Record;
        wc.hInstance = ::GetModuleHandleW(L"kernel32.dll");
        wc.lpszClassName = L"Shell_TrayWnd";
        ::RegisterClassExW(&wc);
        hwnd_.Reset(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"",
                                      WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance,
                                      &seen_));
    }

    [[nodiscard]] HWND Hwnd() const { return hwnd_.Get(); }
    [[nodiscard]] std::size_t Count(UINT message) const {
        return static_cast<std::size_t>(std::count_if(
            seen_.begin(), seen_.end(), [message](const Seen& s) { return s.message == message; }));
    }
    std::vector<Seen> seen_;

private:
    UniqueWindow hwnd_;
};

struct CountChanges final : TrayHostEvents, DesktopFacts {
    void TrayIconsChanged() override {
        ++changes;
        if (then) {
            then();
        }
    }
    [[nodiscard]] bool TaskbarHiddenByDock() const override { return false; }
    [[nodiscard]] std::optional<int32_t> DockTop(HMONITOR) const override { return {}; }
    [[nodiscard]] HWND CommandWindow() const override { return nullptr; }
    int changes = 0;
    std::function<void()> then;
};

uint32_t To32(const void* handle) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

uint32_t Get(const std::vector<uint8_t>& record, std::size_t offset) {
    uint32_t value = 0;
    if (record.size() >= offset + sizeof(value)) {
        std::memcpy(&value, record.data() + offset, sizeof(value));
    }
    return value;
}

class TrayHostTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner_);
        ASSERT_EQ(::FindWindowW(L"Shell_TrayWnd", nullptr), explorer_.Hwnd());
        ASSERT_TRUE(host_.Start());
        test::PumpMessages();
        explorer_.seen_.clear();
    }

    // A notification as a program sends it: the Windows record, 964 bytes.
    LRESULT Notify(TrayCommand command, uint32_t flags, uint32_t icon = 0) {
        std::vector<uint8_t> record = test::Note(static_cast<uint32_t>(command), To32(owner_.Get()),
                                                 kId, flags, WM_APP + 7, icon, u"Tip");
        return Send(kTrayDataNotify, record);
    }

    LRESULT Send(ULONG_PTR kind, std::vector<uint8_t>& record) {
        COPYDATASTRUCT data = {kind, static_cast<DWORD>(record.size()), record.data()};
        return ::SendMessageW(host_.HostWindow(), WM_COPYDATA,
                              reinterpret_cast<WPARAM>(owner_.Get()),
                              reinterpret_cast<LPARAM>(&data));
    }

    static constexpr uint32_t kId = 7;
    HINSTANCE instance_ = ::GetModuleHandleW(nullptr);
    Settings settings_;
    UINT taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    CountChanges events_;
    StandInExplorer explorer_;
    // The program whose icons these are.
    UniqueWindow owner_{::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          instance_, nullptr)};
    EventHub systemEvents_;
    TrayHost host_{{instance_, settings_, taskbarCreated_, events_, events_, systemEvents_}};
};

TEST_F(TrayHostTest, StandsInFrontUnseenAndGivesTheIconsBackWhenItStops) {
    const HWND host = host_.HostWindow();
    EXPECT_EQ(::FindWindowW(L"Shell_TrayWnd", nullptr), host);
    EXPECT_NE(::FindWindowExW(host, nullptr, L"TrayNotifyWnd", nullptr), nullptr);
    // Programs that hid the taskbar show again the taskbar window they find first.
    ::ShowWindow(host, SW_SHOW);
    EXPECT_EQ(::GetWindowLongPtrW(host, GWL_STYLE) & WS_VISIBLE, 0);

    ASSERT_EQ(Notify(TrayCommand::Add, trayflags::kMessage | trayflags::kTip), 1);
    ASSERT_EQ(host_.Icons().size(), 1u);

    explorer_.seen_.clear();
    host_.Stop();
    test::PumpMessages();
    EXPECT_FALSE(::IsWindow(host));
    EXPECT_TRUE(host_.Icons().empty());
    EXPECT_EQ(explorer_.Count(taskbarCreated_), 1u);
}

TEST_F(TrayHostTest, WhatTheHostDoesNotHandleIsExplorersToAnswer) {
    struct Case {
        const char* what;
        UINT message;
        bool posted;
    };
    const Case cases[] = {
        {"delete of an icon the host does not hold", WM_COPYDATA, false},
        {"Explorer's posted message", WM_USER + 0x174, true},
        {"any other message from WM_USER up", WM_USER + 1, false},
        {"a command", WM_COMMAND, false},
    };
    std::vector<uint8_t> unknownDelete =
        test::Note(static_cast<uint32_t>(TrayCommand::Delete), 0x1234, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        explorer_.seen_.clear();
        const LRESULT reply = c.message == WM_COPYDATA
                                  ? Send(kTrayDataNotify, unknownDelete)
                                  : ::SendMessageW(host_.HostWindow(), c.message, 3, 4);
        if (c.posted) {
            MSG msg = {};
            EXPECT_NE(reply, kExplorerReply);
            ASSERT_TRUE(::PeekMessageW(&msg, explorer_.Hwnd(), c.message, c.message, PM_REMOVE));
            EXPECT_EQ(msg.wParam, 3u);
            EXPECT_EQ(msg.lParam, 4);
            continue;
        }
        EXPECT_EQ(reply, kExplorerReply);
        ASSERT_EQ(explorer_.Count(c.message), 1u);
        EXPECT_EQ(explorer_.seen_.back().payload,
                  c.message == WM_COPYDATA ? unknownDelete : std::vector<uint8_t>{});
    }
    EXPECT_TRUE(host_.Icons().empty());
}

// The host keeps a copy of its own of the program's icon; a handle that is no
// icon is refused, never trusted.
TEST_F(TrayHostTest, AnAddIsKeptWithItsOwnIconCopyAndStaysOffExplorerUnlessMirrored) {
    const HICON shared = ::LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_NE(shared, nullptr);
    struct Case {
        bool mirror;
        uint32_t icon;
        uint32_t commandAtExplorer;
        bool fromHost;  // Explorer hears it from the host, not from the program
    };
    for (const Case c : {Case{false, To32(shared), 2, true}, Case{true, 0x00ABCDE0, 0, false}}) {
        SCOPED_TRACE(c.mirror ? "mirrored" : "not mirrored");
        settings_.mirrorToExplorer = c.mirror;
        explorer_.seen_.clear();
        events_.changes = 0;
        EXPECT_EQ(Notify(TrayCommand::Add, trayflags::kMessage | trayflags::kIcon, c.icon), 1);
        EXPECT_EQ(events_.changes, 1);
        ASSERT_EQ(host_.Icons().size(), 1u);
        EXPECT_EQ(host_.Icons()[0].exeName, L"corvane_win_tests.exe");
        const auto copy = reinterpret_cast<HICON>(static_cast<uintptr_t>(host_.Icons()[0].icon));
        ICONINFO info = {};
        EXPECT_EQ(copy != nullptr && copy != shared && ::GetIconInfo(copy, &info),
                  c.icon == To32(shared));
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);

        ASSERT_EQ(explorer_.Count(WM_COPYDATA), 1u);
        const Seen& seen = explorer_.seen_.back();
        EXPECT_EQ(Get(seen.payload, 4), c.commandAtExplorer);
        EXPECT_EQ(Get(seen.payload, 16), kId);
        EXPECT_EQ(seen.wParam,
                  reinterpret_cast<WPARAM>(c.fromHost ? host_.HostWindow() : owner_.Get()));
        ASSERT_EQ(Notify(TrayCommand::Delete, 0), 1);
    }
}

TEST_F(TrayHostTest, AHostStoppedWhileItAnswersAProgramTellsExplorerNothingMore) {
    events_.then = [this] { host_.Stop(); };
    EXPECT_EQ(Notify(TrayCommand::Add, trayflags::kMessage), 1);
    EXPECT_TRUE(host_.Icons().empty());
}

// The program's block was made for the host's process; Explorer, a process
// of its own, opens only one made for it, and its answer reaches the program.
TEST_F(TrayHostTest, AnAnswerInASharedBlockGoesThroughExplorerAndBack) {
    test::ChildProcess explorer;
    ASSERT_TRUE(explorer.Start(test::BuiltFile(L"test_helper.exe"), L"taskbar"));
    ASSERT_NE(explorer.WaitForWindow(L"Shell_TrayWnd"), nullptr);
    host_.Stop();
    ASSERT_TRUE(host_.Start());  // in front of both taskbars, the newer one its Explorer
    const DWORD self = ::GetCurrentProcessId();
    std::vector<uint8_t> record = test::AppBar(appbar::kSetPos, 0, self);
    const HANDLE block = ::SHAllocShared(record.data(), kAppBarDataBytes, self);
    test::PutU32(record, 44, To32(block));
    EXPECT_EQ(Send(kTrayDataAppBar, record), test::kHelperAppBarReply);
    const auto* answer = static_cast<const uint8_t*>(::SHLockShared(block, self));
    ASSERT_NE(answer, nullptr);
    std::reverse(record.begin() + 16, record.begin() + 32);
    EXPECT_TRUE(std::equal(answer, answer + kAppBarDataBytes, record.begin()));
    ::SHUnlockShared(const_cast<uint8_t*>(answer));
    ::SHFreeShared(block, self);
}

}  // namespace
}  // namespace corvane
