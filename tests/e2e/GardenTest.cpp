// CorGarden in the real corvane.exe, on desktops of the test's own: the
// first-run beds and garden.ini, a new file joining the catch-all bed,
// Explorer's icon list (played by the helper) put away while the beds show
// and given back at quit and after a crash, the beds' place at the bottom of
// the z-order, what they draw in either theme, and editing them by hand: a
// header click rolls a bed, a double-click opens an item, and the bed menu
// makes, renames and deletes beds. Each edit is read back from garden.ini as
// the profile API reads it; no file on either desktop is ever touched.
// Layout, hit testing, drop rules and the garden model are the unit tests'
// business, the bed menu's entries too; an item dragged onto another bed is
// the Windows tests'.

#include "base/Win32Handles.h"
#include "base/TextHelpers.h"
#include "base/Win32Geometry.h"
#include "e2e/E2ESupport.h"
#include "garden/BedGeometry.h"
#include "garden/BedLayout.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using test::WaitUntil;
using test::WindowRect;

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

// Asked of the window's own thread, so that an edit control in another
// process answers with what it holds now.
std::wstring TextOf(HWND window) {
    std::array<wchar_t, 256> text = {};
    DWORD_PTR copied = 0;
    if (::SendMessageTimeoutW(window, WM_GETTEXT, text.size(),
                              reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                              &copied) == 0) {
        return L"<no answer>";
    }
    return std::wstring(text.data(), std::min<std::size_t>(copied, text.size()));
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

// Where the id of the file called `name` stands among `ids`, or ids.size().
std::size_t IndexOfFile(const std::vector<std::wstring>& ids, std::wstring_view name) {
    const auto found = std::ranges::find_if(ids, [&](const std::wstring& id) {
        return id.size() > name.size() && id.ends_with(name) &&
               id[id.size() - name.size() - 1] == L'\\';
    });
    return static_cast<std::size_t>(found - ids.begin());
}

class GardenE2E : public test::CorvaneTest {
protected:
    // A program with an icon of its own, one that shows a window of its own
    // when opened with no arguments, a shortcut, a plain file and a folder on
    // the user's desktop, a file on the public one.
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
        ASSERT_FALSE(test::ReadFileBytes(test::CopyBuiltFile(L"test_helper.exe",
                                                             desktops_.user.File(L"Opener.exe")))
                         .empty());
        ASSERT_TRUE(::CreateDirectoryW(desktops_.user.File(L"Projects").c_str(), nullptr));
        ASSERT_TRUE(test::WriteFileBytes(desktops_.common.File(L"Shared.txt"), {'s'}));
        userFiles_ = test::FolderListing(desktops_.user.Path());
        commonFiles_ = test::FolderListing(desktops_.common.Path());
    }
    void TearDown() override {
        // What a double-click opened is the only helper window left here.
        for (int i = 0; i < 3; ++i) {
            test::EndStartedHelper();
        }
        CorvaneTest::TearDown();
        EXPECT_EQ(test::FolderListing(desktops_.user.Path()), userFiles_);
        EXPECT_EQ(test::FolderListing(desktops_.common.Path()), commonFiles_);
    }

    [[nodiscard]] std::vector<HWND> Beds() const { return Shown(kBedClass); }
    // Starts Corvane with the garden (the ini kept from before when not
    // `fresh`) and waits for its two beds.
    void StartGarden(bool fresh) {
        ASSERT_NE(StartCorvane(fresh ? test::IniText({.garden = true}) : L""), nullptr);
        ASSERT_TRUE(WaitUntil([&] { return Beds().size() == 2; })) << Beds().size() << " beds";
        apps_ = BedNamed(L"Apps");
        desktop_ = BedNamed(L"Desktop");
    }
    // The visible bed window of that name, waited for.
    [[nodiscard]] HWND BedNamed(const std::wstring& name) const {
        HWND bed = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : Beds()) {
                    bed = TextOf(w) == name ? w : bed;
                }
                return bed != nullptr;
            },
            5000);
        return bed;
    }
    [[nodiscard]] std::wstring Garden(const wchar_t* section, const wchar_t* key) const {
        return test::ReadIniValue(folder_.File(L"garden.ini"), section, key);
    }
    [[nodiscard]] std::vector<std::wstring> Items(const wchar_t* section) const {
        return SplitList(Garden(section, L"Items"), L'|');
    }
    [[nodiscard]] std::wstring UserId(const wchar_t* name) const {
        return ToLower(desktops_.user.File(name));
    }
    // Polls garden.ini a few times a second, not more: each read holds the
    // file open for a moment, and a save that meets it must try again.
    template <typename Predicate>
    static bool FileShows(Predicate holds) {
        return WaitUntil(
            [&] {
                if (holds()) {
                    return true;
                }
                ::Sleep(200);
                return false;
            },
            3000);
    }

    [[nodiscard]] static int Height(HWND window) {
        const RECT r = WindowRect(window);
        return r.bottom - r.top;
    }
    // Cell `index` of a bed window's grid, in points from its top left.
    [[nodiscard]] PointRect Cell(const RECT& bed, std::size_t index) const {
        const float scale = 96.0f / static_cast<float>(dpi_);
        const BedGrid grid =
            LayoutBed(static_cast<float>(bed.right - bed.left) * scale,
                      static_cast<float>(bed.bottom - bed.top) * scale, 0, 0, false);
        return BedCellRect(grid, static_cast<int32_t>(index));
    }
    // On the item shown at `index`.
    [[nodiscard]] POINT OnItem(HWND bed, std::size_t index) const {
        const RECT r = WindowRect(bed);
        const PointRect cell = Cell(r, index);
        return {r.left + Px((cell.left + cell.right) / 2),
                r.top + Px((cell.top + cell.bottom) / 2)};
    }
    // Below the first row, where neither first bed has items.
    [[nodiscard]] POINT Empty(HWND bed) const {
        const RECT r = WindowRect(bed);
        return {(r.left + r.right) / 2, r.top + Px(250)};
    }
    // The bed menu of the bed under `p`, opened with the right button.
    [[nodiscard]] HWND OpenBedMenu(POINT p) const {
        test::RightClick(p);
        return WaitShown(L"#32768");
    }

    // Every bed sits below the application and right above the desktop
    // window, or at the very bottom without one.
    [[nodiscard]] testing::AssertionResult InDesktopLayer(HWND app, HWND desktop) const {
        for (HWND bed : Beds()) {
            if (!Above(app, bed)) {
                return testing::AssertionFailure() << TextOf(bed) << " above the application";
            }
            if (const HWND below = NextNonBed(bed); below != desktop) {
                return testing::AssertionFailure()
                       << TextOf(bed) << " right above " << (below ? ClassOf(below) : L"nothing");
            }
        }
        return testing::AssertionSuccess();
    }
    // Placed when made, and put back within a tick when something raises them.
    void ExpectKeptInDesktopLayer(HWND app, HWND desktop) const {
        EXPECT_TRUE(WaitUntil([&] { return bool(InDesktopLayer(app, desktop)); }, 1500))
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
    HWND apps_ = nullptr;
    HWND desktop_ = nullptr;
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
        {L"Bed0", L"Apps", L"0",
         UserId(L"Opener.exe") + L"|" + UserId(L"Tool.exe") + L"|" + UserId(L"Web.url")},
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
                WaitUntil([&] { return bool(InDesktopLayer(app.Window(), progman)); }, 1500));
            ASSERT_TRUE(test::CrashFromOutside(corvane_));
            EXPECT_NE(corvane_.WaitForExit(), 0u);
        }
        // After a crash the guard process puts them back once it sees the exit.
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; }, 5000))
            << "the icons stayed away";
    }
}

