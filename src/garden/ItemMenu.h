#pragma once
// The Explorer context menu of one desktop item. Only the verb the user picks
// acts on the file; the menu itself never touches it.

#include <windows.h>

#include <string>

namespace corvane {

class ItemMenu {
public:
    // Shows the menu of the file or folder at `path` for `owner` at the screen
    // point, with the extended verbs when `extended`, and runs the chosen
    // verb. False when the item has no menu or nothing was chosen.
    static bool Show(HWND owner, const std::wstring& path, POINT screen, bool extended) noexcept;

    // Owner-drawn and lazily filled submenus ("Open with", "Send to") need
    // these messages while the menu is open: the owner's window procedure
    // offers each message here first and returns `result` when it was taken.
    static bool HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                  LRESULT& result) noexcept;
};

}  // namespace corvane
