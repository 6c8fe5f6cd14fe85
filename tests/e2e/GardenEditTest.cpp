// Editing the desktop beds of the real corvane.exe by hand: a header click
// rolls a bed up and down, an item dragged onto the other bed moves there, a
// double-click opens an item, and the bed menu makes, renames and deletes
// beds. Each edit is read back from garden.ini as the profile API reads it,
// and the desktop folders must come out of every test untouched. The grid,
// the drop rules and the cleaning of names are the unit tests' business.

#include "base/Win32Handles.h"
#include "e2e/E2ESupport.h"

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

std::vector<std::wstring> SplitItems(const std::wstring& value) {
    std::vector<std::wstring> ids;
    for (std::size_t at = 0; at < value.size();) {
        const std::size_t end = std::min(value.find(L'|', at), value.size());
        ids.push_back(value.substr(at, end - at));
        at = end + 1;
    }
    return ids;
}

// Where the id of the file called `name` stands among `ids`, or ids.size().
std::size_t IndexOfFile(const std::vector<std::wstring>& ids, std::wstring_view name) {
    const auto found = std::ranges::find_if(ids, [&](const std::wstring& id) {
        return id.size() > name.size() && id.ends_with(name) &&
               id[id.size() - name.size() - 1] == L'\\';
    });
    return static_cast<std::size_t>(found - ids.begin());
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

// As typed on a keyboard that has the characters; the window in front gets them.
void TypeText(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ::Sleep(200);
}

class GardenEditE2E : public test::CorvaneTest {
protected:
    // A few entries on both desktops, then Corvane with its first two beds.
    void StartGarden() {
        ASSERT_TRUE(desktops_.ready);
        ASSERT_TRUE(Put(desktops_.user, L"Notes.txt", "notes"));
        ASSERT_TRUE(::CreateDirectoryW(desktops_.user.File(L"Projects").c_str(), nullptr));
        // A program on the desktop that shows a window of its own when opened
        // with no arguments.
        test::CopyBuiltFile(L"test_helper.exe", desktops_.user.File(L"Opener.exe"));
        ASSERT_TRUE(Put(desktops_.common, L"Shared.url",
                        "[InternetShortcut]\r\nURL=https://example.com/\r\n"));
        ASSERT_TRUE(Put(desktops_.common, L"readme.md", "# readme\n"));
        before_ = Listings();
        ASSERT_EQ(before_[0].size(), 3u);
        ASSERT_NE(StartCorvane(test::IniText({.garden = true})), nullptr);
        ASSERT_NE(apps_ = BedTitled(L"Apps"), nullptr);
        ASSERT_NE(desktop_ = BedTitled(L"Desktop"), nullptr);
        ASSERT_TRUE(FileShows([&] { return Value(L"Garden", L"Count") == L"2"; }));
        ASSERT_EQ(Items(L"Bed0").size(), 2u) << Value(L"Bed0", L"Items");
    }

    void TearDown() override {
        // What a double-click opened is the only helper window here.
        for (int i = 0; i < 3; ++i) {
            if (const HWND opened = ::FindWindowW(test::kHelperWindowClass, nullptr)) {
                CloseProgramOf(opened);
            }
        }
        CorvaneTest::TearDown();
        if (!before_.empty()) {
            EXPECT_EQ(Listings(), before_) << "a desktop file was touched";
        }
    }

    static bool Put(const test::TempFolder& folder, const wchar_t* name, const std::string& text) {
        return test::WriteFileBytes(folder.File(name),
                                    std::vector<uint8_t>(text.begin(), text.end()));
    }
    [[nodiscard]] std::array<std::vector<std::wstring>, 2> Listings() const {
        return {test::FolderListing(desktops_.user.Path()),
                test::FolderListing(desktops_.common.Path())};
    }
    static void CloseProgramOf(HWND window) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        const UniqueHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid));
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        if (process && ::WaitForSingleObject(process.Get(), 5000) != WAIT_OBJECT_0) {
            ::TerminateProcess(process.Get(), 1);
            ::WaitForSingleObject(process.Get(), 5000);
        }
    }

    [[nodiscard]] std::wstring Value(const wchar_t* section, const wchar_t* key) const {
        return test::ReadIniValue(folder_.File(L"garden.ini"), section, key);
    }
    [[nodiscard]] std::vector<std::wstring> Items(const wchar_t* section) const {
        return SplitItems(Value(section, L"Items"));
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

    // The visible bed window of that name, waited for.
    [[nodiscard]] HWND BedTitled(const std::wstring& name) const {
        HWND bed = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : test::FindProcessWindows(corvane_.ProcessId(), kBedClass)) {
                    bed = ::IsWindowVisible(w) && TextOf(w) == name ? w : bed;
                }
                return bed != nullptr;
            },
            5000);
        return bed;
    }
    // The first visible window of the class that Corvane shows, waited for.
    [[nodiscard]] HWND Shown(const wchar_t* className) const {
        HWND shown = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : test::FindProcessWindows(corvane_.ProcessId(), className)) {
                    shown = ::IsWindowVisible(w) ? w : shown;
                }
                return shown != nullptr;
            },
            5000);
        return shown;
    }

    [[nodiscard]] static int Height(HWND window) {
        const RECT r = WindowRect(window);
        return r.bottom - r.top;
    }
    // On the icon of the item shown at `index`: cells of 84 x 80 points, as
    // many columns as fit in the width less 16, centred, 34 points down.
    [[nodiscard]] POINT OnItem(HWND bed, std::size_t index) const {
        const RECT r = WindowRect(bed);
        const double width = (r.right - r.left) * 96.0 / dpi_;
        const auto columns =
            static_cast<std::size_t>(std::max(1, static_cast<int>((width - 16) / 84)));
        const double x = (width - static_cast<double>(columns) * 84) / 2 +
                         static_cast<double>(index % columns) * 84 + 42;
        const double y = 34 + static_cast<double>(index / columns) * 80 + 25;
        return {r.left + Px(x), r.top + Px(y)};
    }
    // Below the first row, where neither first bed has items.
    [[nodiscard]] POINT Empty(HWND bed) const {
        const RECT r = WindowRect(bed);
        return {(r.left + r.right) / 2, r.top + Px(250)};
    }

    // The bed menu of the bed under `p`, opened with the right button.
    [[nodiscard]] HWND OpenBedMenu(POINT p) const {
        test::RightClick(p);
        return Shown(L"#32768");
    }

    test::RedirectedDesktops desktops_;
    std::array<std::vector<std::wstring>, 2> before_;
    HWND apps_ = nullptr;
    HWND desktop_ = nullptr;
};

