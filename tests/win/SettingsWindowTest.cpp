// The settings window under real input: what only the window can show (the
// writes a click or a drag makes, the one re-apply it posts, Escape, and
// reopening). The slider arithmetic, layout and timers are the unit tests'.

#include "base/Commands.h"
#include "base/Win32Handles.h"
#include "config/Language.h"
#include "config/Texts.h"
#include "config/Win32ProfileStore.h"
#include "core/FakeSettingsHost.h"
#include "settings/SettingsLayout.h"
#include "settings/SettingsPages.h"
#include "settings/SettingsWindow.h"
#include "support/AccessibleReader.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <optional>

namespace corvane {
namespace {

int g_reloads = 0;

LRESULT CALLBACK CountReloads(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP_COMMAND && wParam == CMD_RELOAD_SETTINGS) {
        ++g_reloads;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

struct CommandWindowOnly final : DesktopFacts {
    std::optional<int32_t> DockTop(HMONITOR) const override { return std::nullopt; }
    bool TaskbarHiddenByDock() const override { return false; }
    HWND CommandWindow() const override { return window; }
    HWND window = nullptr;
};

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetNorwegian(false);
        ASSERT_TRUE(CreateGraphicsFactories(graphics_));
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &CountReloads;
        wc.lpszClassName = L"CorvaneTestCommands";
        ::RegisterClassW(&wc);
        commands_.Reset(::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                          nullptr, nullptr, nullptr));
        ASSERT_TRUE(commands_);
        desktop_.window = commands_.Get();
        g_reloads = 0;
        settings_.filePath = folder_.File(L"corvane.ini");
        window_ = std::make_unique<SettingsWindow>(SettingsWindowContext{
            ::GetModuleHandleW(nullptr), settings_, theme_, graphics_, host_, desktop_});
    }
    void Open(int32_t page) {
        window_->Open(page);
        ASSERT_TRUE(window_->IsOpen());
        Pump(200);
    }

    // The screen point at the middle of the control of the `nth` row of
    // that kind on the page, or at `fraction` of its width.
    POINT ControlPoint(int32_t page, RowKind kind, int nth = 0, float fraction = 0.5f) {
        Win32ProfileStore store(settings_.filePath);
        PageContext pages{settings_, store, host_, [] {}, [] {}, [] {}, [] {}};
        const std::vector<SettingsRow> rows = BuildRows(page, pages);
        RECT client = {};
        ::GetClientRect(window_->Hwnd(), &client);
        const int dpi = static_cast<int>(::GetDpiForWindow(window_->Hwnd()));
        const auto boxes = LayoutRows(rows, static_cast<float>(::MulDiv(client.right, 96, dpi)),
                                      [](const std::wstring&) { return 100.0f; });
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].kind == kind && nth-- == 0) {
                const PointRect& c = boxes[i].control;
                POINT p{::MulDiv(static_cast<int>(c.left + (c.right - c.left) * fraction), dpi, 96),
                        ::MulDiv(static_cast<int>((c.top + c.bottom) / 2), dpi, 96)};
                ::ClientToScreen(window_->Hwnd(), &p);
                return p;
            }
        }
        ADD_FAILURE() << "no such row";
        return {};
    }
    std::wstring Ini(const wchar_t* section, const wchar_t* key) const {
        return test::ReadIniValue(settings_.filePath, section, key);
    }
    static void Pump(DWORD ms) {
        test::PumpUntil([] { return false; }, ms);
    }

    test::TempFolder folder_;
    Settings settings_;
    Theme theme_;
    GraphicsFactories graphics_;
    test::FakeSettingsHost host_;
    UniqueWindow commands_;
    CommandWindowOnly desktop_;
    std::unique_ptr<SettingsWindow> window_;
};

