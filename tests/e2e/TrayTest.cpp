// Other programs' notification-area icons in the real bar, as the programs
// see them: their records sent to the taskbar window they find first, the
// host's answers, the callbacks of clicks, and what dragging writes to
// corvane.ini. The programs are clients of our own that speak the 32-bit
// record layout; their icons are loaded inside Corvane's process, because
// under Wine icon handles do not cross processes.

#include "base/Commands.h"
#include "tray/TraySchedule.h"
#include "e2e/E2ESupport.h"
#include "support/TrayClient.h"

#include <algorithm>
#include <cwctype>
#include <utility>

namespace corvane {
namespace {

using test::TrayClient;
using test::WaitUntil;

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// This test program's file name, as the host names the program of an icon.
std::wstring OwnExeName() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path);
    name.erase(0, name.find_last_of(L"\\/") + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return name;
}

class TrayE2E : public test::CorvaneTest {
protected:
    void SetUp() override {
        CorvaneTest::SetUp();
        ASSERT_NE(StartCorvane(test::IniText({.tray = true})), nullptr);
        ASSERT_TRUE(WaitUntil([&] {
            return (host_ = test::FindTrayHost(corvane_.ProcessId())) != nullptr;
        })) << "programs do not find Corvane's taskbar window first";
        // small.ico: a red square 12 pixels wide in a 16-pixel canvas.
        icon_ = test::LoadIconInProcess(corvane_.ProcessId(), test::BuiltFile(L"small.ico"));
        ASSERT_NE(icon_, 0u);
    }

    // Adds the client's icon, sets its version, and waits for the bar to
    // place it; where the host says it stands.
    RECT AddIcon(TrayClient& client, uint32_t id = 1, uint32_t version = 0) {
        EXPECT_EQ(client.Send(host_, {.id = id, .icon = icon_, .tip = L"Backup: up to date"}), 1);
        if (version != 0) {
            EXPECT_EQ(client.Send(host_, {.command = 4, .id = id, .flags = 0, .version = version}),
                      1);
        }
        return WaitForPlace(client.Window(), id, [](const RECT&) { return true; });
    }
    template <typename Predicate>
    RECT WaitForPlace(HWND owner, uint32_t id, Predicate wanted, DWORD timeoutMs = 8000) {
        RECT r = {};
        EXPECT_TRUE(WaitUntil(
            [&] {
                r = test::QueryTrayRect(host_, owner, id).value_or(RECT{});
                return r.right > r.left && wanted(r);
            },
            timeoutMs))
            << "icon " << id << " not placed as expected; last at " << r.left << "," << r.top;
        return r;
    }

    HWND host_ = nullptr;
    uint32_t icon_ = 0;
};

// The visible tooltip of Corvane's, and its text.
std::wstring VisibleTooltipText(DWORD pid) {
    for (HWND tip : test::FindProcessWindows(pid, L"tooltips_class32")) {
        wchar_t text[256] = {};
        DWORD_PTR n = 0;
        if (::IsWindowVisible(tip) &&
            ::SendMessageTimeoutW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text),
                                  SMTO_ABORTIFHUNG, 2000, &n) != 0) {
            return text;
        }
    }
    return L"";
}