TEST_F(GardenEditE2E, ThePointerRollsABedMovesAnItemToTheOtherBedAndOpensOne) {
    ASSERT_NO_FATAL_FAILURE(StartGarden());

    // A click on the header without moving rolls the bed up to its header and
    // back to the height it keeps in the file.
    const int stored = std::stoi(Value(L"Bed0", L"H"));
    ASSERT_EQ(Height(apps_), stored);
    const POINT header{WindowRect(apps_).left + Px(100), WindowRect(apps_).top + Px(15)};
    test::Click(header);
    EXPECT_TRUE(WaitUntil([&] { return Height(apps_) == Px(30); }, 3000)) << Height(apps_);
    {
        // Another program reads the file when the save comes (a backup, an
        // editor), so it cannot be replaced: the save is tried again later.
        const UniqueHandle reader(::CreateFileW(folder_.File(L"garden.ini").c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        ::Sleep(1500);
    }
    EXPECT_TRUE(FileShows([&] { return Value(L"Bed0", L"Collapsed") == L"1"; }));
    test::Click(header);
    EXPECT_TRUE(WaitUntil([&] { return Height(apps_) == stored; }, 3000)) << Height(apps_);
    EXPECT_TRUE(FileShows([&] { return Value(L"Bed0", L"Collapsed") == L"0"; }));

    // Notes.txt from the Desktop bed onto the empty part of the Apps bed: it
    // leaves the one and comes last in the other. The X server keeps the
    // pressed bed's hold on the pointer over the gap and the other bed.
    const std::vector<std::wstring> apps = Items(L"Bed0");
    const std::vector<std::wstring> desktop = Items(L"Bed1");
    const std::size_t notes = IndexOfFile(desktop, L"notes.txt");
    ASSERT_LT(notes, desktop.size()) << Value(L"Bed1", L"Items");
    const POINT grab = OnItem(desktop_, notes);
    const POINT drop = Empty(apps_);
    test::ServerDragAlong({grab,
                           {grab.x - Px(12), grab.y + Px(4)},
                           {(grab.x + drop.x) / 2, (grab.y + drop.y) / 2},
                           drop,
                           {drop.x + 1, drop.y}});
    std::vector<std::wstring> wantApps = apps;
    wantApps.push_back(desktop[notes]);
    std::vector<std::wstring> wantDesktop = desktop;
    wantDesktop.erase(wantDesktop.begin() + static_cast<std::ptrdiff_t>(notes));
    EXPECT_TRUE(FileShows([&] {
        return Items(L"Bed0") == wantApps && Items(L"Bed1") == wantDesktop;
    })) << "Apps: "
        << Value(L"Bed0", L"Items") << "\nDesktop: " << Value(L"Bed1", L"Items");

    // A double-click on Opener.exe starts it.
    ASSERT_EQ(::FindWindowW(test::kHelperWindowClass, nullptr), nullptr);
    const std::size_t opener = IndexOfFile(Items(L"Bed0"), L"opener.exe");
    ASSERT_LT(opener, Items(L"Bed0").size()) << Value(L"Bed0", L"Items");
    test::MovePointer(OnItem(apps_, opener));
    for (int click = 0; click < 2; ++click) {
        test::SendMouse(MOUSEEVENTF_LEFTDOWN);
        test::SendMouse(MOUSEEVENTF_LEFTUP);
    }
    EXPECT_TRUE(WaitUntil(
        [] { return ::FindWindowW(test::kHelperWindowClass, nullptr) != nullptr; }, 10000))
        << "Opener.exe did not start";
}

TEST_F(GardenEditE2E, TheBedMenuMakesRenamesAndDeletesBeds) {
    ASSERT_NO_FATAL_FAILURE(StartGarden());

    // Every bed can be made, renamed, sorted and rolled; only the catch-all
    // bed cannot go, as its items would have nowhere to be.
    std::vector<std::wstring> common = {L" New bed", L" Rename \u2026", L" Sort by name",
                                        L" Roll up"};
    std::vector<std::wstring> deletable = common;
    deletable.insert(deletable.end(), {L"-", L" Delete bed (files stay)"});
    for (std::vector<std::wstring>* entries : {&common, &deletable}) {
        entries->insert(entries->end(), {L"-", L" CorGarden settings \u2026"});
    }
    for (const auto& [bed, entries] : {std::pair{apps_, deletable}, std::pair{desktop_, common}}) {
        SCOPED_TRACE(TextOf(bed));
        const HWND menu = OpenBedMenu(Empty(bed));
        ASSERT_NE(menu, nullptr) << "no bed menu";
        EXPECT_EQ(test::OpenMenuEntries(corvane_.ProcessId()), entries);
        test::TapKey(VK_ESCAPE);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(menu); }, 3000));
    }

    // "New bed" from the Desktop bed, clear of the Apps bed: the new bed opens
    // with its name ready to be typed over.
    ASSERT_NE(OpenBedMenu(Empty(desktop_)), nullptr);
    test::TapKey(VK_DOWN);
    test::TapKey(VK_RETURN);
    const HWND fresh = BedTitled(L"New bed");
    ASSERT_NE(fresh, nullptr) << "no new bed";
    const HWND rename = Shown(L"CorvaneGardenRename");
    ASSERT_NE(rename, nullptr) << "no rename box";
    const HWND edit = ::FindWindowExW(rename, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(edit), L"New bed");
    const std::wstring name = L"Verkt\u00F8y";
    TypeText(name);
    test::TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(rename); }, 3000)) << "the box stayed open";
    EXPECT_TRUE(WaitUntil([&] { return TextOf(fresh) == name; }, 3000)) << TextOf(fresh);
    EXPECT_TRUE(FileShows([&] {
        return Value(L"Garden", L"Count") == L"3" && Value(L"Bed2", L"Name") == name;
    })) << "Count "
        << Value(L"Garden", L"Count") << ", Bed2 " << Value(L"Bed2", L"Name");

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
        return Value(L"Garden", L"Count") == L"2" && Items(L"Bed0") == want;
    })) << "Count "
        << Value(L"Garden", L"Count") << ", Bed0 " << Value(L"Bed0", L"Items");
    EXPECT_EQ(Value(L"Bed0", L"Name"), L"Desktop");
    EXPECT_EQ(Value(L"Bed1", L"Name"), name);
}

}  // namespace
}  // namespace corvane