// Both themes over the helper's wallpaper, on the display's DPI; kept as
// garden-dark.png and garden-light.png.
using GardenScreenshot = GardenE2E;

TEST_F(GardenScreenshot, BedsStandAtTheirDefaultPlacesAndDrawNamesAndLabelsInEitherTheme) {
    test::HelperApp desktop;
    ASSERT_TRUE(desktop.Start(folder_.Path(), L"desktop.exe", L"desktop"));
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
        // The display's DPI is known once Corvane runs.
        const DefaultBedRects places =
            DefaultBedPlaces(ToPixelRect(test::PrimaryMonitor().rcWork), dpi_);
        const HWND apps = BedNamed(L"Apps");
        const HWND rest = BedNamed(L"Desktop");
        ASSERT_TRUE(apps != nullptr && rest != nullptr);
        const RECT a = test::WindowRect(apps);
        const RECT d = test::WindowRect(rest);
        EXPECT_EQ(ToPixelRect(a), places.apps)
            << a.left << "," << a.top << " " << a.right - a.left << "x" << a.bottom - a.top;
        EXPECT_EQ(ToPixelRect(d), places.desktop) << d.left << "," << d.top;

        const RECT area{a.left - Px(8), a.top, d.right + Px(8), d.bottom + Px(8)};
        // The lower right corner of a bed holds no item.
        const auto surfaceOf = [&](const test::Capture& c, const RECT& bed) {
            return c.At(bed.right - area.left - Px(20), bed.bottom - area.top - Px(20));
        };
        // Whether a cell of a bed's first row holds ink between two heights
        // (points from the cell's top), `inset` points in from its sides.
        const auto cellInk = [&](const test::Capture& c, const RECT& bed, int index, float top,
                                 float bottom, float inset) {
            const PointRect cell = Cell(bed, static_cast<std::size_t>(index));
            const int x0 = bed.left - area.left;
            const int y0 = bed.top - area.top;
            const RECT r{x0 + Px(cell.left + inset), y0 + Px(cell.top + top),
                         x0 + Px(cell.right - inset), y0 + Px(cell.top + bottom)};
            return !test::InkRuns(c, r, surfaceOf(c, bed), 0).empty();
        };
        const struct {
            RECT bed;
            int items;
        } kBeds[] = {{a, 3}, {d, 4}};
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

TEST_F(GardenE2E, ThePointerRollsABedAndOpensAnItemAndTheBedMenuMakesRenamesAndDeletesBeds) {
    ASSERT_NO_FATAL_FAILURE(StartGarden(true));
    ASSERT_TRUE(FileShows([&] { return Garden(L"Garden", L"Count") == L"2"; }));
    ASSERT_EQ(Items(L"Bed0").size(), 3u) << Garden(L"Bed0", L"Items");

    // A click on the header without moving rolls the bed up to its header and
    // back to the height it keeps in the file.
    const int stored = std::stoi(Garden(L"Bed0", L"H"));
    ASSERT_TRUE(apps_ != nullptr && desktop_ != nullptr);
    ASSERT_EQ(Height(apps_), stored);
    const POINT header{WindowRect(apps_).left + Px(100),
                       WindowRect(apps_).top + Px(kBedHeaderHeight / 2)};
    test::Click(header);
    EXPECT_TRUE(WaitUntil([&] { return Height(apps_) == Px(kBedCollapsedHeight); }, 3000))
        << Height(apps_);
    {
        // Another program reads the file when the save comes (a backup, an
        // editor), so it cannot be replaced: the save is tried again later.
        const UniqueHandle reader(::CreateFileW(folder_.File(L"garden.ini").c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        ::Sleep(1500);
    }
    EXPECT_TRUE(FileShows([&] { return Garden(L"Bed0", L"Collapsed") == L"1"; }));
    test::Click(header);
    EXPECT_TRUE(WaitUntil([&] { return Height(apps_) == stored; }, 3000)) << Height(apps_);
    EXPECT_TRUE(FileShows([&] { return Garden(L"Bed0", L"Collapsed") == L"0"; }));

    // A double-click on Opener.exe starts it.
    ASSERT_EQ(::FindWindowW(test::kHelperWindowClass, nullptr), nullptr);
    const std::size_t opener = IndexOfFile(Items(L"Bed0"), L"opener.exe");
    ASSERT_LT(opener, Items(L"Bed0").size()) << Garden(L"Bed0", L"Items");
    test::MovePointer(OnItem(apps_, opener));
    for (int click = 0; click < 2; ++click) {
        test::SendMouse(MOUSEEVENTF_LEFTDOWN);
        test::SendMouse(MOUSEEVENTF_LEFTUP);
    }
    EXPECT_TRUE(WaitUntil(
        [] { return ::FindWindowW(test::kHelperWindowClass, nullptr) != nullptr; }, 10000))
        << "Opener.exe did not start";
    test::EndStartedHelper();  // off the beds

    // "New bed" from the Desktop bed, clear of the Apps bed: the new bed opens
    // with its name ready to be typed over.
    ASSERT_NE(OpenBedMenu(Empty(desktop_)), nullptr);
    test::TapKey(VK_DOWN);
    test::TapKey(VK_RETURN);
    const HWND fresh = BedNamed(L"New bed");
    ASSERT_NE(fresh, nullptr) << "no new bed";
    const HWND rename = WaitShown(L"CorvaneGardenRename");
    ASSERT_NE(rename, nullptr) << "no rename box";
    const HWND edit = ::FindWindowExW(rename, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(edit), L"New bed");
    const std::wstring name = L"Verkt\u00F8y";
    test::TypeText(name);
    test::TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(rename); }, 3000)) << "the box stayed open";
    EXPECT_TRUE(WaitUntil([&] { return TextOf(fresh) == name; }, 3000)) << TextOf(fresh);
    EXPECT_TRUE(FileShows([&] {
        return Garden(L"Garden", L"Count") == L"3" && Garden(L"Bed2", L"Name") == name;
    })) << "Count "
        << Garden(L"Garden", L"Count") << ", Bed2 " << Garden(L"Bed2", L"Name");

    // Deleting the Apps bed hands its items to the catch-all bed, after its own.
    const std::vector<std::wstring> apps = Items(L"Bed0");
    std::vector<std::wstring> want = Items(L"Bed1");
    want.insert(want.end(), apps.begin(), apps.end());
    ASSERT_NE(OpenBedMenu(Empty(apps_)), nullptr);
    for (int entry = 0; entry < 5; ++entry) {
        test::TapKey(VK_DOWN);
    }
    test::TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(apps_); }, 3000)) << "the Apps bed stayed";
    EXPECT_TRUE(FileShows([&] {
        return Garden(L"Garden", L"Count") == L"2" && Items(L"Bed0") == want;
    })) << "Count "
        << Garden(L"Garden", L"Count") << ", Bed0 " << Garden(L"Bed0", L"Items");
    EXPECT_EQ(Garden(L"Bed0", L"Name"), L"Desktop");
    EXPECT_EQ(Garden(L"Bed1", L"Name"), name);
}

}  // namespace
}  // namespace corvane