TEST_F(TrayE2E, AnIconIsDrawnWhereTheHostSaysShowsItsTooltipAndAClickReachesItsProgram) {
    TrayClient client;
    const RECT r = AddIcon(client, 1, 4);
    const RECT frame = Frame();
    EXPECT_GE(r.left, (frame.left + frame.right) / 2) << "not in the bar's right part";
    EXPECT_LE(r.right, frame.right);
    EXPECT_GE(r.top, frame.top);
    EXPECT_LE(r.bottom, frame.bottom);

    const auto redPixels = [&] {
        const test::Capture c = test::CaptureScreen(r);
        return std::count_if(c.pixels.begin(), c.pixels.end(), [](uint32_t px) {
            return (px >> 16) > 170 && ((px >> 8) & 0xFF) < 100 && (px & 0xFF) < 100;
        });
    };
    EXPECT_TRUE(WaitUntil([&] { return redPixels() >= Px(10) * Px(10); }, 5000))
        << "the icon is not drawn there";
    (void)test::CaptureScreen(
        frame, test::ScreenshotPath(L"bar-tray-" + std::to_wstring(dpi_) + L"dpi.png"));

    // The tooltip hears of moves only once the bar has given it the icon's text.
    for (int dx : {0, 1, 0}) {
        test::MovePointer({Centre(r).x + dx, Centre(r).y});
    }
    EXPECT_TRUE(WaitUntil(
        [&] { return VisibleTooltipText(corvane_.ProcessId()) == L"Backup: up to date"; }, 5000));

    // One button in the form of one version: each version's messages and
    // parameters are the unit tests'.
    client.PumpUntil([] { return false; }, 200);
    client.callbacks.clear();
    test::RightClick(Centre(r));
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    // Hovering and moving over the icon tell the program too; only the
    // buttons count here. Version 4's form: where, and the icon's id.
    const auto at = (static_cast<WPARAM>(cursor.y) << 16) | (cursor.x & 0xFFFF);
    std::vector<std::pair<WPARAM, LPARAM>> clicks;
    client.PumpUntil(
        [&] {
            clicks.clear();
            for (const test::TrayCallback& cb : client.callbacks) {
                const UINT message = static_cast<UINT>(cb.lParam & 0xFFFF);
                if (message != WM_MOUSEMOVE && message != WM_MOUSEHOVER &&
                    message != WM_MOUSELEAVE && message != 0x406 && message != 0x407) {
                    clicks.emplace_back(cb.wParam, cb.lParam);
                }
            }
            return clicks.size() >= 3;
        },
        3000);
    EXPECT_EQ(clicks, (std::vector<std::pair<WPARAM, LPARAM>>{{at, (1 << 16) | WM_RBUTTONDOWN},
                                                              {at, (1 << 16) | WM_RBUTTONUP},
                                                              {at, (1 << 16) | WM_CONTEXTMENU}}));
}

TEST_F(TrayE2E, AGoneProgramsIconLeavesSoonAndMalformedMessagesLeaveTheHostRunning) {
    TrayClient client;
    TrayClient gone;
    const RECT placed = AddIcon(client);
    // Arrival order: the later icon stands right of the earlier one.
    const RECT goneSlot = AddIcon(gone);
    // Gone without deleting its icon: at once where the system tells of the
    // window's end (Wine does not), else at the next sweep.
    gone.Destroy();
    const HWND from = client.Window();
    WaitForPlace(
        from, 1, [&](const RECT& r) { return r.left == goneSlot.left; }, 18000);

    std::vector<uint8_t> huge = test::TrayRecordBytes({.id = 2, .icon = icon_}, from);
    huge.resize(std::size_t{1} << 20, 0xAB);
    struct Case {
        const char* what;
        ULONG_PTR kind;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"no payload", 1, {}},
        {"1 MiB", 1, huge},
        {"bogus owner", 1, test::TrayRecordBytes({.icon = icon_, .owner = 0x0BAD0BAD}, from)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(test::SendCopyData(host_, from, c.kind,
                                       c.bytes.empty() ? nullptr : c.bytes.data(),
                                       static_cast<DWORD>(c.bytes.size()))
                        .has_value());
    }
    EXPECT_TRUE(corvane_.IsRunning());
    // Still placing icons and answering where they are.
    const RECT next = AddIcon(client, 5);
    const RECT first = *client.Rect(host_, 1);
    EXPECT_LT(first.left, next.left);
    EXPECT_EQ(first.top, placed.top);
}

// Quitting, and crashing: a thread started at address 0 faults inside Corvane.
TEST_F(TrayE2E, QuittingOrCrashingAsksProgramsToAddTheirIconsAgain) {
    for (const bool crash : {false, true}) {
        SCOPED_TRACE(crash ? "crash" : "quit");
        if (crash) {
            ASSERT_NE(StartCorvane(L""), nullptr);
        }
        TrayClient client;
        // Past the first repeat of Corvane's own broadcast at start-up.
        client.PumpUntil([] { return false; }, 4000);
        client.taskbarCreated = 0;
        if (crash) {
            ASSERT_TRUE(test::CrashFromOutside(corvane_));
            EXPECT_NE(corvane_.WaitForExit(), 0u);
        } else {
            QuitCorvane();
        }
        EXPECT_TRUE(client.PumpUntil([&] { return client.taskbarCreated > 0; }, 5000));
    }
}

