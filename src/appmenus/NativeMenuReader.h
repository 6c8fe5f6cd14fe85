#pragma once
// Menus read from an application's own menu bar, over an interface so that
// the rules hold for a real menu and a fake one alike.

#include "appmenus/AppMenu.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr int kMaxMenuBarTitles = 16;
inline constexpr int kMaxNativeMenuItems = 200;
// Submenus below this depth are not read; their entries stay plain commands.
inline constexpr int kMaxNativeSubmenuDepth = 4;
// Positions queried for one drop-down with all its cascades: an application
// whose submenus share or repeat one another cannot stall the UI thread.
inline constexpr int kMaxNativeEntriesPerDropDown = 2000;

inline constexpr uint32_t kNativeSeparatorType = 0x800;  // MFT_SEPARATOR
inline constexpr uint32_t kNativeDisabledState = 0x3;    // MFS_GRAYED | MFS_DISABLED
inline constexpr uint32_t kNativeCheckedState = 0x8;     // MFS_CHECKED

// One entry as the system reports it.
struct NativeMenuEntry {
    uint32_t type = 0;
    uint32_t state = 0;
    uint32_t id = 0;
    NativeMenuHandle submenu = nullptr;
    std::wstring text;  // with its "&" mnemonics and the tab before a shortcut
};

class NativeMenuSource {
public:
    virtual ~NativeMenuSource() = default;
    // Below 1 when the menu is empty or gone.
    [[nodiscard]] virtual int ItemCount(NativeMenuHandle menu) = 0;
    // Nothing when the query fails.
    [[nodiscard]] virtual std::optional<NativeMenuEntry> EntryAt(NativeMenuHandle menu,
                                                                 int position) = 0;
    // Lets the application fill a submenu before it is read.
    virtual void PrepareSubmenu(NativeMenuHandle submenu, int position) = 0;
};

// A bar title without its mnemonic marks: "&File" is "File", "&&" is "&"
// and a lone "&" at the end is dropped.
[[nodiscard]] std::wstring CleanMenuTitle(std::wstring_view text);

// The top-level menus of a menu bar: at most the first 16 positions; entries
// that fail, have no submenu or no text are skipped.
[[nodiscard]] std::vector<AppMenu> ReadMenuBarTitles(NativeMenuSource& source,
                                                     NativeMenuHandle menuBar);

// The entries of one submenu, with cascading submenus read down to
// kMaxNativeSubmenuDepth. At most 200 positions of each menu and 2000 in
// all are read; runs of separators collapse to one and none leads or trails.
[[nodiscard]] std::vector<AppMenuItem> ReadNativeItems(NativeMenuSource& source,
                                                       NativeMenuHandle submenu, int depth);

}  // namespace corvane
