// CorGarden in the real corvane.exe, on desktops of the test's own: the
// first-run beds and garden.ini, a new file joining the catch-all bed,
// Explorer's icon list (played by the helper) put away while the beds show
// and given back at quit and after a crash, the beds' place at the bottom of
// the z-order, and what they draw in either theme. No file on either desktop
// is ever touched. Layout, hit testing and the garden model are the unit
// tests' business.

#include "config/SettingsText.h"
#include "e2e/E2ESupport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace corvane {
namespace {

using test::WaitUntil;

constexpr wchar_t kBedClass[] = L"CorvaneGardenBed";
constexpr wchar_t kRecycleBin[] = L"::{645ff040-5081-101b-9f08-00aa002f954e}";
// The helper desktop's colour as a capture holds it.
constexpr uint32_t kWallpaper = (uint32_t{GetRValue(test::kHelperDesktopColour)} << 16) |
                                (uint32_t{GetGValue(test::kHelperDesktopColour)} << 8) |
                                GetBValue(test::kHelperDesktopColour);

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring TitleOf(HWND window) {
    wchar_t title[128] = {};
    ::GetWindowTextW(window, title, 128);
    return title;
}

// The first window below `window` that is not a bed, or null at the bottom.
HWND NextNonBed(HWND window) {
    do {
        window = ::GetWindow(window, GW_HWNDNEXT);
    } while (window != nullptr && ClassOf(window) == kBedClass);
    return window;
}

// Whether `upper` comes before `lower` in the z-order, top first.
bool Above(HWND upper, HWND lower) {
    for (HWND w = ::GetWindow(lower, GW_HWNDPREV); w != nullptr; w = ::GetWindow(w, GW_HWNDPREV)) {
        if (w == upper) {
            return true;
        }
    }
    return false;
}

class GardenE2E : public test::CorvaneTest {
protected:
    // A program with an icon of its own, a shortcut, a plain file and a
    // folder on the user's desktop, a file on the public one.
    void SetUp() override {
        CorvaneTest::SetUp();
        ASSERT_TRUE(desktops_.ready);
        const std::string url = "[InternetShortcut]\r\nURL=https://example.com/\r\n";
        ASSERT_TRUE(
            test::WriteFileBytes(desktops_.user.File(L"Web.url"), {url.begin(), url.end()}));
        ASSERT_TRUE(test::WriteFileBytes(desktops_.user.File(L"Notes.txt"), {'n'}));
        ASSERT_FALSE(test::ReadFileBytes(
                         test::CopyBuiltFile(L"corvane.exe", desktops_.user.File(L"Tool.exe")))
                         .empty());
        ASSERT_TRUE(::CreateDirectoryW(desktops_.user.File(L"Projects").c_str(), nullptr));
        ASSERT_TRUE(test::WriteFileBytes(desktops_.common.File(L"Shared.txt"), {'s'}));
        userFiles_ = test::FolderListing(desktops_.user.Path());
        commonFiles_ = test::FolderListing(desktops_.common.Path());
    }
    void TearDown() override {
        CorvaneTest::TearDown();
        EXPECT_EQ(test::FolderListing(desktops_.user.Path()), userFiles_);
        EXPECT_EQ(test::FolderListing(desktops_.common.Path()), commonFiles_);
    }

    [[nodiscard]] std::vector<HWND> Beds() const {
        auto beds = test::FindProcessWindows(corvane_.ProcessId(), kBedClass);
        std::erase_if(beds, [](HWND w) { return !::IsWindowVisible(w); });
        return beds;
    }
    // Starts Corvane with the garden (the ini kept from before when not
    // `fresh`) and waits for its two beds.
    void StartGarden(bool fresh) {
        ASSERT_NE(StartCorvane(fresh ? test::IniText({.garden = true}) : L""), nullptr);
        ASSERT_TRUE(WaitUntil([&] { return Beds().size() == 2; })) << Beds().size() << " beds";
    }
    [[nodiscard]] HWND BedNamed(const wchar_t* name) const {
        for (HWND bed : Beds()) {
            if (TitleOf(bed) == name) {
                return bed;
            }
        }
        return nullptr;
    }
    [[nodiscard]] std::wstring Garden(const wchar_t* section, const wchar_t* key) const {
        return test::ReadIniValue(folder_.File(L"garden.ini"), section, key);
    }
    [[nodiscard]] std::wstring UserId(const wchar_t* name) const {
        return ToLower(desktops_.user.File(name));
    }

