#include "dock/DefaultPins.h"
#include "config/SettingsText.h"
#include "dock/DockModel.h"
#include "identity/AppTargets.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace corvane {
namespace {

using Strings = std::vector<std::wstring>;

// Every name in `existing` is there; an installed exe resolves to "=" + name.
struct FakeProbes : DefaultPinProbes {
    std::wstring steam;
    std::set<std::wstring, std::less<>> existing;

    std::wstring WindowsDirectory() override { return L"W"; }
    std::wstring ResolveAppPath(std::wstring_view exe) override {
        return FileExists(exe) ? L"=" + std::wstring(exe) : L"";
    }
    std::wstring SteamExe() override { return steam; }
    bool FolderExists(std::wstring_view path) override { return FileExists(path); }
    bool FileExists(std::wstring_view path) override { return existing.contains(path); }
    std::wstring Environment(std::wstring_view name) override {
        return name == L"APPDATA" ? L"R" : name == L"LOCALAPPDATA" ? L"L" : L"";
    }
};

TEST(DockModel, FirstRunPinsWhatIsInstalledInOrder) {
    const std::wstring settings =
        L"shell:AppsFolder\\windows.immersivecontrolpanel_cw5n1h2txyewy!microsoft.windows."
        L"immersivecontrolpanel";
    const struct {
        std::wstring steam;
        Strings existing;
        Strings pins;
    } rows[] = {
        {L"", {L"msedge.exe"}, {L"W\\explorer.exe", L"=msedge.exe", settings}},
        {L"c:/st/steam.exe",
         {L"firefox.exe", L"brave.exe", L"msedge.exe", L"c:\\st\\steam.exe", L"L\\Discord",
          L"R\\Spotify\\Spotify.exe"},
         {L"W\\explorer.exe", L"=brave.exe", L"=firefox.exe", L"c:\\st\\steam.exe",
          L"shell:AppsFolder\\com.squirrel.Discord.Discord", L"R\\Spotify\\Spotify.exe", settings}},
        {L"c:/gone/steam.exe", {L"L\\Spotify\\Spotify.exe"}, {L"W\\explorer.exe", settings}},
    };
    for (const auto& row : rows) {
        FakeProbes probes;
        probes.steam = row.steam;
        probes.existing.insert(row.existing.begin(), row.existing.end());
        EXPECT_EQ(SeedDefaultPins(probes), row.pins);
    }
}

WindowIdentity Window(WindowId id, std::wstring appId, std::wstring exe) {
    return {id, std::move(appId), NormalizePathKey(exe), exe};
}

// Each item as "+" (pinned) or "-", its target, its window ids, and "!" when
// it asks for attention.
std::wstring Show(const std::vector<DockItem>& items) {
    std::wstring text;
    for (const DockItem& item : items) {
        text += (text.empty() ? L"" : L" ") + std::wstring(item.pinned ? L"+" : L"-") + item.target;
        for (WindowId window : item.windows) {
            text += L"#" + std::to_wstring(window);
        }
        text += item.attention ? L"!" : L"";
    }
    return text;
}

TEST(DockModel, WindowsGroupIntoPinnedAndRunningItems) {
    const struct {
        Strings pinned;
        std::vector<WindowIdentity> windows;
        std::wstring dock;
    } rows[] = {
        {{L"C:/Apps/Tool.EXE"},
         {Window(1, L"", L"c:\\apps\\tool.exe"), Window(2, L"Some.Id", L"C:\\APPS\\TOOL.exe")},
         L"+ +C:/Apps/Tool.EXE#1#2"},
        {{L"shell:AppsFolder\\Vendor.App!Main"},
         {Window(1, L"", L"c:\\v\\app.exe"), Window(2, L"VENDOR.app!main", L"c:\\v\\app.exe"),
          Window(3, L"", L"")},
         L"+ +shell:AppsFolder\\Vendor.App!Main#2 -c:\\v\\app.exe#1"},
        {{},
         {Window(1, L"A.One", L"c:\\x.exe"), Window(2, L"A.Two", L"c:\\x.exe"),
          Window(3, L"a.one", L"c:\\y.exe"), Window(4, L"", L"c:\\x.exe"),
          Window(5, L"", L"C:\\X.exe")},
         L"+ -shell:AppsFolder\\A.One#1#3 -shell:AppsFolder\\A.Two#2 -c:\\x.exe#4#5"},
        // Chat's program is known. An id match first; by path unless the ids differ.
        {{L"C:\\B\\browser.exe", L"shell:AppsFolder\\Chat", L"shell:AppsFolder\\Web.App"},
         {Window(1, L"", L"c:\\chat.exe"), Window(2, L"Other", L"c:\\chat.exe"),
          Window(3, L"web.app", L"c:\\b\\browser.exe")},
         L"+ +C:\\B\\browser.exe +shell:AppsFolder\\Chat#1 +shell:AppsFolder\\Web.App#3 "
         L"-shell:AppsFolder\\Other#2"},
        // A shortcut's program is known too.
        {{L"C:\\Menu\\Chat.lnk"}, {Window(1, L"", L"c:\\chat.exe")}, L"+ +C:\\Menu\\Chat.lnk#1"},
    };
    const auto programs = [](std::wstring_view t) {
        return t.ends_with(L"Chat") || t.ends_with(L"Chat.lnk") ? L"C:\\CHAT.exe" : L"";
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Show(RebuildDockItems({}, row.pinned, row.windows, programs).items), row.dock);
    }
}

