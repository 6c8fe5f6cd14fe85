#include "config/SettingsLoader.h"

#include "config/Language.h"
#include "config/SettingsFolder.h"
#include "base/TextHelpers.h"
#include "base/Utf16.h"
#include "resources/DefaultSettingsText.h"

#include <string>

namespace corvane {
namespace {

// The value that no user writes: it tells an absent [Dock] Pinned apart from
// an empty one.
constexpr wchar_t kPinnedSentinel[] = L"\x0001";
constexpr std::size_t kLanguageBufferChars = 16;

template <int32_t Settings::*Member>
constexpr SettingsKey Number(const wchar_t* section, const wchar_t* key, IntRange range) {
    return {section,
            key,
            false,
            range,
            [](const Settings& s) { return s.*Member; },
            [](Settings& s, int32_t v) { s.*Member = v; }};
}

template <bool Settings::*Member>
constexpr SettingsKey Flag(const wchar_t* section, const wchar_t* key) {
    return {section,
            key,
            true,
            {0, 1},
            [](const Settings& s) { return static_cast<int32_t>(s.*Member); },
            [](Settings& s, int32_t v) { s.*Member = v != 0; }};
}

template <Corner C>
constexpr SettingsKey CornerKey(const wchar_t* key) {
    return {L"HotCorners",
            key,
            false,
            ranges::kCornerAction,
            [](const Settings& s) { return static_cast<int32_t>(s.cornerActions[C]); },
            [](Settings& s, int32_t v) { s.cornerActions[C] = static_cast<CornerAction>(v); }};
}

constexpr SettingsKey kPlainKeys[] = {
    Number<&Settings::barHeight>(L"Bar", L"Height", ranges::kBarHeight),
    Number<&Settings::tint>(L"Bar", L"Tint", ranges::kPercent),
    Number<&Settings::style>(L"Bar", L"Style", ranges::kStyle),
    Flag<&Settings::autohide>(L"Bar", L"Autohide"),
    Flag<&Settings::allMonitors>(L"Bar", L"AllMonitors"),
    Flag<&Settings::showSeconds>(L"Clock", L"ShowSeconds"),
    Flag<&Settings::trayEnabled>(L"Tray", L"Enabled"),
    Flag<&Settings::mirrorToExplorer>(L"Tray", L"MirrorToExplorer"),
    Flag<&Settings::dockEnabled>(L"Dock", L"Enabled"),
    Number<&Settings::dockIconSize>(L"Dock", L"IconSize", ranges::kDockIconSize),
    Flag<&Settings::hideTaskbar>(L"Dock", L"HideTaskbar"),
    Flag<&Settings::smartHide>(L"Dock", L"SmartHide"),
    Number<&Settings::revealWidth>(L"Dock", L"RevealWidth", ranges::kRevealWidth),
    Flag<&Settings::windowPreviews>(L"Dock", L"Preview"),
    Number<&Settings::dockMonitor>(L"Dock", L"Monitor", ranges::kDockMonitor),
    Flag<&Settings::nowPlayingEnabled>(L"NowPlaying", L"Enabled"),
    Number<&Settings::nowPlayingWhere>(L"NowPlaying", L"Where", ranges::kNowPlayingWhere),
    Number<&Settings::nowPlayingBarPosition>(L"NowPlaying", L"BarPosition", {0, 1}),
    Flag<&Settings::nowPlayingTint>(L"NowPlaying", L"Tint"),
    Flag<&Settings::gardenEnabled>(L"Garden", L"Enabled"),
    Number<&Settings::gardenGlass>(L"Garden", L"Glass", ranges::kGardenGlass),
    Number<&Settings::startMenu>(L"Start", L"Menu", ranges::kStartMenu),
    Flag<&Settings::winKey>(L"Start", L"WinKey"),
    Flag<&Settings::centerStart>(L"General", L"CenterStart"),
    Flag<&Settings::hotCornersEnabled>(L"HotCorners", L"Enabled"),
    CornerKey<kTopLeft>(L"TopLeft"),
    CornerKey<kTopRight>(L"TopRight"),
    CornerKey<kBottomLeft>(L"BottomLeft"),
    CornerKey<kBottomRight>(L"BottomRight"),
    Flag<&Settings::tilingEnabled>(L"Tiling", L"Enabled"),
    Number<&Settings::tilingLayout>(L"Tiling", L"Layout", ranges::kTilingLayout),
    Number<&Settings::tilingGap>(L"Tiling", L"Gap", ranges::kTilingGap),
    Flag<&Settings::dockSpace>(L"Tiling", L"DockSpace"),
    Flag<&Settings::tilingButton>(L"Tiling", L"Button"),
    Number<&Settings::tilingMode>(L"Tiling", L"Mode", ranges::kTilingMode),
    Number<&Settings::tilingToggleKeys>(L"Tiling", L"ToggleKeys", ranges::kTilingKeys),
    Number<&Settings::tilingArrowKeys>(L"Tiling", L"ArrowKeys", ranges::kTilingKeys),
    Number<&Settings::tilingFloatKeys>(L"Tiling", L"FloatKeys", ranges::kTilingKeys),
    Number<&Settings::tilingLayoutKeys>(L"Tiling", L"LayoutKeys", ranges::kTilingKeys),
    Number<&Settings::tilingArrangeKeys>(L"Tiling", L"ArrangeKeys", ranges::kTilingKeys),
    Number<&Settings::barFocusKeys>(L"Bar", L"FocusKeys", ranges::kTilingKeys),
    Number<&Settings::dockFocusKeys>(L"Dock", L"FocusKeys", ranges::kTilingKeys),
};

std::wstring ReadString(ProfileStore& store, std::wstring_view section, std::wstring_view key,
                        std::wstring_view fallback) {
    return ReadWholeString(store, section, key, fallback);
}

// Lower-cased, split at the separator, each item trimmed, empty ones dropped.
std::vector<std::wstring> ReadLowerList(ProfileStore& store, std::wstring_view section,
                                        std::wstring_view key, wchar_t separator) {
    return SplitList(ToLower(ReadString(store, section, key, L"")), separator);
}

// What an empty file reads as, with every write refused without an attempt.
class NoFileStore final : public ProfileStore {
public:
    bool FileExists() override { return false; }
    int32_t GetInt(std::wstring_view, std::wstring_view, int32_t fallback) override {
        return fallback;
    }
    std::wstring GetString(std::wstring_view, std::wstring_view, std::wstring_view fallback,
                           std::size_t bufferChars) override {
        return bufferChars == 0 ? std::wstring()
                                : std::wstring(fallback.substr(0, bufferChars - 1));
    }
    bool WriteString(std::wstring_view, std::wstring_view,
                     std::optional<std::wstring_view>) override {
        return false;
    }
    bool CreateNew(const std::vector<uint8_t>&) override { return false; }
    bool CanWrite() override { return false; }
    std::vector<std::wstring> SectionNames() override { return {}; }
    bool CopyAside() override { return false; }
};

// Whether the file holds any key that this program reads.
bool ReadsAnyKnownKey(ProfileStore& store) {
    constexpr wchar_t kAbsent[] = L"\x0001";
    constexpr std::size_t kEnoughToTell = 4;
    for (const SettingsKey& k : kPlainKeys) {
        if (store.GetString(k.section, k.key, kAbsent, kEnoughToTell) != kAbsent) {
            return true;
        }
    }
    return false;
}

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

std::span<const SettingsKey> PlainSettingsKeys() noexcept {
    return kPlainKeys;
}

Settings LoadSettings(ProfileStore& file, std::wstring filePath) {
    Settings s;
    s.filePath = std::move(filePath);

    const bool existed = file.FileExists();

    // Files from before the Language key were written by Norwegian builds.
    const std::wstring language =
        file.GetString(L"General", L"Language", L"", kLanguageBufferChars);
    const bool norwegian = language.empty() ? existed : EqualsNoCase(language, L"no");
    SetNorwegian(norwegian);

    // The first write decides: a folder that refuses it gets no more tries,
    // and the run keeps the defaults rather than a file it cannot keep in
    // step with the settings window.
    bool writable = existed ? file.CanWrite()
                            : file.CreateNew(EncodeUtf16LeWithBom(DefaultSettingsText(norwegian)));
    // The writes below make the profile functions store the file anew from
    // what they could read. A file they read nothing of ours from is damaged
    // or in a form they do not read: it is copied aside first, and when that
    // fails it is left alone and the run keeps the defaults.
    const bool loaderWrites = language.empty() || file.GetInt(L"Bar", L"BarTint", -1) == -1 ||
                              file.GetInt(L"Dock", L"ConfigVersion", 1) < 2;
    if (existed && writable && loaderWrites && !ReadsAnyKnownKey(file)) {
        writable = file.CopyAside();
    }
    SetSettingsFolderReadOnly(!writable);
    NoFileStore noFile;
    ProfileStore& store = writable ? file : static_cast<ProfileStore&>(noFile);
    if (language.empty()) {
        store.WriteString(L"General", L"Language", norwegian ? L"no" : L"en");
    }

    // The record still holds its defaults here, and each key has a member of
    // its own, so the member is the fallback.
    for (const SettingsKey& k : kPlainKeys) {
        const int32_t v = store.GetInt(k.section, k.key, k.get(s));
        k.set(s, k.flag ? int32_t{v != 0} : k.range.Clamp(v));
    }

    s.backdrop = ParseBackdrop(ReadString(store, L"Bar", L"Backdrop", L"acrylic"));
    if (store.GetInt(L"Bar", L"BarTint", -1) == -1) {
        store.WriteString(L"Bar", L"BarTint", std::to_wstring(s.tint));
    }
    s.barTint = ranges::kPercent.Clamp(store.GetInt(L"Bar", L"BarTint", s.tint));
    s.gardenTint = ranges::kPercent.Clamp(store.GetInt(L"Garden", L"Tint", s.tint));

    s.dateFormat =
        ReadString(store, L"Clock", L"DateFormat", norwegian ? L"ddd d. MMM" : s.dateFormat);
    // The order list keeps its blanks: items are tray icon keys, not names.
    s.trayOrder = SplitListUntrimmed(ToLower(ReadString(store, L"Tray", L"Order", L"")), L'|');
    s.trayHidden = ReadLowerList(store, L"Tray", L"Hidden", L',');
    s.floatingApps = ReadLowerList(store, L"Tiling", L"Float", L',');

    // After the BarTint write, so that a file lacking both sections gains them
    // in the order it always did; the size read above then takes the new value.
    if (store.GetInt(L"Dock", L"ConfigVersion", 1) < 2) {
        // Version 1 shipped 44-point icons as the default; 36 replaced it.
        if (store.GetInt(L"Dock", L"IconSize", 0) == 44 &&
            store.WriteString(L"Dock", L"IconSize", L"36")) {
            s.dockIconSize = 36;
        }
        store.WriteString(L"Dock", L"ConfigVersion", L"2");
    }

    const std::wstring pinned = ReadString(store, L"Dock", L"Pinned", kPinnedSentinel);
    if (pinned != kPinnedSentinel) {
        s.pinnedPresent = true;
        s.pinned = SplitList(pinned, L'|');
    }
    s.menuPinnedSet = store.GetInt(L"CorMenu", L"PinnedSet", 0) != 0;
    s.menuPinned = SplitList(ReadWholeString(store, L"CorMenu", L"Pinned", L""), L'|');
    return s;
}

}  // namespace corvane