    // Every bed sits below the application and right above the desktop
    // window, or at the very bottom without one.
    [[nodiscard]] testing::AssertionResult InDesktopLayer(HWND app, HWND desktop) const {
        for (HWND bed : Beds()) {
            if (!Above(app, bed)) {
                return testing::AssertionFailure() << TitleOf(bed) << " above the application";
            }
            if (const HWND below = NextNonBed(bed); below != desktop) {
                return testing::AssertionFailure()
                       << TitleOf(bed) << " right above " << (below ? ClassOf(below) : L"nothing");
            }
        }
        return testing::AssertionSuccess();
    }
    // Placed when made, and put back within a tick when something raises them.
    void ExpectKeptInDesktopLayer(HWND app, HWND desktop) const {
        EXPECT_TRUE(WaitUntil([&] { return bool(InDesktopLayer(app, desktop)); }, 500))
            << InDesktopLayer(app, desktop).message();
        for (HWND bed : Beds()) {
            ::SetWindowPos(bed, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        EXPECT_TRUE(WaitUntil([&] { return bool(InDesktopLayer(app, desktop)); }, 2000))
            << "raised and left so: " << InDesktopLayer(app, desktop).message();
    }

    test::RedirectedDesktops desktops_;
    std::vector<std::wstring> userFiles_;
    std::vector<std::wstring> commonFiles_;
};

TEST_F(GardenE2E, FirstRunSortsTheDesktopIntoTwoBedsBelowApplicationsAndNewFilesJoinTheCatchAll) {
    // Already running: beds made after it still go below it.
    test::HelperApp app;
    ASSERT_TRUE(app.Start(folder_.Path(), L"app.exe", L"normal"));
    ASSERT_NO_FATAL_FAILURE(StartGarden(true));
    // Written at once, not on the save timer.
    EXPECT_TRUE(WaitUntil([&] { return Garden(L"Garden", L"Count") == L"2"; }, 400));

    std::vector<std::wstring> rest{UserId(L"Notes.txt"), UserId(L"Projects"),
                                   ToLower(desktops_.common.File(L"Shared.txt"))};
    std::sort(rest.begin(), rest.end());
    const struct {
        const wchar_t* section;
        const wchar_t* name;
        const wchar_t* catchAll;
        std::wstring items;
    } kBeds[] = {
        {L"Bed0", L"Apps", L"0", UserId(L"Tool.exe") + L"|" + UserId(L"Web.url")},
        {L"Bed1", L"Desktop", L"1",
         std::wstring(kRecycleBin) + L"|" + rest[0] + L"|" + rest[1] + L"|" + rest[2]},
    };
    for (const auto& bed : kBeds) {
        SCOPED_TRACE(bed.section);
        EXPECT_EQ(Garden(bed.section, L"Name"), bed.name);
        EXPECT_EQ(Garden(bed.section, L"CatchAll"), bed.catchAll);
        EXPECT_EQ(Garden(bed.section, L"Collapsed"), L"0");
        EXPECT_EQ(Garden(bed.section, L"Items"), bed.items);
        // The file holds the place the window shows.
        const HWND window = BedNamed(bed.name);
        ASSERT_NE(window, nullptr);
        const RECT r = test::WindowRect(window);
        EXPECT_EQ(Garden(bed.section, L"X") + L"," + Garden(bed.section, L"Y") + L"," +
                      Garden(bed.section, L"W") + L"," + Garden(bed.section, L"H"),
                  std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
                      std::to_wstring(r.right - r.left) + L"," + std::to_wstring(r.bottom - r.top));
    }
    ExpectKeptInDesktopLayer(app.Window(), nullptr);

    // Named to sort first: it joins the end all the same.
    const std::wstring before = Garden(L"Bed1", L"Items");
    ASSERT_TRUE(test::WriteFileBytes(desktops_.user.File(L"Agenda.txt"), {'a'}));
    userFiles_ = test::FolderListing(desktops_.user.Path());
    EXPECT_TRUE(WaitUntil(
        [&] { return Garden(L"Bed1", L"Items") == before + L"|" + UserId(L"Agenda.txt"); }, 5000))
        << "Items=" << before << " and no more";
    EXPECT_EQ(Garden(L"Bed0", L"Items"), kBeds[0].items);
}

TEST_F(GardenE2E, ExplorersIconListHidesWhileBedsShowAboveItAndComesBackAtQuitAndAfterACrash) {
    test::HelperApp desktop;
    ASSERT_TRUE(desktop.Start(folder_.Path(), L"desktop.exe", L"desktop"));
    const HWND progman = desktop.Window();
    const HWND list =
        ::FindWindowExW(::FindWindowExW(progman, nullptr, L"SHELLDLL_DefView", nullptr), nullptr,
                        L"SysListView32", nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(::IsWindowVisible(list));
    test::HelperApp app;
    ASSERT_TRUE(app.Start(folder_.Path(), L"app.exe", L"normal"));
    for (const bool crash : {false, true}) {
        SCOPED_TRACE(crash ? "crash" : "quit");
        ASSERT_NO_FATAL_FAILURE(StartGarden(!crash));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(list); }, 2000)) << "icons shown";
        if (!crash) {
            ExpectKeptInDesktopLayer(app.Window(), progman);
            // As Explorer does when it comes back: hidden again within a tick.
            ::ShowWindow(list, SW_SHOWNA);
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(list); }, 2000))
                << "shown again and left so";
            QuitCorvane();
        } else {
            EXPECT_TRUE(
                WaitUntil([&] { return bool(InDesktopLayer(app.Window(), progman)); }, 500));
            ASSERT_TRUE(test::CrashFromOutside(corvane_));
            EXPECT_NE(corvane_.WaitForExit(), 0u);
        }
        EXPECT_TRUE(::IsWindowVisible(list)) << "the icons stayed away";
    }
}

