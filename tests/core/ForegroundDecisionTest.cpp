// Naming the application in front: shell exceptions, the store-app host, the
// name fallbacks, the icon rule, the bounded cache and change detection.

#include "identity/DisplayNameCache.h"
#include "identity/ForegroundDecision.h"
#include "config/Language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace corvane {
namespace {

std::vector<uint64_t> g_destroyed;

void RecordDestroyed(uint64_t icon) noexcept {
    g_destroyed.push_back(icon);
}

bool WasDestroyed(uint64_t icon) {
    return std::find(g_destroyed.begin(), g_destroyed.end(), icon) != g_destroyed.end();
}

class FakeSources final : public ForegroundSources {
public:
    std::map<uint64_t, std::wstring> hosted;         // host window -> child's image path
    std::map<std::wstring, std::wstring> described;  // path -> FileDescription
    std::map<std::wstring, uint64_t> extracted;      // path -> icon in the file
    std::map<uint64_t, uint64_t> windowIcons;        // window -> its icon
    bool copyFails = false;

    int descriptionCalls = 0;
    int extractCalls = 0;
    int windowIconCalls = 0;
    uint64_t nextCopy = 0x9000;

    std::optional<std::wstring> HostedAppPath(uint64_t hostWindow) override {
        const auto it = hosted.find(hostWindow);
        if (it == hosted.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    std::wstring FileDescription(const std::wstring& path) override {
        ++descriptionCalls;
        const auto it = described.find(path);
        return it == described.end() ? std::wstring() : it->second;
    }
    uint64_t ExtractFileIcon(const std::wstring& path) override {
        ++extractCalls;
        const auto it = extracted.find(path);
        return it == extracted.end() ? 0 : it->second;
    }
    uint64_t WindowIcon(uint64_t window) override {
        ++windowIconCalls;
        const auto it = windowIcons.find(window);
        return it == windowIcons.end() ? 0 : it->second;
    }
    uint64_t CopyIcon(uint64_t) override { return copyFails ? 0 : nextCopy++; }
};

class IdentifyForegroundTest : public testing::Test {
protected:
    void SetUp() override {
        SetNorwegian(false);
        g_destroyed.clear();
    }
    void TearDown() override { SetNorwegian(false); }

    std::optional<AppIdentity> Identify(uint64_t window, const std::wstring& cls,
                                        const std::wstring& path) {
        return IdentifyForeground(ForegroundFacts{window, cls, path}, cache_, sources_);
    }

    DisplayNameCache cache_{kDisplayNameCacheCapacity, &RecordDestroyed};
    FakeSources sources_;
};

TEST_F(IdentifyForegroundTest, NullWindowAndShellSurfacesLeaveThePreviousApplication) {
    EXPECT_FALSE(Identify(0, L"Notepad", L"C:\\Windows\\notepad.exe"));
    // Start menu, search, task view, a context menu, a tooltip.
    EXPECT_FALSE(Identify(1, L"Windows.UI.Core.CoreWindow",
                          L"C:\\Windows\\SystemApps\\StartMenuExperienceHost.exe"));
    EXPECT_FALSE(Identify(2, L"Windows.UI.Core.CoreWindow", L"C:\\Windows\\SearchHost.exe"));
    EXPECT_FALSE(Identify(3, L"XamlExplorerHostIslandWindow", L"C:\\Windows\\explorer.exe"));
    EXPECT_FALSE(Identify(4, L"#32768", L"C:\\Apps\\editor.exe"));
    EXPECT_FALSE(Identify(5, L"tooltips_class32", L"C:\\Apps\\editor.exe"));
    EXPECT_EQ(cache_.Size(), 0u);
    EXPECT_EQ(sources_.descriptionCalls, 0);
}

TEST_F(IdentifyForegroundTest, DesktopIsNamedInTheUsersLanguageWithoutTheCache) {
    sources_.windowIcons[7] = 0x70;
    const auto en = Identify(7, L"Progman", L"C:\\Windows\\explorer.exe");
    ASSERT_TRUE(en);
    EXPECT_EQ(en->displayName, L"Desktop");
    EXPECT_EQ(en->exeName, L"explorer.exe");
    EXPECT_EQ(en->icon, 0x70u);

    SetNorwegian(true);
    const auto no = Identify(8, L"WorkerW", L"C:\\Windows\\explorer.exe");
    ASSERT_TRUE(no);
    EXPECT_EQ(no->displayName, L"Skrivebord");
    EXPECT_EQ(cache_.Size(), 0u);
    EXPECT_EQ(sources_.descriptionCalls, 0);
}

TEST_F(IdentifyForegroundTest, ExplorerWindowsAreNamedLikeAnyOtherApplication) {
    sources_.described[L"C:\\Windows\\explorer.exe"] = L"Windows Explorer";
    const auto described = Identify(9, L"CabinetWClass", L"C:\\Windows\\explorer.exe");
    ASSERT_TRUE(described);
    EXPECT_EQ(described->displayName, L"Windows Explorer");
    const auto bare = Identify(10, L"CabinetWClass", L"C:\\Other\\explorer.exe");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->displayName, L"Explorer");
}

TEST_F(IdentifyForegroundTest, EmptyDescriptionAndStemFallBackToWindows) {
    const auto id = Identify(11, L"Frame", L"C:\\odd\\.exe");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->displayName, L"Windows");
    // The empty name is remembered like any other: the file is not read again.
    ASSERT_TRUE(Identify(11, L"Frame", L"C:\\odd\\.exe"));
    EXPECT_EQ(sources_.descriptionCalls, 1);
}

TEST_F(IdentifyForegroundTest, DescriptionNamesTheApplication) {
    sources_.described[L"C:\\Apps\\code.exe"] = L"Visual Studio Code";
    const auto id = Identify(12, L"Chrome_WidgetWin_1", L"C:\\Apps\\code.exe");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->displayName, L"Visual Studio Code");
    EXPECT_EQ(id->exeName, L"code.exe");
    EXPECT_EQ(id->exePath, L"C:\\Apps\\code.exe");
}