std::vector<uint64_t> KeysOf(const std::vector<DockItem>& items) {
    std::vector<uint64_t> keys;
    for (const DockItem& item : items) {
        keys.push_back(item.key);
    }
    return keys;
}

TEST(DockModel, RunningTargetKeepsOnlyWhatThePinnedListCanHold) {
    const std::wstring exe = L"c:\\v\\app.exe";
    const struct {
        std::wstring appId;
        std::wstring exe;
        std::wstring target;
    } rows[] = {
        {L"Vendor.App!Main", exe, L"shell:AppsFolder\\Vendor.App!Main"},
        {L"Vendor|App", exe, exe},
        {L"Vendor.App\r\n[Bar]", exe, exe},
        {std::wstring(kMaxStoredIdentifierChars, L'a'), exe, exe},
        {L"Vendor|App", L"", L""},
        {L"", L"c:\\v\\a\tb.exe", L""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RunningTarget(Window(1, row.appId, row.exe)), row.target) << row.appId.size();
    }
}

TEST(DockModel, RebuildKeepsRunningOrderAndCarriesStateByTarget) {
    const WindowIdentity a = Window(1, L"", L"a"), b = Window(2, L"", L"b"),
                         c = Window(3, L"", L"c");
    const std::vector<std::vector<WindowIdentity>> steps = {{a, b}, {c, b, a}, {c, b}, {b, a, c}};
    const Strings expected = {L"+ -a#1 -b#2", L"+ -a#1 -b#2 -c#3", L"+ -b#2 -c#3",
                              L"+ -b#2 -c#3 -a#1"};
    std::vector<DockItem> items;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        items = RebuildDockItems(items, {}, steps[i]).items;
        EXPECT_EQ(Show(items), expected[i]) << "step " << i;
    }

    // The running b gets pinned; the pinned P loses its pin but keeps a window.
    std::vector<DockItem> old =
        RebuildDockItems({}, {L"P", L"gone"}, {b, Window(4, L"", L"p")}).items;
    old[0].attention = old[1].attention = true;
    old[1].name = L"Pinned";
    old[3].name = L"Running";
    const DockRebuild rebuilt = RebuildDockItems(old, {L"B", L"new"}, {Window(4, L"", L"p")});
    EXPECT_EQ(Show(rebuilt.items), L"+! +B +new -p#4!");
    EXPECT_EQ(PlacesOfKeys(KeysOf(old), rebuilt.items), (std::vector<int>{0, 3, -1, 1}));
    EXPECT_EQ(rebuilt.items[0].name + rebuilt.items[1].name + rebuilt.items[3].name,
              L"StartRunningPinned");
}

// Start, pinned P and Q, running r and s, each with one window.
std::vector<DockItem> Sample() {
    return RebuildDockItems({}, {L"P", L"Q"},
                            {Window(1, L"", L"P"), Window(2, L"", L"Q"), Window(3, L"", L"r"),
                             Window(4, L"", L"s")})
        .items;
}

