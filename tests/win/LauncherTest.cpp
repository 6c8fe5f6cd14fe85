// CorLauncher's window in this process over a catalog of 120 made-up apps,
// one of them the test helper: what a drag with the mouse stores. The grid's
// rules are the unit tests' business; the window's place, its keys and what
// they start the end-to-end tests'.

#include "base/Win32Handles.h"
#include "config/SettingsFile.h"
#include "config/Win32ProfileStore.h"
#include "identity/IconLoader.h"
#include "start/AppCatalog.h"
#include "start/AppIconCache.h"
#include "start/CatalogRules.h"
#include "start/Launcher.h"
#include "start/LauncherGrid.h"
#include "start/StartHost.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr int kApps = 120;

class FakeHost final : public StartHost,
                       public SurfaceOpener,
                       public DesktopFacts,
                       public DockPins,
                       public SettingWrites {
public:
    void SaveMenuPinned(std::vector<std::wstring>) override {}
    void IconsLoaded() override {}
    void OpenSettings(int32_t) override {}
    void ToggleStartSurface(int32_t, HMONITOR) override {}
    std::optional<int32_t> DockTop(HMONITOR) const override { return std::nullopt; }
    bool TaskbarHiddenByDock() const override { return false; }
    HWND CommandWindow() const override { return nullptr; }
    void SaveDockPinned(std::vector<std::wstring>, const Dock*) override {}
    void SettingWritten(bool) override {}
};

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateGraphicsFactories(graphics_));
        SetThreadImagingFactory(graphics_.wic.Get());
        settings_.filePath = folder_.File(L"corvane.ini");
    }
    void TearDown() override {
        launcher_.reset();
        test::EndStartedHelper();
        SetThreadImagingFactory(nullptr);
    }

    // "App 000" … "App 118" start nothing; "Corvane Probe", last by name,
    // starts the helper.
    std::vector<AppEntry> Apps() const {
        std::vector<AppEntry> apps;
        for (int i = 0; i < kApps - 1; ++i) {
            apps.push_back(MakeAppEntry(L"App " + std::to_wstring(1000 + i).substr(1),
                                        L"shell:AppsFolder\\Corvane.Fake" + std::to_wstring(i),
                                        probe_));
        }
        apps.push_back(MakeAppEntry(L"Corvane Probe", probe_, probe_));
        return apps;
    }

    void Open() {
        launcher_ = std::make_unique<Launcher>(context_, catalog_, icons_);
        launcher_->Open(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
        ASSERT_TRUE(launcher_->IsShown());
        test::PumpUntil([] { return false; }, 400);  // opened
    }
    // A cell's middle on screen: the layout as the launcher draws it.
    POINT CellMiddle(int32_t index) const {
        RECT r = {};
        ::GetWindowRect(launcher_->Hwnd(), &r);
        const float scale = static_cast<float>(launcher_->Dpi()) / 96.0f;
        const LauncherLayout l = LayOutLauncher(static_cast<float>(r.right - r.left) / scale,
                                                static_cast<float>(r.bottom - r.top) / scale);
        const LauncherCell cell = l.CellOf(index, 0);
        return {r.left + static_cast<LONG>((cell.x + l.cellWidth / 2) * scale),
                r.top + static_cast<LONG>((cell.y + l.cellHeight / 2) * scale)};
    }
    // Each step handled before the next comes.
    static void Mouse(POINT at, DWORD button) {
        test::MovePointer(at);
        test::PumpUntil([] { return false; }, 150);
        if (button != 0) {
            test::SendMouse(button);
            test::PumpUntil([] { return false; }, 150);
        }
    }

    test::TempFolder folder_;
    const std::wstring probe_ =
        test::CopyBuiltFile(L"test_helper.exe", folder_.Path() + L"\\probe.exe");
    ComApartment com_;
    HINSTANCE instance_ = ::GetModuleHandleW(nullptr);
    Settings settings_;
    Theme theme_;
    GraphicsFactories graphics_;
    FakeHost host_;
    Worker worker_{nullptr, [] { return std::shared_ptr<void>(std::make_shared<ComApartment>()); }};
    LaunchHistory launches_{worker_, L""};
    StartContext context_{instance_, settings_, theme_, graphics_, worker_,  host_,
                          host_,     host_,     host_,  host_,     launches_};
    AppCatalog catalog_{[this] { return Apps(); }};
    // Its results are never delivered: no wake, nobody runs them.
    AppIconCache icons_{worker_, [] {}};
    std::unique_ptr<Launcher> launcher_;
};

// How the drag ends: released, Escape, or the window destroyed.
class LauncherDragTest : public LauncherTest, public testing::WithParamInterface<int> {};

TEST_P(LauncherDragTest, ADragAcrossCellsStoresTheNewOrderHoweverItEnds) {
    ASSERT_TRUE(WriteSetting(settings_, L"CorLauncher", L"Order",
                             std::wstring_view(L"shell:appsfolder\\corvane.fake5|nothing.here")));
    Open();
    // Stored first, then the rest by name: 5, 0, 1, 2, …
    Mouse(CellMiddle(0), MOUSEEVENTF_LEFTDOWN);
    Mouse({CellMiddle(0).x + 30, CellMiddle(0).y}, 0);
    const POINT drop = CellMiddle(2);
    Mouse(drop, 0);
    if (GetParam() == 1) {
        test::TapKey(VK_ESCAPE);
    } else if (GetParam() == 2) {
        launcher_->Destroy();
    }
    Mouse(drop, MOUSEEVENTF_LEFTUP);
    const std::wstring expected =
        L"nothing.here|shell:appsfolder\\corvane.fake0|shell:appsfolder\\corvane.fake1|"
        L"shell:appsfolder\\corvane.fake5|shell:appsfolder\\corvane.fake2";
    Win32ProfileStore file(settings_.filePath);
    const std::wstring order = ReadWholeString(file, L"CorLauncher", L"Order", L"");
    EXPECT_EQ(order.substr(0, expected.size()), expected);
    EXPECT_EQ(std::count(order.begin(), order.end(), L'|'), kApps) << "a key went missing";
    EXPECT_EQ(launcher_->IsOpen(), GetParam() == 0) << "the drag's release closed or launched";
}

INSTANTIATE_TEST_SUITE_P(Ends, LauncherDragTest, testing::Range(0, 3));

}  // namespace
}  // namespace corvane