TEST_F(IdentifyForegroundTest, FileNameFallbackKeepsCaseAfterTheFirstLetter) {
    const auto id = Identify(13, L"Main", L"C:\\Tools\\myCoolTool.v2.exe");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->displayName, L"MyCoolTool.v2");
    EXPECT_EQ(id->exeName, L"mycooltool.v2.exe");
}

TEST_F(IdentifyForegroundTest, UnknownProcessIsWindowsAndUsesTheWindowIcon) {
    sources_.windowIcons[14] = 0x140;
    const auto id = Identify(14, L"Elevated", L"");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->displayName, L"Windows");
    EXPECT_EQ(id->icon, 0x140u);
    EXPECT_EQ(cache_.Size(), 0u);
    EXPECT_EQ(sources_.descriptionCalls, 0);
}

TEST_F(IdentifyForegroundTest, StoreAppIsNamedAfterItsOwnProcess) {
    const std::wstring host = L"C:\\Windows\\System32\\ApplicationFrameHost.exe";
    const std::wstring calc = L"C:\\Program Files\\WindowsApps\\Calc\\CalculatorApp.exe";
    sources_.hosted[15] = calc;
    sources_.described[calc] = L"Calculator";
    sources_.described[host] = L"Application Frame Host";
    const auto id = Identify(15, L"ApplicationFrameWindow", host);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->displayName, L"Calculator");
    EXPECT_EQ(id->exeName, L"calculatorapp.exe");
    EXPECT_EQ(id->exePath, calc);
}

TEST_F(IdentifyForegroundTest, StoreAppHostWithoutAForeignChildKeepsItsOwnName) {
    const std::wstring host = L"C:\\Windows\\System32\\ApplicationFrameHost.exe";
    sources_.described[host] = L"Application Frame Host";
    const auto id = Identify(16, L"ApplicationFrameWindow", host);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->displayName, L"Application Frame Host");
    EXPECT_EQ(id->exeName, L"applicationframehost.exe");
}

TEST_F(IdentifyForegroundTest, StoreAppWhoseProcessCannotBeOpenedIsWindows) {
    sources_.hosted[17] = L"";
    sources_.described[L"C:\\Windows\\System32\\ApplicationFrameHost.exe"] = L"Host";
    const auto id =
        Identify(17, L"ApplicationFrameWindow", L"C:\\Windows\\System32\\ApplicationFrameHost.exe");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->displayName, L"Windows");
    EXPECT_EQ(id->exeName, L"");
}

TEST_F(IdentifyForegroundTest, HostRuleAppliesOnlyToTheFrameHost) {
    sources_.hosted[18] = L"C:\\other\\child.exe";
    const auto id = Identify(18, L"Parent", L"C:\\Apps\\parent.exe");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->displayName, L"Parent");
}