TEST(DockModel, PinningByCommand) {
    const struct {
        std::size_t index;
        bool pin;
        std::wstring dock;
    } rows[] = {
        {4, true, L"+ +P#1 +Q#2 +s#4 -r#3"},
        {1, false, L"+ -P#1 +Q#2 -r#3 -s#4"},
        {0, false, L"+ +P#1 +Q#2 -r#3 -s#4"},
        {5, true, L"+ +P#1 +Q#2 -r#3 -s#4"},
    };
    for (const auto& row : rows) {
        std::vector<DockItem> items = Sample();
        SetPinned(items, row.index, row.pin);
        EXPECT_EQ(Show(items), row.dock);
    }
    std::vector<DockItem> twice = Sample();
    twice[4].target = L"R";
    SetPinned(twice, 3, true);
    EXPECT_EQ(PinnedTargets(twice), (Strings{L"P", L"Q", L"r", L"R"}));
    // Pins that nothing resolves now (a drive that is out) keep their places and text.
    const Strings gone = {L"E:\\Run.EXE", L"shell:AppsFolder\\Gone!App", L"P"};
    std::vector<DockItem> items =
        RebuildDockItems({}, gone, {Window(1, L"", L"P"), Window(3, L"", L"r")}, [](auto) {
            return L"";
        }).items;
    SetPinned(items, 4, true);
    EXPECT_EQ(PinnedTargets(items), (Strings{gone[0], gone[1], gone[2], L"r"}));
}

TEST(DockModel, DraggingReordersAndPins) {
    const struct {
        int pressed;
        std::vector<int> slots;
        int moves;
        int releaseY;  // the dock's top is at 200, at 144 dpi
        std::wstring dock;
    } rows[] = {
        {3, {2}, 1, 0, L"+ +P#1 +r#3 +Q#2 -s#4"},       // between pinned ones
        {1, {2, 3}, 2, 125, L"+ +Q#2 +P#1 -r#3 -s#4"},  // past the last pinned one
        {1, {}, 0, 124, L"+ -P#1 +Q#2 -r#3 -s#4"},      // up and out
        {4, {3, 0}, 1, 200, L"+ +P#1 +Q#2 -s#4 -r#3"},  // never before Start
        {3, {4, 9}, 1, 200, L"+ +P#1 +Q#2 -s#4 -r#3"},
    };
    for (const auto& row : rows) {
        std::vector<DockItem> items = Sample();
        int pressed = row.pressed, moves = 0;
        for (int slot : row.slots) {
            moves += MoveDraggedItem(items, pressed, slot) ? 1 : 0;
        }
        EXPECT_EQ(moves, row.moves);
        const bool out = DockDragIsOut(row.releaseY, 200, 144, items[pressed].pinned);
        DropDraggedItem(items, pressed, out);
        EXPECT_EQ(Show(items), row.dock);
    }
}

TEST(DockModel, OpenPreviewFollowsItsItemThroughARebuild) {
    const std::vector<DockItem> before = Sample();  // + +P#1 +Q#2 -r#3 -s#4
    const std::vector<DockItem> after =             // + +P +Q#2 -s#4
        RebuildDockItems(before, {L"P", L"Q"}, {Window(2, L"", L"Q"), Window(4, L"", L"s")}).items;
    const std::tuple<std::size_t, int, std::wstring> cases[] = {
        {4, -1, L"s"}, {2, -1, L"Q"}, {3, -1, L""}, {1, -1, L""},
        {4, 2, L"Q"},  {4, 1, L""},   {4, 0, L""},  {4, 9, L""}};
    for (const auto& [shown, hovered, expected] : cases) {
        const int index = PreviewItemAfterChange(after, before[shown].key, hovered);  // in `after`
        EXPECT_EQ(index < 0 ? L"" : after[static_cast<std::size_t>(index)].target, expected)
            << shown << " " << hovered;
    }
}

TEST(DockModel, AttentionFollowsFlashAndForeground) {
    std::vector<DockItem> items = Sample();
    MarkAttention(items, 3, 3);  // already in front
    MarkAttention(items, 2, 3);
    MarkAttention(items, 4, 3);
    ClearAttention(items, 1);
    ClearAttention(items, 4);
    EXPECT_EQ(Show(items), L"+ +P#1 +Q#2! -r#3 -s#4");
}

}  // namespace
}  // namespace corvane
