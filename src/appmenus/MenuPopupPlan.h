#pragma once
// The drop-down of one menu as a plan of popup entries and command numbers,
// which the Win32 side turns into a popup menu one entry at a time.

#include "appmenus/AppMenu.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// Flags of AppendMenuW.
inline constexpr uint32_t kPopupGrayed = 0x1;
inline constexpr uint32_t kPopupChecked = 0x8;
inline constexpr uint32_t kPopupSubmenu = 0x10;
inline constexpr uint32_t kPopupSeparator = 0x800;

struct PopupEntry {
    uint32_t flags = 0;
    std::wstring label;               // name, then a tab and the shortcut text
    uint32_t command = 0;             // 1..N for selectable entries, else 0
    std::vector<PopupEntry> submenu;  // entries of a cascading submenu
};

struct PopupPlan {
    std::vector<PopupEntry> entries;
    // Command number n chooses commands[n - 1]. The pointers refer to the
    // items the plan was made from, which must outlive it.
    std::vector<const AppMenuItem*> commands;
    bool hasSubmenus = false;
};

// Command numbers run from 1 in the order selectable entries are met in a
// depth-first walk. Children deeper than the native reader ever goes are
// not followed: such an entry is a plain command. When the window ignores
// commands and keys (`windowOutOfReach`), only entries that start a program
// can be chosen; the others are greyed.
[[nodiscard]] PopupPlan PlanMenuPopup(const std::vector<AppMenuItem>& items,
                                      bool windowOutOfReach = false);

// The entry of a command number, or null when the number chose nothing.
[[nodiscard]] const AppMenuItem* ChosenEntry(const PopupPlan& plan, int64_t command);

}  // namespace corvane