TEST_F(IdentifyForegroundTest, EachPathIsResolvedOnce) {
    const std::wstring path = L"C:\\Apps\\editor.exe";
    sources_.described[path] = L"Editor";
    sources_.extracted[path] = 0x500;
    for (uint64_t window : {20u, 21u, 20u}) {
        const auto id = Identify(window, L"EditorFrame", path);
        ASSERT_TRUE(id);
        EXPECT_EQ(id->displayName, L"Editor");
        EXPECT_EQ(id->icon, 0x500u);
    }
    EXPECT_EQ(sources_.descriptionCalls, 1);
    EXPECT_EQ(sources_.extractCalls, 1);
    EXPECT_EQ(sources_.windowIconCalls, 0);
    EXPECT_EQ(cache_.Size(), 1u);
}

TEST_F(IdentifyForegroundTest, WindowIconOfACachedApplicationIsCopiedAndKept) {
    const std::wstring path = L"C:\\Apps\\noicon.exe";
    sources_.windowIcons[30] = 0x300;
    const auto first = Identify(30, L"Frame", path);
    ASSERT_TRUE(first);
    // The bar shows the cache's copy, never the borrowed handle ...
    EXPECT_EQ(first->icon, 0x9000u);
    // ... so the next visit shows the very same icon without asking again.
    const auto second = Identify(30, L"Frame", path);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->icon, first->icon);
    EXPECT_EQ(sources_.windowIconCalls, 1);
    EXPECT_EQ(cache_.Find(path)->icon, 0x9000u);
}

TEST_F(IdentifyForegroundTest, FailedCopyFallsBackToTheBorrowedIcon) {
    sources_.copyFails = true;
    sources_.windowIcons[31] = 0x310;
    const auto id = Identify(31, L"Frame", L"C:\\Apps\\noicon.exe");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->icon, 0x310u);
    EXPECT_EQ(cache_.Find(L"C:\\Apps\\noicon.exe")->icon, 0u);
}

TEST_F(IdentifyForegroundTest, SameWindowTwiceIsNoChange) {
    sources_.described[L"C:\\Apps\\editor.exe"] = L"Editor";
    sources_.extracted[L"C:\\Apps\\editor.exe"] = 0x500;
    const auto first = Identify(40, L"EditorFrame", L"C:\\Apps\\editor.exe");
    ASSERT_TRUE(first);
    const std::wstring shown = first->displayName;
    const CurrentAppView current{40, shown, first->icon};
    // The title is no input at all: the same window again is the same application.
    const auto again = Identify(40, L"EditorFrame", L"C:\\Apps\\editor.exe");
    ASSERT_TRUE(again);
    EXPECT_FALSE(IsApplicationChange(current, 40, *again));
    // Another window of the same application is a change (its menus may differ).
    EXPECT_TRUE(IsApplicationChange(current, 41, *again));
}

TEST(IsApplicationChange, NameIconOrWindow) {
    const std::wstring name = L"Editor";
    const CurrentAppView current{1, name, 0x10};
    AppIdentity same{L"C:\\e.exe", L"e.exe", L"Editor", 0x10};
    EXPECT_FALSE(IsApplicationChange(current, 1, same));
    AppIdentity renamed = same;
    renamed.displayName = L"Skrivebord";
    EXPECT_TRUE(IsApplicationChange(current, 1, renamed));
    AppIdentity newIcon = same;
    newIcon.icon = 0x11;
    EXPECT_TRUE(IsApplicationChange(current, 1, newIcon));
    EXPECT_TRUE(IsApplicationChange(current, 2, same));
    // Path and executable name alone decide nothing.
    AppIdentity moved = same;
    moved.exePath = L"D:\\e.exe";
    EXPECT_FALSE(IsApplicationChange(current, 1, moved));
}

TEST_F(IdentifyForegroundTest, LanguageSwitchRenamesTheDesktop) {
    const auto en = Identify(50, L"Progman", L"C:\\Windows\\explorer.exe");
    ASSERT_TRUE(en);
    const std::wstring shown = en->displayName;
    SetNorwegian(true);
    const auto no = Identify(50, L"Progman", L"C:\\Windows\\explorer.exe");
    ASSERT_TRUE(no);
    EXPECT_TRUE(IsApplicationChange(CurrentAppView{50, shown, en->icon}, 50, *no));
}