TEST_F(SettingsWindowTest, TwoQuickTogglesWriteAtOnceAndReapplyOnce) {
    Open(kPageTopBar);
    POINT toggle = ControlPoint(kPageTopBar, RowKind::Toggle);
    ::ScreenToClient(window_->Hwnd(), &toggle);
    // Sent rather than typed, so that both changes fall within the re-apply
    // delay however busy the machine is.
    const auto send = [&](UINT message) {
        ::SendMessageW(window_->Hwnd(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                       MAKELPARAM(toggle.x, toggle.y));
    };
    // A release the row saw no press for (the click that closed a menu) does nothing.
    send(WM_LBUTTONUP);
    EXPECT_EQ(Ini(L"Bar", L"Autohide"), L"<absent>");
    send(WM_LBUTTONDOWN);
    send(WM_LBUTTONUP);
    const std::wstring first = Ini(L"Bar", L"Autohide");
    EXPECT_EQ(first, settings_.autohide ? L"1" : L"0");
    send(WM_LBUTTONDOWN);
    send(WM_LBUTTONUP);
    EXPECT_NE(Ini(L"Bar", L"Autohide"), first);
    EXPECT_EQ(g_reloads, 0);  // not before 350 ms after the last change
    Pump(800);
    EXPECT_EQ(g_reloads, 1);
}

TEST_F(SettingsWindowTest, SliderWritesOnlyWhatTheDragChanged) {
    Open(kPageTopBar);
    const POINT left = ControlPoint(kPageTopBar, RowKind::Slider, 1, 0.0f);
    const POINT right = ControlPoint(kPageTopBar, RowKind::Slider, 1, 1.0f);
    test::Click(left);  // pressed and let go where the knob is not: no change
    Pump(100);
    EXPECT_EQ(Ini(L"Bar", L"Height"), L"<absent>");
    test::DragAlong({left, {(left.x + right.x) / 2, left.y}, right});
    Pump(100);
    EXPECT_EQ(Ini(L"Bar", L"Height"), L"40");
}

TEST_F(SettingsWindowTest, KeysMoveTheFocusAcrossRowsAndAct) {
    Open(kPageTopBar);
    const int32_t tint = settings_.barTint;
    for (const WORD key :
         std::initializer_list<WORD>{VK_TAB, VK_TAB, VK_RIGHT, VK_DOWN, VK_SPACE}) {
        test::TapKey(key);  // style, tint one step up, autohide flipped
    }
    Pump(100);
    EXPECT_EQ(Ini(L"Bar", L"BarTint"), std::to_wstring(tint + 1));
    EXPECT_EQ(Ini(L"Bar", L"Autohide"), L"1");
    EXPECT_EQ(Ini(L"Bar", L"Style"), L"<absent>");
}

TEST_F(SettingsWindowTest, OpeningAgainSwitchesPageInTheSameWindow) {
    Open(kPageTopBar);
    const HWND first = window_->Hwnd();
    Open(kPageTiling);
    EXPECT_EQ(window_->Hwnd(), first);
    test::Click(ControlPoint(kPageTiling, RowKind::Toggle));  // "Automatic tiling" acts at once
    Pump(100);
    EXPECT_EQ(std::ranges::count(host_.calls, L"ApplyTilingSettings"), 1);
    EXPECT_EQ(::FindWindowW(kSettingsWindowClass, nullptr), first);
    EXPECT_EQ(::FindWindowExW(nullptr, first, kSettingsWindowClass, nullptr), nullptr);

    // Closed before the re-apply was due, the change is applied all the same.
    window_->Open(kPageTopBar);
    test::Click(ControlPoint(kPageTopBar, RowKind::Toggle));
    test::TapKey(VK_ESCAPE);
    Pump(200);
    EXPECT_FALSE(window_->IsOpen());
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(g_reloads, 1);
}

TEST_F(SettingsWindowTest, ScreenReadersSwitchPagesAndFlipToggles) {
    Open(kPageTopBar);
    const auto read = [this](const std::wstring& name) {
        for (const test::AccessibleChild& child : test::ReadAccessibleChildren(window_->Hwnd())) {
            if (child.name == name) {
                return child;
            }
        }
        ADD_FAILURE() << "no child of that name";
        return test::AccessibleChild{};
    };
    const std::wstring toggle = Text(TextId::AutoHide);
    const test::AccessibleChild before = read(toggle);
    EXPECT_EQ(before.role, ROLE_SYSTEM_CHECKBUTTON);
    ASSERT_TRUE(test::DoAccessibleDefaultAction(window_->Hwnd(), toggle));
    Pump(100);
    EXPECT_NE(Ini(L"Bar", L"Autohide"), L"<absent>");
    EXPECT_NE(read(toggle).state & STATE_SYSTEM_CHECKED, before.state & STATE_SYSTEM_CHECKED);

    const std::wstring tiling = Text(TextId::PageTiling);
    EXPECT_EQ(read(tiling).state & STATE_SYSTEM_SELECTED, 0);
    ASSERT_TRUE(test::DoAccessibleDefaultAction(window_->Hwnd(), tiling));
    Pump(100);
    EXPECT_NE(read(tiling).state & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(read(Text(TextId::PageTopBar)).state & STATE_SYSTEM_SELECTED, 0);
}

}  // namespace
}  // namespace corvane