TEST_F(TrayE2E, AReloadTakesTheHostAwayAndBringsItBackAndANewTaskbarInFrontIsOvertaken) {
    TrayClient client;
    AddIcon(client);
    for (const bool enabled : {false, true}) {
        SCOPED_TRACE(enabled ? "on" : "off");
        ::WritePrivateProfileStringW(L"Tray", L"Enabled", enabled ? L"1" : L"0", IniPath().c_str());
        client.taskbarCreated = 0;
        ASSERT_TRUE(Command(CMD_RELOAD_SETTINGS));
        // Either way programs are asked to announce their icons: to Explorer
        // once the host is gone, to the new host once it is back.
        EXPECT_EQ(test::FindTrayHost(corvane_.ProcessId()) != nullptr, enabled);
        EXPECT_TRUE(client.PumpUntil([&] { return client.taskbarCreated > 0; }, 3000));
    }

    // Explorer makes its taskbar again when it restarts, in front of the host:
    // the host hears of the new window at once, long before its backup check
    // or its next re-broadcast (past the first, which also raises it).
    host_ = test::FindTrayHost(corvane_.ProcessId());
    ::Sleep(trayperiods::kFirstRebroadcastMs + 500);
    test::ChildProcess explorer;
    ASSERT_TRUE(explorer.Start(test::BuiltFile(L"test_helper.exe"), L"taskbar"));
    ASSERT_NE(explorer.WaitForWindow(L"Shell_TrayWnd"), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return ::FindWindowW(L"Shell_TrayWnd", nullptr) == host_; }, 3000));
}

TEST_F(TrayE2E, DraggingReordersProgramsAndDroppingBelowTheBarHidesOne) {
    TrayClient mine;
    const RECT left = AddIcon(mine);
    test::HelperApp other;
    ASSERT_TRUE(
        other.Start(folder_.Path(), L"traytwo.exe", L"tray-client", std::to_wstring(icon_)));
    // The later arrival takes the right end; the first icon moves left.
    const RECT right =
        WaitForPlace(other.Window(), 1, [&](const RECT& r) { return r.left == left.left; });
    const RECT shifted =
        WaitForPlace(mine.Window(), 1, [&](const RECT& r) { return r.left < left.left; });

    // A drag starts inside the bar, which then holds the pointer. Past the
    // other program's icon the two swap places, and the order is kept.
    const POINT from = Centre(shifted);
    test::DragAlong({from, {from.x + Px(6), from.y}, {Centre(right).x + Px(6), from.y}});
    EXPECT_TRUE(WaitUntil(
        [&] {
            return test::ReadIniValue(IniPath(), L"Tray", L"Order") ==
                   L"traytwo.exe|" + OwnExeName();
        },
        5000))
        << "Order: " << test::ReadIniValue(IniPath(), L"Tray", L"Order");
    WaitForPlace(other.Window(), 1, [&](const RECT& r) { return r.left == shifted.left; });
    const RECT moved =
        WaitForPlace(mine.Window(), 1, [&](const RECT& r) { return r.left == right.left; });

    // Far enough below the bar: this program's icon is hidden, the other one
    // takes its place. Under Wine a window that captured the pointer keeps it
    // only while its thread is in front; on Windows the held button is enough.
    ::SetForegroundWindow(bar_);
    const POINT at = Centre(moved);
    test::DragAlong({at, {at.x + Px(6), at.y}, {at.x, Frame().bottom + Px(40)}});
    EXPECT_TRUE(WaitUntil(
        [&] { return test::ReadIniValue(IniPath(), L"Tray", L"Hidden") == OwnExeName(); }, 5000))
        << "Hidden: " << test::ReadIniValue(IniPath(), L"Tray", L"Hidden");
    WaitForPlace(other.Window(), 1, [&](const RECT& r) { return r.left == right.left; });
}

}  // namespace
}  // namespace corvane