TEST_F(IdentifyForegroundTest, BoundedCacheNeverDestroysTheIconInFront) {
    DisplayNameCache small(3, &RecordDestroyed);
    uint64_t icon = 0x1000;
    uint64_t shown = 0;
    for (int round = 0; round < 3; ++round) {
        for (int app = 0; app < 10; ++app) {
            const std::wstring path = L"C:\\Apps\\app" + std::to_wstring(app) + L".exe";
            if (sources_.extracted.find(path) == sources_.extracted.end() || round > 0) {
                sources_.extracted[path] = ++icon;
            }
            const auto id =
                IdentifyForeground(ForegroundFacts{100u + app, L"Frame", path}, small, sources_);
            ASSERT_TRUE(id);
            shown = id->icon;
            ASSERT_NE(shown, 0u);
            ASSERT_FALSE(WasDestroyed(shown)) << "round " << round << " app " << app;
            ASSERT_LE(small.Size(), 3u);
        }
    }
    // 30 visits of 10 apps through 3 slots: every visit was a miss, and all but
    // the three cached icons were destroyed, each exactly once.
    EXPECT_EQ(sources_.extractCalls, 30);
    EXPECT_EQ(g_destroyed.size(), 27u);
    std::vector<uint64_t> sorted = g_destroyed;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
}

class DisplayNameCacheTest : public testing::Test {
protected:
    void SetUp() override { g_destroyed.clear(); }
};

TEST_F(DisplayNameCacheTest, FindsWhatWasInsertedByExactPath) {
    DisplayNameCache cache(4, &RecordDestroyed);
    EXPECT_EQ(cache.Find(L"C:\\a.exe"), nullptr);
    cache.Insert(L"C:\\a.exe", L"A", 0x1);
    ASSERT_NE(cache.Find(L"C:\\a.exe"), nullptr);
    EXPECT_EQ(cache.Find(L"C:\\a.exe")->displayName, L"A");
    // Ordinal: another case is another key.
    EXPECT_EQ(cache.Find(L"C:\\A.exe"), nullptr);
}

TEST_F(DisplayNameCacheTest, EvictsTheLeastRecentlyUsedAndDestroysItsIcon) {
    DisplayNameCache cache(2, &RecordDestroyed);
    cache.Insert(L"a", L"A", 0xA);
    cache.Insert(L"b", L"B", 0xB);
    ASSERT_NE(cache.Find(L"a"), nullptr);  // a is now the most recent
    cache.Insert(L"c", L"C", 0xC);
    EXPECT_EQ(cache.Size(), 2u);
    EXPECT_EQ(cache.Find(L"b"), nullptr);
    EXPECT_NE(cache.Find(L"a"), nullptr);
    EXPECT_NE(cache.Find(L"c"), nullptr);
    EXPECT_EQ(g_destroyed, std::vector<uint64_t>{0xB});
}

TEST_F(DisplayNameCacheTest, ReinsertingAPathReplacesItsEntry) {
    DisplayNameCache cache(2, &RecordDestroyed);
    cache.Insert(L"a", L"Old", 0xA);
    cache.Insert(L"b", L"B", 0xB);
    cache.Insert(L"a", L"New", 0xAA);
    EXPECT_EQ(cache.Size(), 2u);
    EXPECT_EQ(cache.Find(L"a")->displayName, L"New");
    EXPECT_NE(cache.Find(L"b"), nullptr);  // replacing did not evict another entry
    EXPECT_EQ(g_destroyed, std::vector<uint64_t>{0xA});
}

TEST_F(DisplayNameCacheTest, SetIconDestroysOnlyAReplacedIcon) {
    DisplayNameCache cache(2, &RecordDestroyed);
    DisplayNameCache::Entry& e = cache.Insert(L"a", L"A", 0);
    cache.SetIcon(e, 0x1);
    EXPECT_TRUE(g_destroyed.empty());
    cache.SetIcon(e, 0x1);
    EXPECT_TRUE(g_destroyed.empty());
    cache.SetIcon(e, 0x2);
    EXPECT_EQ(g_destroyed, std::vector<uint64_t>{0x1});
}

TEST_F(DisplayNameCacheTest, DestroysEveryOwnedIconAtTheEnd) {
    {
        DisplayNameCache cache(8, &RecordDestroyed);
        cache.Insert(L"a", L"A", 0xA);
        cache.Insert(L"b", L"B", 0);
        cache.Insert(L"c", L"C", 0xC);
    }
    std::sort(g_destroyed.begin(), g_destroyed.end());
    EXPECT_EQ(g_destroyed, (std::vector<uint64_t>{0xA, 0xC}));
}

}  // namespace
}  // namespace corvane
