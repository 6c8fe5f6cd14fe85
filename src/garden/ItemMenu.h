#pragma once
// The Explorer context menu of one desktop item. Only the verb the user picks
// acts on the file; the menu itself never touches it.

#include <windows.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <string>

namespace corvane {

class ItemMenu {
public:
    // Shows the menu of the file or folder at `path` for `owner` at the screen
    // point, with the extended verbs when `extended`, and runs the chosen
    // verb. False when the item has no menu or nothing was chosen.
    bool Show(HWND owner, const std::wstring& path, POINT screen, bool extended) noexcept;

    // Owner-drawn and lazily filled submenus ("Open with", "Send to") need
    // these messages while the menu is open: the owner's window procedure
    // offers each message here first and returns `result` when it was taken.
    bool HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;

private:
    // The menu that is open right now, for exactly as long as it runs.
    Microsoft::WRL::ComPtr<IContextMenu2> menu2_;
    Microsoft::WRL::ComPtr<IContextMenu3> menu3_;
};

}  // namespace corvane
