// Which windows name the application, the name fallbacks and the full-screen
// rectangle rule.

#include "config/Language.h"
#include "identity/DisplayNameCache.h"
#include "identity/ForegroundDecision.h"
#include "identity/ForegroundFromFocus.h"
#include "identity/ForegroundRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

TEST(ForegroundRules, FileExecutableAndFallbackNamesOfAPath) {
    // Path, file name, executable name.
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> rows[] = {
        {L"C:\\Program Files\\App\\App.exe", L"App.exe", L"app.exe"},
        {L"C:\\mixed/dir\\last.exe", L"last.exe", L"last.exe"},
        {L"C:/mixed\\dir/Last.EXE", L"Last.EXE", L"last.exe"},
        {L"notepad.exe", L"notepad.exe", L"notepad.exe"},
        {L"C:\\folder\\", L"", L""},
        {L"", L"", L""}};
    for (const auto& [path, fileName, exeName] : rows) {
        EXPECT_EQ(FileNameOf(path), fileName) << path;
        EXPECT_EQ(ExecutableNameOf(path), exeName) << path;
    }
    // A name from the file name cuts the extension and raises the first letter.
    for (const auto& [file, name] : {std::pair{L"notepad.exe", L"Notepad"},
                                     {L"qBittorrent.exe", L"QBittorrent"},
                                     {L"node.v18.exe", L"Node.v18"},
                                     {L"README", L"README"},
                                     {L"7zFM.exe", L"7zFM"},
                                     {L".exe", L""},
                                     {L"", L""}}) {
        EXPECT_EQ(NameFromFileName(file), name) << file;
    }
}

TEST(ForegroundRules, WindowClassification) {
    // Class, process; a shell surface (class without case, or a shell process), the
    // desktop (explorer's exact desktop classes), never full screen (exact classes, or a
    // shell process).
    const std::tuple<const wchar_t*, const wchar_t*, bool, bool, bool> rows[] = {
        {L"Shell_TrayWnd", L"x.exe", true, false, true},
        {L"SHELL_TRAYWND", L"x.exe", true, false, false},
        {L"#32768", L"x.exe", true, false, false},
        {L"Shell_TrayWndX", L"x.exe", false, false, false},
        {L"Progman", L"explorer.exe", false, true, true},
        {L"WorkerW", L"explorer.exe", false, true, true},
        {L"progman", L"explorer.exe", false, false, true},
        {L"CabinetWClass", L"explorer.exe", false, false, true},
        {L"Progman", L"game.exe", false, false, true},
        {L"progman", L"game.exe", false, false, false},
        {L"Windows.UI.Core.CoreWindow", L"searchhost.exe", true, false, true},
        {L"Windows.UI.Core.CoreWindow", L"searchapp.exe", true, false, false},
        {L"LockScreen", L"lockapp.exe", true, false, true},
        {L"UnityWndClass", L"game.exe", false, false, false},
        {L"", L"", false, false, false}};
    for (const auto& [cls, exe, shellSurface, desktop, notFullscreen] : rows) {
        SCOPED_TRACE(testing::Message() << cls << " / " << exe);
        EXPECT_EQ(IsShellSurface(cls, exe), shellSurface);
        EXPECT_EQ(IsDesktopWindow(exe, cls), desktop);
        EXPECT_EQ(IsExcludedFromFullscreen(cls, exe), notFullscreen);
    }
}

TEST(ForegroundRules, DescriptionFromVersionValueStopsAtLengthOrTerminator) {
    // Value, its length with the terminator, description.
    const std::tuple<const wchar_t*, std::size_t, const wchar_t*> rows[] = {
        {L"  Notepad \t\r\n", 14, L"  Notepad"},
        {nullptr, 10, L""},
        {L"", 1, L""},
        {L"A", 1, L""},
        {L"A", 2, L"A"},
        {L"   ", 4, L""},
        {L"AppXX", 3, L"App"},
        {L"Ok\0junk", 8, L"Ok"}};
    for (const auto& [value, lengthWithNull, description] : rows) {
        EXPECT_EQ(DescriptionFromVersionValue(value, lengthWithNull), description)
            << lengthWithNull;
    }
    // Zero-padded, lower-case hex: 0x0409 and 1200 (0x04B0) show both.
    EXPECT_EQ(FileDescriptionQuery(0x0409, 1200), L"\\StringFileInfo\\040904b0\\FileDescription");
}

