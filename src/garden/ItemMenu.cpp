#include "garden/ItemMenu.h"

#include "base/Win32Handles.h"

#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

// Keeps the open menu's interfaces reachable for exactly as long as it runs.
class OpenMenuScope {
public:
    OpenMenuScope(IContextMenu* menu, ComPtr<IContextMenu2>& menu2,
                  ComPtr<IContextMenu3>& menu3) noexcept
        : menu2_(menu2), menu3_(menu3) {
        (void)menu->QueryInterface(IID_PPV_ARGS(&menu2_));
        (void)menu->QueryInterface(IID_PPV_ARGS(&menu3_));
    }
    ~OpenMenuScope() {
        menu3_.Reset();
        menu2_.Reset();
    }
    OpenMenuScope(const OpenMenuScope&) = delete;
    OpenMenuScope& operator=(const OpenMenuScope&) = delete;

private:
    ComPtr<IContextMenu2>& menu2_;
    ComPtr<IContextMenu3>& menu3_;
};

ComPtr<IContextMenu> ContextMenuOf(HWND owner, const std::wstring& path) noexcept {
    PIDLIST_ABSOLUTE raw = nullptr;
    if (FAILED(::SHParseDisplayName(path.c_str(), nullptr, &raw, 0, nullptr))) {
        return nullptr;
    }
    const CoTaskPtr<ITEMIDLIST_ABSOLUTE> pidl(raw);
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(::SHBindToParent(pidl.get(), IID_PPV_ARGS(&parent), &child))) {
        return nullptr;
    }
    ComPtr<IContextMenu> menu;
    if (FAILED(parent->GetUIObjectOf(owner, 1, &child, __uuidof(IContextMenu), nullptr,
                                     reinterpret_cast<void**>(menu.GetAddressOf())))) {
        return nullptr;
    }
    return menu;
}

}  // namespace

bool ItemMenu::Show(HWND owner, const std::wstring& path, POINT screen, bool extended) noexcept {
    const ComPtr<IContextMenu> menu = ContextMenuOf(owner, path);
    UniqueMenu popup(::CreatePopupMenu());
    if (!menu || !popup ||
        FAILED(menu->QueryContextMenu(popup.Get(), 0, kFirstCommand, kLastCommand,
                                      extended ? CMF_EXTENDEDVERBS : CMF_NORMAL))) {
        return false;
    }
    UINT chosen = 0;
    {
        const OpenMenuScope open(menu.Get(), menu2_, menu3_);
        // Keys reach the menu and a click elsewhere closes it only when its
        // owner is in front.
        ::SetForegroundWindow(owner);
        chosen = static_cast<UINT>(::TrackPopupMenuEx(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                      screen.x, screen.y, owner, nullptr));
    }
    if (chosen < kFirstCommand || chosen > kLastCommand) {
        return false;
    }
    CMINVOKECOMMANDINFO invoke = {};
    invoke.cbSize = sizeof(invoke);
    invoke.hwnd = owner;
    invoke.lpVerb = MAKEINTRESOURCEA(chosen - kFirstCommand);
    invoke.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&invoke));
}

bool ItemMenu::HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT& result) noexcept {
    switch (message) {
        case WM_INITMENUPOPUP:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_MENUCHAR:
            break;
        default:
            return false;
    }
    if (menu3_) {
        LRESULT answer = 0;
        if (SUCCEEDED(menu3_->HandleMenuMsg2(message, wParam, lParam, &answer))) {
            result = answer;
            return true;
        }
        return false;
    }
    if (menu2_ && message != WM_MENUCHAR) {
        if (SUCCEEDED(menu2_->HandleMenuMsg(message, wParam, lParam))) {
            // The answers the system expects for the messages taken.
            result = message == WM_INITMENUPOPUP ? 0 : TRUE;
            return true;
        }
    }
    return false;
}

}  // namespace corvane
