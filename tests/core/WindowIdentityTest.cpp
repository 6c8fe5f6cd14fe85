#include "config/Language.h"
#include "identity/AppTargets.h"
#include "identity/AppWindowFilter.h"
#include "identity/ElevationRules.h"
#include "identity/WindowIdentity.h"
#include "identity/IconCache.h"
#include "identity/IconDrawGeometry.h"
#include "identity/IconSourceRules.h"
#include "identity/IconTrim.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

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

// A transparent BGRA canvas with optional padding after each row.
struct Canvas {
    int width, height;
    std::size_t stride;
    std::vector<uint8_t> bytes;

    Canvas(int w, int h, std::size_t padding = 0)
        : width(w),
          height(h),
          stride(static_cast<std::size_t>(w) * 4 + padding),
          bytes(stride * static_cast<std::size_t>(h), 0) {}

    uint8_t& Alpha(int x, int y) {
        return bytes[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4 + 3];
    }
    // Inclusive rectangle.
    void Fill(int x0, int y0, int x1, int y1, uint8_t alpha = 255) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                Alpha(x, y) = alpha;
            }
        }
    }
    PixelView View() const { return PixelView{bytes, width, height, stride}; }
};

TEST(ComputeIconCrop, ContentUnder62PercentOfTheWidthGetsASquareOfItPlusMargin) {
    // Name, canvas width and height, an inclusive rectangle of alpha 255; the crop.
    const std::tuple<const char*, int, int, int, int, int, int, std::optional<IconCrop>> rows[] = {
        {"100 x 100 centred: 106 + 2", 256, 256, 78, 78, 177, 177, IconCrop{73, 73, 108}},
        {"158 wide is 62 %", 256, 256, 49, 120, 206, 130, std::nullopt},
        {"157 wide: 166 + 2", 256, 256, 50, 120, 206, 130, IconCrop{44, 41, 168}},
        {"canvas narrower than 64", 63, 256, 30, 30, 33, 33, std::nullopt},
        {"smallest canvas", 64, 64, 30, 30, 33, 33, IconCrop{28, 28, 6}},
        {"kept inside at the top left", 256, 256, 0, 0, 9, 9, IconCrop{0, 0, 12}},
        {"kept inside at the bottom right", 256, 256, 246, 246, 255, 255, IconCrop{244, 244, 12}},
        {"tall content is measured against the width", 100, 300, 10, 10, 14, 89, std::nullopt},
        {"no taller than a low canvas", 300, 64, 20, 10, 169, 20, IconCrop{62, 0, 64}}};
    for (const auto& [name, width, height, x0, y0, x1, y1, crop] : rows) {
        Canvas c(width, height);
        c.Fill(x0, y0, x1, y1);
        EXPECT_EQ(ComputeIconCrop(c.View()), crop) << name;
    }
}

TEST(FindVisibleBounds, MatchesAFullScanOnRandomImages) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + static_cast<int>(random() % 90);
        const int h = 1 + static_cast<int>(random() % 90);
        Canvas c(w, h, random() % 3 * 4);
        for (int dots = static_cast<int>(random() % 6); dots > 0; --dots) {
            c.Alpha(static_cast<int>(random() % w), static_cast<int>(random() % h)) =
                static_cast<uint8_t>(random() % 256);
        }
        std::optional<AlphaBounds> expected;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (c.Alpha(x, y) > 12) {
                    AlphaBounds b = expected.value_or(AlphaBounds{x, y, x, y});
                    expected = AlphaBounds{std::min(b.minX, x), std::min(b.minY, y),
                                           std::max(b.maxX, x), std::max(b.maxY, y)};
                }
            }
        }
        ASSERT_EQ(FindVisibleBounds(c.View()), expected) << "round " << round;
    }
}

TEST(FindVisibleBounds, RefusesViewsWhoseBytesDoNotHoldEveryRow) {
    // The last row needs no padding after it.
    Canvas padded(80, 80, 16);
    padded.Fill(79, 79, 79, 79);
    PixelView view = padded.View();
    view.bytes = view.bytes.first(view.bytes.size() - 16);
    EXPECT_EQ(FindVisibleBounds(view), (AlphaBounds{79, 79, 79, 79}));

    PixelView cut = view;
    cut.bytes = view.bytes.first(view.bytes.size() - 1);
    PixelView narrowStride = view;
    narrowStride.stride = 80 * 4 - 1;
    PixelView negative = view;
    negative.height = -5;
    // Sizes whose product would wrap around are refused, not read.
    PixelView huge = view;
    huge.height = INT_MAX;
    huge.stride = SIZE_MAX / 2;
    for (const PixelView& bad : {cut, narrowStride, negative, huge}) {
        EXPECT_EQ(FindVisibleBounds(bad), std::nullopt);
        EXPECT_EQ(ComputeIconCrop(bad), std::nullopt);
    }
}

