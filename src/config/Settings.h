#pragma once
// Every value of corvane.ini, clamped on load. A value type: loading builds a
// complete record and the application takes it over as a whole, so no reader
// ever sees a half-loaded one.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

enum class Backdrop : int32_t { Acrylic = 0, Mica = 1, Solid = 2 };

enum class CornerAction : int32_t {
    Nothing = 0,
    TaskView = 1,
    ShowDesktop = 2,
    StartMenu = 3,
    Notifications = 4,
    QuickSettings = 5,
    Launcher = 6,
};

enum Corner : int { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };

// The member initialisers are the defaults that the loader falls back to.
struct Settings {
    int32_t barHeight = 28;
    Backdrop backdrop = Backdrop::Acrylic;
    int32_t tint = 72;
    int32_t barTint = 72;
    int32_t style = 0;
    bool autohide = false;
    std::wstring dateFormat = L"ddd MMM d";
    bool showSeconds = false;
    bool trayEnabled = true;
    bool mirrorToExplorer = false;
    bool allMonitors = true;
    std::vector<std::wstring> trayHidden;
    std::vector<std::wstring> trayOrder;
    bool dockEnabled = true;
    int32_t dockIconSize = 36;
    bool hideTaskbar = true;
    bool smartHide = true;
    bool windowPreviews = true;
    int32_t dockMonitor = 0;
    int32_t revealWidth = 1;
    bool hotCornersEnabled = false;
    bool nowPlayingEnabled = false;
    int32_t nowPlayingWhere = 2;
    int32_t nowPlayingBarPosition = 0;
    bool nowPlayingTint = true;
    bool gardenEnabled = false;
    int32_t gardenGlass = 0;
    int32_t gardenTint = 72;
    int32_t startMenu = 0;
    bool winKey = true;
    bool centerStart = true;
    std::array<CornerAction, 4> cornerActions = {CornerAction::TaskView, CornerAction::Nothing,
                                                 CornerAction::Nothing, CornerAction::Nothing};
    bool pinnedPresent = false;
    std::vector<std::wstring> pinned;
    // CorMenu's own pinned list; until it is first written, the dock's.
    bool menuPinnedSet = false;
    std::vector<std::wstring> menuPinned;
    bool tilingEnabled = false;
    int32_t tilingLayout = 0;
    int32_t tilingGap = 8;
    bool dockSpace = true;
    bool tilingButton = true;
    int32_t tilingMode = 0;
    // The modifiers of each tiling shortcut (toolkit/ShortcutTyping.h):
    // Ctrl+Alt+T, the arrows (Shift added to swap), F, L and Space.
    int32_t tilingToggleKeys = 0;
    int32_t tilingArrowKeys = 0;
    int32_t tilingFloatKeys = 0;
    int32_t tilingLayoutKeys = 0;
    int32_t tilingArrangeKeys = 0;
    // The same choice for the shortcuts that give the keyboard to the top
    // bar's menus (F2) and to the dock (F3).
    int32_t barFocusKeys = 0;
    int32_t dockFocusKeys = 0;
    std::vector<std::wstring> floatingApps;
    std::wstring filePath;
};

// Ranges shared by the loader and the settings window.
struct IntRange {
    int32_t min;
    int32_t max;
    [[nodiscard]] constexpr int32_t Clamp(int32_t v) const noexcept {
        return v < min ? min : (v > max ? max : v);
    }
};

namespace ranges {
inline constexpr IntRange kBarHeight{20, 48};
inline constexpr IntRange kPercent{0, 100};
inline constexpr IntRange kStyle{0, 3};
inline constexpr IntRange kDockIconSize{24, 96};
inline constexpr IntRange kRevealWidth{0, 3};
inline constexpr IntRange kDockMonitor{0, 9};
inline constexpr IntRange kNowPlayingWhere{0, 2};
inline constexpr IntRange kGardenGlass{0, 2};
inline constexpr IntRange kStartMenu{0, 2};
inline constexpr IntRange kCornerAction{0, 6};
inline constexpr IntRange kTilingLayout{0, 3};
inline constexpr IntRange kTilingGap{0, 40};
inline constexpr IntRange kTilingMode{0, 2};
inline constexpr IntRange kTilingKeys{0, 3};
}  // namespace ranges

}  // namespace corvane
