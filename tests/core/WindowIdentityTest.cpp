#include "config/Language.h"
#include "identity/AppTargets.h"
#include "identity/AppWindowFilter.h"
#include "identity/ElevationRules.h"
#include "identity/WindowIdentity.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

namespace corvane {
namespace {

// System answers per window, with a count of the questions asked.
struct FakeIdentitySource final : IdentitySource {
    std::map<WindowId, std::wstring> windowAppIds, imagePaths, packageAppIds, classNames;
    std::map<WindowId, WindowId> cores;
    int calls = 0, packageCalls = 0;

    std::wstring Answer(std::map<WindowId, std::wstring>& answers, WindowId w) {
        ++calls;
        return answers[w];
    }
    std::wstring WindowAppId(WindowId w) override { return Answer(windowAppIds, w); }
    std::wstring ImagePath(WindowId w) override { return Answer(imagePaths, w); }
    std::wstring PackageAppId(WindowId w) override {
        ++packageCalls;
        return Answer(packageAppIds, w);
    }
    std::wstring ClassName(WindowId w) override { return classNames[w]; }
    WindowId CoreWindowOf(WindowId w) override { return cores[w]; }
};

TEST(IdentifyWindow, OwnIdThenPackageIdentityAndTheSteamRule) {
    FakeIdentitySource source;
    source.windowAppIds[1] = L"Contoso.Editor";
    source.imagePaths[1] = L"C:/Program Files/Contoso/Editor.EXE";
    source.packageAppIds[1] = L"Contoso.Package_abc!App";
    source.imagePaths[2] = L"C:\\Program Files\\WindowsApps\\Calc\\Calculator.exe";
    source.packageAppIds[2] = L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App";
    source.imagePaths[4] = L"C:\\Steam\\bin\\cef\\cef.win7x64\\steamwebhelper.exe";
    source.classNames[8] = source.classNames[9] = L"ApplicationFrameWindow";
    source.imagePaths[8] = L"C:\\Windows\\System32\\ApplicationFrameHost.EXE";
    source.imagePaths[9] = L"C:\\Apps\\lookalike.exe";  // the class alone makes no frame
    IdentityCache cache;

    const WindowIdentity own = IdentifyWindow(1, cache, source);
    EXPECT_EQ(own.appId, L"Contoso.Editor");  // case kept
    EXPECT_EQ(own.exePath, L"C:/Program Files/Contoso/Editor.EXE");
    EXPECT_EQ(own.pathKey, L"c:\\program files\\contoso\\editor.exe");
    EXPECT_EQ(source.packageCalls, 0);

    // No id in the property store, but the process has a package identity.
    EXPECT_EQ(IdentifyWindow(2, cache, source).appId,
              L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App");

    // Steam's browser windows group with Steam itself.
    EXPECT_EQ(IdentifyWindow(4, cache, source).exePath, L"C:\\Steam\\steam.exe");
    EXPECT_EQ(cache.Find(4)->pathKey, L"c:\\steam\\steam.exe");

    // A frame is its core window's app; while it holds none it is unknown and asked again.
    EXPECT_TRUE(IdentifyWindow(8, cache, source).pathKey.empty() && !cache.Find(8));
    source.cores[8] = source.cores[9] = 2;
    EXPECT_EQ(IdentifyWindow(8, cache, source).appId, cache.Find(2)->appId);
    EXPECT_EQ(IdentifyWindow(9, cache, source).exePath, L"C:\\Apps\\lookalike.exe");

    // A process that could not be opened leaves everything empty.
    const WindowIdentity unknown = IdentifyWindow(3, cache, source);
    EXPECT_TRUE(unknown.appId.empty() && unknown.exePath.empty() && unknown.pathKey.empty());
}

TEST(IdentifyWindow, AKnownWindowIsNeverAskedAgainUntilItDies) {
    FakeIdentitySource source;
    source.imagePaths[5] = L"C:\\A\\a.exe";
    source.imagePaths[6] = L"C:\\B\\b.exe";
    IdentityCache cache;
    const auto first = IdentifyWindows({5, 6, 5}, cache, source);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[1].window, 6u);
    EXPECT_EQ(first[2].pathKey, L"c:\\a\\a.exe");
    const int calls = source.calls;

    // Even when the system would now answer differently.
    source.imagePaths[5] = L"C:\\Other\\other.exe";
    source.windowAppIds[5] = L"Late.Id";
    const WindowIdentity again = IdentifyWindow(5, cache, source);
    EXPECT_EQ(source.calls, calls);
    EXPECT_EQ(again.pathKey, L"c:\\a\\a.exe");
    EXPECT_TRUE(again.appId.empty());

    cache.EraseDead([](WindowId w) { return w != 5; });
    EXPECT_EQ(cache.Find(5), nullptr);
    EXPECT_NE(cache.Find(6), nullptr);
    EXPECT_EQ(IdentifyWindow(5, cache, source).appId, L"Late.Id");
}

// Which processes are out of reach, from both integrity levels.
TEST(ElevationRules, OnlyAHigherProcessOrOneGuardedFromAnUnelevatedOneIsOutOfReach) {
    using R = ProcessIntegrity::Reading;
    const ProcessIntegrity low{R::Level, kIntegrityLow, false},
        medium{R::Level, kIntegrityMedium, false}, high{R::Level, kIntegrityHigh, false},
        system{R::Level, kIntegritySystem, false}, uiAccess{R::Level, kIntegrityMedium, true},
        guarded{R::TokenRefused, 0, false}, unknown{};
    // Own integrity, the target's; out of reach.
    const std::tuple<ProcessIntegrity, ProcessIntegrity, bool> rows[] = {
        {medium, medium, false}, {medium, low, false},    {medium, high, true},
        {medium, system, true},  {medium, guarded, true}, {medium, unknown, false},
        {low, medium, true},     {high, system, true},    {high, high, false},
        {high, guarded, false},  {uiAccess, high, false}, {unknown, high, false},
        {guarded, high, false},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& [own, target, beyondReach] = rows[i];
        EXPECT_EQ(IsBeyondReach(own, target), beyondReach) << "row " << i;
    }
}

// What the shell calls a target (empty: nothing) and what is shown.
TEST(AppTargets, TargetsReadNeverAsParsingNames) {
    SetNorwegian(false);  // whatever an earlier test left
    const wchar_t* const calculator =
        L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App";
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"", calculator, L"Windows Calculator"},
        {L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", calculator, L"Windows Calculator"},
        {L"Calculator", calculator, L"Calculator"},
        {L"", kSettingsAppTarget, L"Settings"},
        {L"", L"shell:AppsFolder\\{6D809377-6AF0-444B-8957-A3773F02200E}\\Tool\\tool.exe", L"tool"},
        {L"notepad.exe", L"C:\\Windows\\notepad.exe", L"notepad"},
        {L"Wine Notepad", L"C:\\Windows\\notepad.exe", L"Wine Notepad"},
        {L"", L"D:\\Apps\\PaintDotNet.EXE", L"Paint Dot Net"},
        {L"Steam Link.lnk", L"C:/Games/Steam Link.lnk", L"Steam Link"},
        {L"", L"C:\\Tools\\RAID Manager.exe", L"RAID Manager"},
        {L"", L"C:\\Tools\\", L"C:\\Tools\\"},
    };
    for (const auto& [shellName, target, shown] : cases) {
        EXPECT_EQ(ShownTargetName(shellName, target), shown) << target;
    }
}

TEST(AppTargets, LastComponentsAppsFolderPrefixQuotedAppPathsAndTheSteamRule) {
    EXPECT_EQ(LastPathComponent(L"C:/Apps\\sub/tool.exe"), L"tool.exe");
    EXPECT_EQ(LastPathComponent(L"ms-settings:display"), L"ms-settings:display");
    // The whole prefix with its backslash, in any case.
    EXPECT_TRUE(IsAppsFolderTarget(L"SHELL:APPSFOLDER\\Microsoft.WindowsCalculator!App"));
    EXPECT_FALSE(IsAppsFolderTarget(L"SHELL:APPSFOLDERMicrosoft.WindowsCalculator!App"));
    EXPECT_FALSE(IsAppsFolderTarget(L"SHELL:APPSFOLDER"));
    EXPECT_FALSE(IsAppsFolderTarget(L"C:\\shell:AppsFolder\\x"));
    // Only the quoted path is kept.
    EXPECT_EQ(UnquoteAppPathValue(L"\"C:\\Program Files\\App\\app.exe\" --flag"),
              L"C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(UnquoteAppPathValue(L"C:\\App\\app.exe"), L"C:\\App\\app.exe");
    EXPECT_EQ(UnquoteAppPathValue(L"\"C:\\App\\app.exe"), L"C:\\App\\app.exe");
    EXPECT_EQ(UnquoteAppPathValue(L"C:\\a \"b\""), L"C:\\a \"b\"");

    // Only the embedded browser becomes Steam itself (IdentifyWindow has the plain case); case
    // and slashes of the folder are kept, and the first cef folder decides.
    EXPECT_EQ(ApplySteamRule(L"E:/Games/STEAM/BIN/CEF/cef.win64/SteamWebHelper.EXE"),
              L"E:/Games/STEAM\\steam.exe");
    EXPECT_EQ(ApplySteamRule(L"D:\\a\\bin\\cef\\b\\bin\\cef\\steamwebhelper.exe"),
              L"D:\\a\\steam.exe");
    for (const wchar_t* other :
         {L"C:\\Steam\\bin\\steamwebhelper.exe", L"C:\\Steam\\bin\\cef\\x\\otherhelper.exe",
          L"C:\\Steam\\bin\\cef\\steamwebhelper.exe.bak", L""}) {
        EXPECT_EQ(ApplySteamRule(other), other);
    }
}

struct Facts {
    bool visible = true;
    uint32_t exStyle = 0;
    bool owned = false;
    bool cloaked = false;
    const wchar_t* className = L"Chrome_WidgetWin_1";
    bool ours = false;
    int titleLength = 12;
};

// A window made of plain facts that counts how often each is asked for.
struct FakeWindow final : AppWindowProbe {
    explicit FakeWindow(const Facts& f) : facts(f) {}
    Facts facts;
    std::map<char, int> asked;

    template <typename T>
    T Note(char fact, T value) {
        ++asked[fact];
        return value;
    }
    bool IsVisible() override { return Note('v', facts.visible); }
    uint32_t ExtendedStyle() override { return Note('x', facts.exStyle); }
    bool HasOwner() override { return Note('o', facts.owned); }
    bool IsCloaked() override { return Note('c', facts.cloaked); }
    std::wstring ClassName() override { return Note('n', std::wstring(facts.className)); }
    bool BelongsToThisProcess() override { return Note('p', facts.ours); }
    int TitleLength() override { return Note('t', facts.titleLength); }
};

TEST(IsDockAppWindow, VisibleUnownedTitledForeignWindowsOrThoseAskingForAButton) {
    // The window's facts; whether it counts.
    const std::tuple<const char*, Facts, bool> rows[] = {
        {"plain", {}, true},
        {"hidden", {.visible = false}, false},
        {"tool window", {.exStyle = kExStyleToolWindow}, false},
        {"tool window with a button", {.exStyle = kExStyleToolWindow | kExStyleAppWindow}, true},
        {"no-activate", {.exStyle = kExStyleNoActivate}, false},
        {"no-activate with a button", {.exStyle = kExStyleNoActivate | kExStyleAppWindow}, true},
        {"topmost and layered", {.exStyle = 0x00000008u | 0x00080000u}, true},
        {"owned", {.owned = true}, false},
        {"owned asking for a button", {.exStyle = kExStyleAppWindow, .owned = true}, true},
        {"cloaked", {.cloaked = true}, false},
        {"ours", {.ours = true}, false},
        {"untitled", {.titleLength = 0}, false},
        {"desktop", {.className = L"Progman"}, false},
        {"taskbar", {.className = L"Shell_TrayWnd"}, false},
        {"classes compare exactly", {.className = L"progman"}, true},
        {"a longer class", {.className = L"WorkerW2"}, true},
        {"secondary taskbar", {.className = L"Shell_SecondaryTrayWnd"}, true},
    };
    for (const auto& [name, facts, counts] : rows) {
        SCOPED_TRACE(name);
        FakeWindow window(facts);
        EXPECT_EQ(IsDockAppWindow(window), counts);
        // Each fact is a system call: asked at most once, none past a hidden window.
        for (const auto& [fact, times] : window.asked) {
            EXPECT_EQ(times, 1) << fact;
        }
        if (!facts.visible) {
            EXPECT_EQ(window.asked.size(), 1u);
        }
    }
}

}  // namespace
}  // namespace corvane
