#include "config/SettingsLoader.h"

#include "config/Language.h"
#include "config/SettingsText.h"
#include "base/Utf16.h"
#include "resources/DefaultSettingsText.h"

#include <string>

namespace corvane {
namespace {

// The value that no user writes: it tells an absent [Dock] Pinned apart from
// an empty one.
constexpr wchar_t kPinnedSentinel[] = L"\x0001";
constexpr std::size_t kLanguageBufferChars = 16;

class Reader {
public:
    explicit Reader(ProfileStore& store) : store_(store) {}

    int32_t Int(std::wstring_view section, std::wstring_view key, int32_t fallback,
                IntRange range) {
        return range.Clamp(store_.GetInt(section, key, fallback));
    }
    bool Bool(std::wstring_view section, std::wstring_view key, bool fallback) {
        return store_.GetInt(section, key, fallback ? 1 : 0) != 0;
    }
    std::wstring String(std::wstring_view section, std::wstring_view key,
                        std::wstring_view fallback) {
        return store_.GetString(section, key, fallback, kSettingsBufferChars);
    }
    // Lower-cased, split at the separator, each item trimmed, empty ones dropped.
    std::vector<std::wstring> LowerList(std::wstring_view section, std::wstring_view key,
                                        wchar_t separator) {
        return SplitList(ToLower(String(section, key, L"")), separator);
    }

private:
    ProfileStore& store_;
};

}  // namespace

Backdrop ParseBackdrop(std::wstring_view value) {
    const std::wstring lower = ToLower(value);
    if (lower == L"solid") {
        return Backdrop::Solid;
    }
    if (lower == L"mica") {
        return Backdrop::Mica;
    }
    return Backdrop::Acrylic;
}

Settings LoadSettings(ProfileStore& store, std::wstring filePath) {
    Settings s;
    s.filePath = std::move(filePath);
    Reader r(store);

    const bool existed = store.FileExists();

    // Files from before the Language key were written by Norwegian builds.
    const std::wstring language =
        store.GetString(L"General", L"Language", L"", kLanguageBufferChars);
    const bool norwegian = language.empty() ? existed : EqualsNoCase(language, L"no");
    SetNorwegian(norwegian);

    s.dateFormat = norwegian ? L"ddd d. MMM" : L"ddd MMM d";

    if (!existed) {
        // Failure is fine: every value then comes from the defaults.
        (void)store.CreateNew(EncodeUtf16LeWithBom(DefaultSettingsText(norwegian)));
    }
    if (language.empty()) {
        store.WriteString(L"General", L"Language", norwegian ? L"no" : L"en");
    }

    s.barHeight = r.Int(L"Bar", L"Height", 28, ranges::kBarHeight);
    s.backdrop = ParseBackdrop(r.String(L"Bar", L"Backdrop", L"acrylic"));

    s.tint = r.Int(L"Bar", L"Tint", 72, ranges::kPercent);
    if (store.GetInt(L"Bar", L"BarTint", -1) == -1) {
        store.WriteString(L"Bar", L"BarTint", std::to_wstring(s.tint));
    }
    s.barTint = r.Int(L"Bar", L"BarTint", s.tint, ranges::kPercent);

    s.style = r.Int(L"Bar", L"Style", 0, ranges::kStyle);
    s.autohide = r.Bool(L"Bar", L"Autohide", false);
    s.allMonitors = r.Bool(L"Bar", L"AllMonitors", true);
    s.dateFormat = r.String(L"Clock", L"DateFormat", s.dateFormat);
    s.showSeconds = r.Bool(L"Clock", L"ShowSeconds", false);
    s.trayEnabled = r.Bool(L"Tray", L"Enabled", true);
    s.mirrorToExplorer = r.Bool(L"Tray", L"MirrorToExplorer", false);
    // The order list keeps its blanks: items are tray icon keys, not names.
    s.trayOrder = SplitListUntrimmed(ToLower(r.String(L"Tray", L"Order", L"")), L'|');

    s.dockEnabled = r.Bool(L"Dock", L"Enabled", true);
    if (store.GetInt(L"Dock", L"ConfigVersion", 1) < 2) {
        // Version 1 shipped 44-point icons as the default; 36 replaced it.
        if (store.GetInt(L"Dock", L"IconSize", 0) == 44) {
            store.WriteString(L"Dock", L"IconSize", L"36");
        }
        store.WriteString(L"Dock", L"ConfigVersion", L"2");
    }
    s.dockIconSize = r.Int(L"Dock", L"IconSize", 36, ranges::kDockIconSize);
    s.hideTaskbar = r.Bool(L"Dock", L"HideTaskbar", true);
    s.smartHide = r.Bool(L"Dock", L"SmartHide", true);
    s.revealWidth = r.Int(L"Dock", L"RevealWidth", 1, ranges::kRevealWidth);
    s.windowPreviews = r.Bool(L"Dock", L"Preview", true);
    s.dockMonitor = r.Int(L"Dock", L"Monitor", 0, ranges::kDockMonitor);

    s.nowPlayingEnabled = r.Bool(L"NowPlaying", L"Enabled", false);
    s.nowPlayingWhere = r.Int(L"NowPlaying", L"Where", 2, ranges::kNowPlayingWhere);
    s.nowPlayingBarPosition = store.GetInt(L"NowPlaying", L"BarPosition", 0) > 0 ? 1 : 0;
    s.nowPlayingTint = r.Bool(L"NowPlaying", L"Tint", true);

    s.gardenEnabled = r.Bool(L"Garden", L"Enabled", false);
    s.gardenGlass = r.Int(L"Garden", L"Glass", 0, ranges::kGardenGlass);
    s.gardenTint = r.Int(L"Garden", L"Tint", s.tint, ranges::kPercent);

    s.startMenu = r.Int(L"Start", L"Menu", 0, ranges::kStartMenu);
    s.winKey = r.Bool(L"Start", L"WinKey", true);
    s.hotCornersEnabled = r.Bool(L"HotCorners", L"Enabled", false);
    s.centerStart = r.Bool(L"General", L"CenterStart", true);

    static constexpr const wchar_t* kCornerKeys[4] = {L"TopLeft", L"TopRight", L"BottomLeft",
                                                      L"BottomRight"};
    static constexpr int32_t kCornerDefaults[4] = {1, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        s.cornerActions[i] = static_cast<CornerAction>(
            r.Int(L"HotCorners", kCornerKeys[i], kCornerDefaults[i], ranges::kCornerAction));
    }

    s.tilingEnabled = r.Bool(L"Tiling", L"Enabled", false);
    s.tilingLayout = r.Int(L"Tiling", L"Layout", 0, ranges::kTilingLayout);
    s.tilingGap = r.Int(L"Tiling", L"Gap", 8, ranges::kTilingGap);
    s.dockSpace = r.Bool(L"Tiling", L"DockSpace", true);
    s.tilingButton = r.Bool(L"Tiling", L"Button", true);
    s.tilingMode = r.Int(L"Tiling", L"Mode", 0, ranges::kTilingMode);
    s.floatingApps = r.LowerList(L"Tiling", L"Float", L',');

    const std::wstring pinned = r.String(L"Dock", L"Pinned", kPinnedSentinel);
    if (pinned != kPinnedSentinel) {
        s.pinnedPresent = true;
        s.pinned = SplitList(pinned, L'|');
    }

    s.trayHidden = r.LowerList(L"Tray", L"Hidden", L',');
    return s;
}

}  // namespace corvane
