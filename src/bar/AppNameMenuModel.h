#pragma once
// The context menu of the application name: which entries it has, their ids,
// texts, grey and check states, decided from plain facts.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

enum AppNameMenuId : uint32_t {
    kMenuMinimize = 1,
    kMenuMaximizeOrRestore = 2,
    kMenuCloseWindow = 3,
    kMenuSettings = 5,
    kMenuQuit = 8,
    kMenuShowAllTray = 9,
    kMenuFloatWindow = 10,
    kMenuNeverTile = 11,
    kMenuBeyondReachNote = 12,  // never chosen: greyed
    kMenuHiddenTrayFirst = 500,
};

// At most this many hidden tray entries get an item of their own.
inline constexpr std::size_t kMaxHiddenTrayItems = 100;

struct AppNameMenuEntry {
    enum class Kind { Item, Separator, Submenu };
    Kind kind = Kind::Item;
    uint32_t id = 0;
    std::wstring text;
    bool grayed = false;
    bool checked = false;
    std::vector<AppNameMenuEntry> children;  // submenus only
};

struct AppNameMenuFacts {
    bool targetValid = false;  // the current application window still exists
    bool targetMaximized = false;
    bool tilingActive = false;    // a tiling manager exists and tiling is on
    bool targetFloating = false;  // the tiling manager floats the target
    std::wstring displayName;
    std::wstring exeName;                  // lower case
    std::vector<std::wstring> floatList;   // [Tiling] Float
    std::vector<std::wstring> hiddenTray;  // [Tray] Hidden
    // The target's process runs at a higher integrity level (as
    // administrator) and ignores what Corvane sends it; only its show state
    // can still be changed.
    bool targetBeyondReach = false;
};

[[nodiscard]] std::vector<AppNameMenuEntry> BuildAppNameMenu(const AppNameMenuFacts& facts);

// The hidden tray entry a chosen id brings back: "Show all" gives an empty
// name (all of them), an entry of the submenu its text; none for other ids
// and for ids past the list the menu was built from.
[[nodiscard]] std::optional<std::wstring> HiddenTrayEntryOf(
    uint32_t menuId, const std::vector<std::wstring>& hidden);

// "Never tile": adds the executable to the float list, or removes every
// entry equal to it when it is there already. An empty name is never added.
[[nodiscard]] std::vector<std::wstring> ToggleNeverTile(std::vector<std::wstring> floatList,
                                                        const std::wstring& exeName);

}  // namespace corvane