// Both themes over the helper's wallpaper, on the display's DPI; kept as
// garden-dark.png and garden-light.png.
using GardenScreenshot = GardenE2E;

TEST_F(GardenScreenshot, BedsStandAtTheirDefaultPlacesAndDrawNamesAndLabelsInEitherTheme) {
    test::HelperApp desktop;
    ASSERT_TRUE(desktop.Start(folder_.Path(), L"desktop.exe", L"desktop"));
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT& work = mi.rcWork;
    for (const bool light : {false, true}) {
        SCOPED_TRACE(light ? "light" : "dark");
        if (light) {
            QuitCorvane();
        }
        test::MovePointer(test::ScreenCentre());  // off every header
        test::SetLightTheme(light);
        StartGarden(!light);
        test::SetLightTheme(false);
        ASSERT_FALSE(HasFatalFailure());
        const HWND apps = BedNamed(L"Apps");
        const HWND rest = BedNamed(L"Desktop");
        ASSERT_TRUE(apps != nullptr && rest != nullptr);
        const RECT a = test::WindowRect(apps);
        const RECT d = test::WindowRect(rest);
        const RECT want{work.left + Px(24), work.top + Px(24), work.left + Px(24 + 372),
                        work.top + Px(24 + 300)};
        EXPECT_TRUE(EqualRect(&a, &want))
            << a.left << "," << a.top << " " << a.right - a.left << "x" << a.bottom - a.top;
        const RECT next{want.right + Px(16), want.top, want.right + Px(16 + 372), want.bottom};
        EXPECT_TRUE(EqualRect(&d, &next)) << d.left << "," << d.top;

        const RECT area{a.left - Px(8), a.top, d.right + Px(8), d.bottom + Px(8)};
        // The lower right corner of a bed holds no item.
        const auto surfaceOf = [&](const test::Capture& c, const RECT& bed) {
            return c.At(bed.right - area.left - Px(20), bed.bottom - area.top - Px(20));
        };
        // Whether a cell of a bed's first row holds ink between two heights.
        const auto cellInk = [&](const test::Capture& c, const RECT& bed, int cell, int top,
                                 int bottom, int inset) {
            const int left = bed.left - area.left + Px(18 + cell * 84 + inset);
            const int y0 = bed.top - area.top;
            const RECT r{left, y0 + Px(34 + top), left + Px(84 - 2 * inset), y0 + Px(34 + bottom)};
            return !test::InkRuns(c, r, surfaceOf(c, bed), 0).empty();
        };
        const struct {
            RECT bed;
            int items;
        } kBeds[] = {{a, 2}, {d, 4}};
        // A bed's first paint waits for Direct2D to start, its icons for the
        // icon worker.
        (void)WaitUntil(
            [&] {
                const test::Capture c = test::CaptureScreen(area);
                bool painted = !c.pixels.empty();
                for (const auto& [bed, items] : kBeds) {
                    for (int cell = 0; cell < items && painted; ++cell) {
                        painted = test::Differs(surfaceOf(c, bed), kWallpaper) &&
                                  cellInk(c, bed, cell, 6, 44, 23);
                    }
                }
                return painted;
            },
            5000);
        ::Sleep(200);
        const test::Capture c = test::CaptureScreen(
            area, test::ScreenshotPath(
                      std::wstring(light ? L"garden-light" : L"garden-dark") +
                      (dpi_ == 96 ? L".png" : L"-" + std::to_wstring(dpi_) + L"dpi.png")));
        ASSERT_FALSE(c.pixels.empty());
        EXPECT_EQ(c.At(Px(4), c.height - Px(4)), kWallpaper) << "not the helper's desktop";
        // Below the bar, which may cover the top of the headers.
        const int nameTop = std::max<int>(Px(8), Frame().bottom - area.top);
        std::vector<int> nameWidths;
        for (const auto& [bed, items] : kBeds) {
            const int x0 = bed.left - area.left;
            const int y0 = bed.top - area.top;
            const int width = bed.right - bed.left;
            const uint32_t surface = surfaceOf(c, bed);
            EXPECT_EQ(test::Luma(surface) > 128, light) << std::hex << surface;
            EXPECT_TRUE(test::Differs(surface, kWallpaper)) << std::hex << surface;
            const auto name = test::InkRuns(
                c, {x0 + Px(6), nameTop, x0 + width - Px(30), y0 + Px(24)}, surface, Px(8), -x0);
            EXPECT_FALSE(name.empty()) << "no name";
            EXPECT_NEAR(name.empty() ? 0 : name.front().left, Px(15), Px(3));
            nameWidths.push_back(name.empty() ? 0 : name.back().right - name.front().left);
            // An icon and a label in each of the first row's items, and nothing beyond.
            for (int cell = 0; cell < 4; ++cell) {
                EXPECT_EQ(cellInk(c, bed, cell, 6, 44, 23), cell < items) << "icon " << cell;
                EXPECT_EQ(cellInk(c, bed, cell, 48, 78, 5), cell < items) << "label " << cell;
            }
        }
        EXPECT_GT(nameWidths[1], nameWidths[0]) << "\"Desktop\" no wider than \"Apps\"";
    }
}

}  // namespace
}  // namespace corvane