TEST(IconSourceRules, ModulesByExtensionShellImageSizesAndGroupDirectories) {
    EXPECT_TRUE(IsIconModulePath(L"C:\\Windows\\System32\\SHELL32.DLL"));
    EXPECT_TRUE(IsIconModulePath(L"a.Exe"));
    EXPECT_FALSE(IsIconModulePath(L".exe"));  // needs more than the extension
    EXPECT_FALSE(IsIconModulePath(L"C:\\Links\\app.exe.lnk"));
    EXPECT_EQ(ShellImageSize(48), 96);
    EXPECT_EQ(ShellImageSize(49), 256);

    // An icon group directory must hold every entry it counts.
    const auto group = [](uint16_t reserved, uint16_t type, uint16_t count, std::size_t entries) {
        std::vector<uint8_t> bytes = {
            static_cast<uint8_t>(reserved), static_cast<uint8_t>(reserved >> 8),
            static_cast<uint8_t>(type),     static_cast<uint8_t>(type >> 8),
            static_cast<uint8_t>(count),    static_cast<uint8_t>(count >> 8)};
        bytes.resize(6 + 14 * entries, 0x20);
        return bytes;
    };
    EXPECT_TRUE(IsValidIconGroupDirectory(group(0, 1, 2, 2)));
    auto truncated = group(0, 1, 2, 2);
    truncated.pop_back();
    EXPECT_FALSE(IsValidIconGroupDirectory(truncated));
    EXPECT_FALSE(IsValidIconGroupDirectory(group(0, 1, 0xFFFF, 4)));
    EXPECT_FALSE(IsValidIconGroupDirectory(group(0, 1, 0, 0)));
    EXPECT_FALSE(IsValidIconGroupDirectory(group(0, 2, 1, 1)));  // a cursor group
    EXPECT_FALSE(IsValidIconGroupDirectory(group(1, 1, 1, 1)));
    EXPECT_FALSE(IsValidIconGroupDirectory(std::vector<uint8_t>{0, 0, 1, 0, 1}));
}

TEST(DrawIconGeometry, BitmapsMatchingTheSnappedSizeAreCopiedPixelForPixel) {
    // A 48-pixel bitmap in 32 DIPs at 150 %: 10.2 x 1.5 = 15.3 -> 15; 7.7 x 1.5 = 11.55 ->
    // 12; the size stays 48 pixels.
    const float scale = PixelScaleForDpi(144.0f);
    const PointRect snapped = SnapToDevicePixels({10.2f, 7.7f, 42.2f, 39.7f}, scale);
    EXPECT_EQ(snapped, (PointRect{10.0f, 8.0f, 42.0f, 40.0f}));
    EXPECT_EQ(ChooseIconSampling(48, 48, snapped, scale), IconSampling::NearestNeighbor);
    EXPECT_EQ(ChooseIconSampling(64, 64, snapped, scale), IconSampling::HighQualityCubic);
    EXPECT_EQ(ChooseIconSampling(48, 47, snapped, scale), IconSampling::HighQualityCubic);

    // The size is snapped on its own, not the right edge. Width 32.7 x 1.25 = 40.875 -> 41
    // pixels; rounding the right edge (33.1 x 1.25 = 41.375 -> 41) would leave 40 after the
    // left's 1.
    const PointRect r = SnapToDevicePixels({0.4f, 0, 33.1f, 32.7f}, 1.25f);
    EXPECT_FLOAT_EQ(r.left, 0.8f);
    EXPECT_FLOAT_EQ((r.right - r.left) * 1.25f, 41.0f);
    EXPECT_EQ(ChooseIconSampling(41, 41, r, 1.25f), IconSampling::NearestNeighbor);

    // An unusable DPI counts as 96.
    for (const float dpi : {0.0f, -144.0f, std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity()}) {
        EXPECT_FLOAT_EQ(PixelScaleForDpi(dpi), 1.0f);
    }
}

// Stands in for the disk: a loaded icon is its file's number, 0 a failure.
struct FakeDisk {
    std::map<std::wstring, int> files;
    std::map<std::wstring, int> loads;  // by the path as asked

    auto Loader() {
        return [this](std::wstring_view path, int32_t) {
            ++loads[std::wstring(path)];
            const auto found = files.find(std::wstring(path));
            return found == files.end() ? 0 : found->second;
        };
    }
};

TEST(IconCache, KeysArePathsInAnyCaseAndSizesAndFailuresLastUntilTheCacheIsCleared) {
    FakeDisk disk;
    disk.files[L"C:\\Apps\\Editor.exe"] = 7;
    IconCache<int> cache;
    EXPECT_EQ(cache.Get(L"C:\\Apps\\Editor.exe", 32, disk.Loader()), 7);
    EXPECT_EQ(cache.Get(L"c:\\apps\\EDITOR.EXE", 32, disk.Loader()), 7);
    EXPECT_EQ(disk.loads[L"C:\\Apps\\Editor.exe"], 1);
    EXPECT_EQ(cache.Get(L"C:\\Apps\\Editor.exe", 48, disk.Loader()), 7);
    EXPECT_EQ(disk.loads[L"C:\\Apps\\Editor.exe"], 2);

    // A missing file stays missing until the cache is cleared.
    const std::wstring missing = L"C:\\Gone\\gone.exe";
    EXPECT_EQ(cache.Get(missing, 32, disk.Loader()), 0);
    disk.files[missing] = 9;  // it appears, but the failure is remembered

    // 198 more keys make 201 entries; repeated keys never clear.
    for (int i = 0; i < 400; ++i) {
        (void)cache.Get(L"C:\\other" + std::to_wstring(i % 198) + L".exe", 32, disk.Loader());
    }
    EXPECT_EQ(cache.Size(), 201u);
    EXPECT_EQ(cache.Get(missing, 32, disk.Loader()), 0);
    EXPECT_EQ(disk.loads[missing], 1);

    // The next new key finds more than 200 entries and clears them all.
    (void)cache.Get(L"C:\\one-more.exe", 32, disk.Loader());
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_EQ(cache.Get(missing, 32, disk.Loader()), 9);
    EXPECT_EQ(disk.loads[missing], 2);
}

}  // namespace
}  // namespace corvane