TEST(ForegroundRules, FullscreenIsAnUnmaximisedWindowCoveringItsDisplay) {
    const PixelRect main{0, 0, 1920, 1080};
    const PixelRect left{-1280, 0, 0, 1024};
    const PixelRect below{0, 1080, 1920, 2160};
    // Window, display, maximised; full screen.
    const std::tuple<PixelRect, PixelRect, bool, bool> rows[] = {
        {{0, 0, 1920, 1080}, main, false, true},     {{-8, -8, 1928, 1088}, main, false, true},
        {{-8, -8, 1928, 1088}, main, true, false},   {{1, 0, 1920, 1080}, main, false, false},
        {{0, 1, 1920, 1080}, main, false, false},    {{0, 0, 1919, 1080}, main, false, false},
        {{0, 0, 1920, 1079}, main, false, false},    {{-1280, 0, 0, 1024}, left, false, true},
        {{0, 1080, 1920, 2160}, below, false, true}, {{0, 0, 1920, 2000}, below, false, false}};
    for (const auto& [window, display, maximised, fullscreen] : rows) {
        EXPECT_EQ(IsFullscreenWindow(window, display, maximised), fullscreen)
            << window.left << "," << window.top << " " << window.right << "," << window.bottom
            << " max " << maximised;
    }
    // SHQueryUserNotificationState: D3D full screen and presentation mode.
    for (const int state : {2, 3, 4, 5}) {
        EXPECT_EQ(IsFullscreenNotificationState(state), state == 3 || state == 4) << state;
    }
}

// The window in front when focus moved: the system's foreground, or the
// focused program's window while the system still reports the desktop.
// Window ids: 1 the desktop, 2 ours, 5 and 7 programs' windows.
TEST(ForegroundFromFocus, PicksTheWindowInFrontAndWhetherToLookAgain) {
    using K = ForegroundKind;
    const std::tuple<const char*, FocusWitness, FocusVerdict> cases[] = {
        {"a new foreground", {5, K::App, 0, 7}, {5, false}},
        {"the same foreground", {5, K::App, 0, 5}, {0, false}},
        {"focus in another program", {5, K::App, 7, 5}, {0, true}},
        {"ours in front, a program focused", {2, K::Ours, 7, 5}, {0, true}},
        {"the desktop reported, a program focused", {1, K::Desktop, 7, 1}, {7, true}},
        {"the desktop reported, that program handled", {1, K::Desktop, 7, 7}, {0, true}},
        {"the desktop, nothing focused", {1, K::Desktop, 0, 5}, {1, true}},
        {"no foreground, nothing focused", {0, K::None, 0, 5}, {0, true}}};
    for (const auto& [name, witness, verdict] : cases) {
        const FocusVerdict got = DecideForegroundFromFocus(witness);
        EXPECT_EQ(got.front, verdict.front) << name;
        EXPECT_EQ(got.lookAgain, verdict.lookAgain) << name;
    }
}

// Naming the application in front: shell exceptions, the store-app host, the
// name fallbacks, the icon rule, the bounded cache and change detection.
std::vector<uint64_t> g_destroyed;

void RecordDestroyed(uint64_t icon) noexcept {
    g_destroyed.push_back(icon);
}

const std::wstring kFrameHost = L"C:\\Windows\\System32\\ApplicationFrameHost.exe";
const std::wstring kCalc = L"C:\\Program Files\\WindowsApps\\Calc\\CalculatorApp.exe";

class FakeSources final : public ForegroundSources {
public:
    std::map<uint64_t, std::wstring> hosted = {
        {15, kCalc}, {17, L""}, {18, L"C:\\other\\child.exe"}};
    std::map<std::wstring, std::wstring> described = {
        {L"C:\\Windows\\explorer.exe", L"Windows Explorer"},
        {kCalc, L"Calculator"},
        {kFrameHost, L"Application Frame Host"},
        {L"C:\\Apps\\editor.exe", L"Editor"}};
    std::map<std::wstring, uint64_t> extracted = {{L"C:\\Apps\\editor.exe", 0x500}};
    std::map<uint64_t, uint64_t> windowIcons = {{7, 0x70}, {14, 0x140}, {30, 0x300}};
    bool copyFails = false;
    int descriptionCalls = 0, extractCalls = 0, windowIconCalls = 0;
    uint64_t nextCopy = 0x9000;

