#include "appmenus/NativeMenus.h"

#include "base/Win32Handles.h"
#include "appmenus/AppMenuResolver.h"
#include "appmenus/MenuProfileTable.h"
#include "appmenus/NativeMenuReader.h"

#include <cwchar>
#include <optional>
#include <string>

namespace corvane {
namespace {

constexpr UINT kInitMenuTimeoutMs = 150;

HMENU ToMenu(NativeMenuHandle handle) {
    return static_cast<HMENU>(handle);
}

// Another application's menu, queried entry by entry. Titles of the bar and
// entries of a drop-down are asked for with different masks and buffers.
class Win32MenuSource final : public NativeMenuSource {
public:
    Win32MenuSource(HWND target, UINT mask, UINT textCapacity)
        : target_(target), mask_(mask), capacity_(textCapacity) {}

    int ItemCount(NativeMenuHandle menu) override { return ::GetMenuItemCount(ToMenu(menu)); }

    std::optional<NativeMenuEntry> EntryAt(NativeMenuHandle menu, int position) override {
        // One spare character, so that the text always ends in a zero.
        std::wstring buffer(static_cast<std::size_t>(capacity_) + 1, L'\0');
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = mask_;
        info.dwTypeData = buffer.data();
        info.cch = capacity_;
        if (!::GetMenuItemInfoW(ToMenu(menu), static_cast<UINT>(position), TRUE, &info)) {
            return std::nullopt;
        }
        NativeMenuEntry entry;
        entry.type = info.fType;
        entry.state = info.fState;
        entry.id = info.wID;
        entry.submenu = info.hSubMenu;
        entry.text.assign(buffer.c_str(), std::wcslen(buffer.c_str()));
        return entry;
    }

    void PrepareSubmenu(NativeMenuHandle submenu, int position) override {
        if (target_ == nullptr || !::IsWindow(target_)) {
            return;
        }
        DWORD_PTR result = 0;
        (void)::SendMessageTimeoutW(target_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu),
                                    static_cast<LPARAM>(position), SMTO_ABORTIFHUNG,
                                    kInitMenuTimeoutMs, &result);
    }

private:
    HWND target_;
    UINT mask_;
    UINT capacity_;
};

bool AppendEntries(HMENU popup, const std::vector<PopupEntry>& entries) {
    for (const PopupEntry& entry : entries) {
        if ((entry.flags & kPopupSeparator) != 0) {
            if (!::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr)) {
                return false;
            }
            continue;
        }
        if ((entry.flags & kPopupSubmenu) != 0) {
            UniqueMenu submenu(::CreatePopupMenu());
            if (!submenu || !AppendEntries(submenu.Get(), entry.submenu)) {
                return false;
            }
            if (!::AppendMenuW(popup, MF_STRING | MF_POPUP | entry.flags,
                               reinterpret_cast<UINT_PTR>(submenu.Get()), entry.label.c_str())) {
                return false;
            }
            // The popup owns it now.
            (void)submenu.Release();
            continue;
        }
        if (!::AppendMenuW(popup, MF_STRING | entry.flags, entry.command, entry.label.c_str())) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<AppMenu> ResolveAppMenus(HWND window, std::wstring_view exeName) {
    return ResolveMenus(TheMenuProfiles(), exeName, [window]() -> std::vector<AppMenu> {
        if (window == nullptr) {
            return {};
        }
        const HMENU bar = ::GetMenu(window);
        if (bar == nullptr || !::IsMenu(bar)) {
            return {};
        }
        Win32MenuSource source(window, MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU, 127);
        return ReadMenuBarTitles(source, bar);
    });
}

std::vector<AppMenuItem> ReadNativeSubmenu(HMENU submenu, HWND target, int depth) {
    Win32MenuSource source(target, MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE,
                           255);
    return ReadNativeItems(source, submenu, depth);
}

HMENU BuildMenuPopup(const PopupPlan& plan) {
    UniqueMenu popup(::CreatePopupMenu());
    if (!popup || !AppendEntries(popup.Get(), plan.entries)) {
        return nullptr;
    }
    return popup.Release();
}

}  // namespace corvane
