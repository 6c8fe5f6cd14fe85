#include "identity/ElevationRules.h"
#include "identity/WindowIdentity.h"

#include <gtest/gtest.h>

#include <map>

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
    const struct {
        ProcessIntegrity own, target;
        bool beyondReach;
    } rows[] = {
        {medium, medium, false}, {medium, low, false},    {medium, high, true},
        {medium, system, true},  {medium, guarded, true}, {medium, unknown, false},
        {low, medium, true},     {high, system, true},    {high, high, false},
        {high, guarded, false},  {uiAccess, high, false}, {unknown, high, false},
        {guarded, high, false},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(IsBeyondReach(rows[i].own, rows[i].target), rows[i].beyondReach) << "row " << i;
    }
}

}  // namespace
}  // namespace corvane