    template <typename Map>
    static typename Map::mapped_type Get(const Map& map, const typename Map::key_type& key,
                                         int& calls) {
        ++calls;
        const auto it = map.find(key);
        return it == map.end() ? typename Map::mapped_type{} : it->second;
    }
    std::optional<std::wstring> HostedAppPath(uint64_t hostWindow) override {
        return hosted.count(hostWindow) ? std::optional(hosted[hostWindow]) : std::nullopt;
    }
    std::wstring FileDescription(const std::wstring& path) override {
        return Get(described, path, descriptionCalls);
    }
    uint64_t ExtractFileIcon(const std::wstring& path) override {
        return Get(extracted, path, extractCalls);
    }
    uint64_t WindowIcon(uint64_t window) override {
        return Get(windowIcons, window, windowIconCalls);
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

TEST_F(IdentifyForegroundTest, NamesExeAndIcon) {
    struct Row {
        const char* name;
        uint64_t window;
        const wchar_t* cls;
        std::wstring path;
        const wchar_t* displayName;  // nullptr: the previous application stays
        const wchar_t* exeName = L"";
        bool cached = false;  // the path went through the name cache
        uint64_t icon = 0;
        const wchar_t* exePath = nullptr;  // after the store-app rule; nullptr: as given
        bool norwegian = false;
    };
    const std::wstring explorer = L"C:\\Windows\\explorer.exe";
    const wchar_t *host = L"ApplicationFrameWindow", *cabinet = L"CabinetWClass",
                  *exe = L"explorer.exe";
    const Row rows[] = {
        {"null window", 0, L"Notepad", L"C:\\Windows\\notepad.exe", nullptr},
        {"context menu", 4, L"#32768", L"C:\\Apps\\editor.exe", nullptr},
        {"desktop", 7, L"Progman", explorer, L"Desktop", exe, false, 0x70},
        {"Norwegian desktop", 8, L"WorkerW", explorer, L"Skrivebord", exe, false, 0, nullptr, true},
        {"explorer window", 9, cabinet, explorer, L"Windows Explorer", exe, true},
        {"no description", 10, cabinet, L"C:\\Other\\explorer.exe", L"Explorer", exe, true},
        {"no description and no stem", 11, L"Frame", L"C:\\odd\\.exe", L"Windows", L".exe", true},
        {"unknown process", 14, L"Elevated", L"", L"Windows", L"", false, 0x140},
        {"store app", 15, host, kFrameHost, L"Calculator", L"calculatorapp.exe", true, 0,
         kCalc.c_str()},
        {"store app host alone", 16, host, kFrameHost, L"Application Frame Host",
         L"applicationframehost.exe", true},
        {"store app that cannot be opened", 17, host, kFrameHost, L"Windows", L"", false, 0, L""},
        {"only the frame host hosts", 18, L"Parent", L"C:\\Apps\\parent.exe", L"Parent",
         L"parent.exe", true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DisplayNameCache cache(kDisplayNameCacheCapacity, &RecordDestroyed);
        sources_.descriptionCalls = 0;
        SetNorwegian(r.norwegian);
        const auto id =
            IdentifyForeground(ForegroundFacts{r.window, r.cls, r.path}, cache, sources_);
        EXPECT_EQ(cache.Size(), r.cached ? 1u : 0u);
        EXPECT_EQ(sources_.descriptionCalls, r.cached ? 1 : 0);
        if (r.displayName == nullptr) {
            EXPECT_FALSE(id);
            continue;
        }
        ASSERT_TRUE(id);
        EXPECT_EQ(id->displayName, r.displayName);
        EXPECT_EQ(id->exeName, r.exeName);
        EXPECT_EQ(id->exePath, r.exePath != nullptr ? std::wstring(r.exePath) : r.path);
        EXPECT_EQ(id->icon, r.icon);
    }
}

TEST_F(IdentifyForegroundTest, EachPathIsResolvedOnceAndItsWindowIconCopiedOnce) {
    const std::wstring path = L"C:\\Apps\\editor.exe";
    for (uint64_t window : {20u, 21u, 20u}) {
        const auto id = Identify(window, L"EditorFrame", path);
        ASSERT_TRUE(id);
        EXPECT_EQ(id->displayName, L"Editor");
        EXPECT_EQ(id->icon, 0x500u);
    }
    EXPECT_EQ(sources_.descriptionCalls, 1);
    EXPECT_EQ(sources_.extractCalls, 1);
    EXPECT_EQ(sources_.windowIconCalls, 0);
    // An empty name is remembered like any other.
    ASSERT_TRUE(Identify(11, L"Frame", L"C:\\odd\\.exe"));
    ASSERT_TRUE(Identify(11, L"Frame", L"C:\\odd\\.exe"));
    EXPECT_EQ(sources_.descriptionCalls, 2);

    // A window icon of a cached application is copied and kept.
    sources_.windowIconCalls = 0;
    const std::wstring noIcon = L"C:\\Apps\\noicon.exe";
    const auto first = Identify(30, L"Frame", noIcon);
    ASSERT_TRUE(first);
    // The bar shows the cache's copy, never the borrowed handle, so the next
    // visit shows the very same icon without asking again.
    EXPECT_EQ(first->icon, 0x9000u);
    EXPECT_EQ(Identify(30, L"Frame", noIcon)->icon, first->icon);
    EXPECT_EQ(sources_.windowIconCalls, 1);
    EXPECT_EQ(cache_.Find(noIcon)->icon, 0x9000u);

    // A failed copy shows the borrowed icon and keeps none.
    sources_.copyFails = true;
    const std::wstring other = L"C:\\Apps\\other.exe";
    EXPECT_EQ(Identify(30, L"Frame", other)->icon, 0x300u);
    EXPECT_EQ(cache_.Find(other)->icon, 0u);
}

TEST_F(IdentifyForegroundTest, ChangeIsANewNameIconOrWindowNeverATitle) {
    const auto shown = Identify(20, L"EditorFrame", L"C:\\Apps\\editor.exe");
    ASSERT_TRUE(shown);
    const std::wstring name = shown->displayName;  // compared by value, not by address
    const CurrentAppView current{20, name, shown->icon};
    EXPECT_FALSE(IsApplicationChange(current, 20, *shown));
    // Another window of the same application: its menus may differ.
    EXPECT_TRUE(IsApplicationChange(current, 21, *shown));
    AppIdentity changed = *shown;
    changed.icon = 0x501;
    EXPECT_TRUE(IsApplicationChange(current, 20, changed));
    changed = *shown;
    changed.displayName = L"Skrivebord";  // the same window renamed by a language switch
    EXPECT_TRUE(IsApplicationChange(current, 20, changed));
    changed = *shown;
    changed.exePath = L"D:\\editor.exe";  // path and executable decide nothing
    changed.exeName = L"other.exe";
    EXPECT_FALSE(IsApplicationChange(current, 20, changed));
}

using DisplayNameCacheTest = IdentifyForegroundTest;

TEST_F(DisplayNameCacheTest, ExactPathKeysEvictionAndReplacedIcons) {
    {
        DisplayNameCache cache(2, &RecordDestroyed);
        cache.Insert(L"a", L"A", 0xA);
        cache.Insert(L"b", L"B", 0xB);
        EXPECT_EQ(cache.Find(L"A"), nullptr);  // ordinal: another case is another key
        ASSERT_NE(cache.Find(L"a"), nullptr);  // a is now the most recent
        cache.Insert(L"c", L"C", 0xC);
        EXPECT_EQ(cache.Size(), 2u);
        EXPECT_EQ(g_destroyed, std::vector<uint64_t>{0xB});
        EXPECT_EQ(cache.Find(L"b"), nullptr);
        ASSERT_NE(cache.Find(L"a"), nullptr);

        // Reinserting a path replaces its entry and evicts nothing else.
        cache.Insert(L"a", L"New", 0xAA);
        EXPECT_EQ(cache.Find(L"a")->displayName, L"New");
        EXPECT_NE(cache.Find(L"c"), nullptr);
        EXPECT_EQ(g_destroyed, (std::vector<uint64_t>{0xB, 0xA}));
        g_destroyed.clear();
    }
    // The rest go with the cache.
    std::sort(g_destroyed.begin(), g_destroyed.end());
    EXPECT_EQ(g_destroyed, (std::vector<uint64_t>{0xC, 0xAA}));

    // SetIcon destroys only a replaced icon.
    g_destroyed.clear();
    DisplayNameCache cache(2, &RecordDestroyed);
    DisplayNameCache::Entry& e = cache.Insert(L"a", L"A", 0);
    cache.SetIcon(e, 0x1);
    cache.SetIcon(e, 0x1);
    EXPECT_TRUE(g_destroyed.empty());
    cache.SetIcon(e, 0x2);
    EXPECT_EQ(g_destroyed, std::vector<uint64_t>{0x1});
}

}  // namespace
}  // namespace corvane
