#include "start/CorMenu.h"

#include "start/AppCatalog.h"
#include "start/CorMenuImpl.h"
#include "start/MenuSelection.h"
#include "start/PinRules.h"
#include "start/PowerActions.h"
#include "identity/AppLaunch.h"
#include "start/StartActions.h"
#include "start/StartHost.h"

#include <shellapi.h>
#include <windowsx.h>

#include <optional>
#include <utility>

namespace corvane {
namespace {

// A keyboard menu opens this far into its item, below it: at the name.
constexpr float kItemMenuLeft = 46.0f;

bool ShiftDown() noexcept {
    return ::GetKeyState(VK_SHIFT) < 0;
}

std::optional<MenuKey> NavigationKey(WPARAM key) noexcept {
    switch (key) {
        case VK_UP:
            return MenuKey::Up;
        case VK_DOWN:
            return MenuKey::Down;
        case VK_LEFT:
            return MenuKey::Left;
        case VK_RIGHT:
            return MenuKey::Right;
        case VK_HOME:
            return MenuKey::Home;
        case VK_END:
            return MenuKey::End;
        case VK_PRIOR:
            return MenuKey::PageUp;
        case VK_NEXT:
            return MenuKey::PageDown;
        case VK_TAB:
            return ShiftDown() ? MenuKey::BackTab : MenuKey::Tab;
        default:
            return std::nullopt;
    }
}

}  // namespace

MenuItemId CorMenu::ItemAt(LPARAM clientPoint) {
    Relayout();
    const float toDips = 96.0f / static_cast<float>(Dpi());
    const float x = static_cast<float>(GET_X_LPARAM(clientPoint)) * toDips;
    const float y = static_cast<float>(GET_Y_LPARAM(clientPoint)) * toDips -
                    CorMenuPainter::SlideOffset(progress_);
    return MenuItemAt(impl_->layout, x, y);
}

void CorMenu::OnMouseMove(LPARAM lParam) {
    Impl& s = *impl_;
    if (!s.tracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Hwnd(), 0};
        s.tracking = ::TrackMouseEvent(&track) != FALSE;
    }
    const MenuItemId item = ItemAt(lParam);
    if (item != s.menu.hover) {
        s.menu.hover = item;
        Repaint();
    }
}

POINT CorMenu::ScreenPoint(float x, float y) const noexcept {
    const float toPixels = static_cast<float>(Dpi()) / 96.0f;
    POINT at = {static_cast<LONG>(x * toPixels),
                static_cast<LONG>((y + CorMenuPainter::SlideOffset(progress_)) * toPixels)};
    ::ClientToScreen(Hwnd(), &at);
    return at;
}

void CorMenu::Activate(const MenuItemId& item) {
    Impl& s = *impl_;
    if (ClickMenuItem(s.menu, item, s.letterRows, context_.theme.textScale)) {
        Relayout();
        FocusNewView(s.menu, s.layout, item);
        Repaint();
        return;
    }
    switch (item.kind) {
        case MenuHit::AppRow:
            if (const AppEntry* entry = RowEntry(item.index)) {
                const AppEntry chosen = *entry;
                Close(true);
                LaunchEntry(chosen, false, context_);
            }
            break;
        case MenuHit::Place:
            Close(true);
            OpenPlace(item.index, context_);
            break;
        case MenuHit::UserCard:
            Close(true);
            LaunchInBackground(context_.worker, L"ms-settings:yourinfo");
            break;
        case MenuHit::Power:
            OpenPowerMenu();
            break;
        case MenuHit::SearchFiles: {
            const std::wstring query = query_.Text();
            Close(true);
            SearchFiles(query, context_);
            break;
        }
        default:
            break;
    }
}

void CorMenu::OpenPowerMenu() {
    const PointRect& button = impl_->layout.power;
    const POINT at = ScreenPoint(button.left, button.top);
    SetPopupMenuOpen(true);
    const int command = TrackPowerMenu(Hwnd(), at);
    SetPopupMenuOpen(false);
    if (command != 0) {
        RunPowerCommand(command, context_.worker);
    }
    if (Hwnd() != nullptr && ::GetForegroundWindow() != Hwnd()) {
        Close(true);
    }
}

void CorMenu::OnRightButtonUp(LPARAM lParam) {
    ShowRowMenu(ItemAt(lParam), std::nullopt);
}

void CorMenu::ShowRowMenu(const MenuItemId& item, std::optional<POINT> at) {
    const AppEntry* row = item.kind == MenuHit::AppRow ? RowEntry(item.index) : nullptr;
    if (row == nullptr) {
        return;
    }
    // The menu may reload the very list the row lives in.
    const AppEntry entry = *row;
    ItemMenuOptions options;
    options.pinnedInMenu = [this](const AppEntry& e) {
        return IsPinned(PinnedIdentifiers(), e, catalog_.Entries());
    };
    options.togglePin = [this](const AppEntry& e, bool pin) { SetPinned(e, pin); };
    options.pinToDock = [this](const AppEntry& e) {
        if (auto dock = WithDockPin(context_.settings.pinned, e)) {
            context_.dockPins.SaveDockPinned(std::move(*dock), nullptr);
        }
    };
    options.at = at;
    RunItemMenu(entry, options, context_);
}

void CorMenu::OpenSelectedItemMenu() {
    Relayout();
    const MenuMark mark = MarkedItem(impl_->menu, impl_->layout);
    if (mark.id.kind == MenuHit::AppRow) {
        ShowRowMenu(mark.id, ScreenPoint(mark.rect.left + kItemMenuLeft, mark.rect.bottom));
    }
}

void CorMenu::HoverUnderPointer() {
    // The rows moved under a pointer that did not.
    POINT pointer = {};
    if (::GetCursorPos(&pointer) && ::ScreenToClient(Hwnd(), &pointer)) {
        impl_->menu.hover = ItemAt(MAKELPARAM(pointer.x, pointer.y));
    }
}

void CorMenu::OnWheel(int32_t delta) {
    Relayout();
    MenuState& menu = impl_->menu;
    const float scroll = WheelScroll(impl_->layout, menu.scroll, delta);
    if (scroll == menu.scroll) {
        return;
    }
    menu.scroll = scroll;
    HoverUnderPointer();
    Repaint();
}

bool CorMenu::OnKey(WPARAM key) {
    Impl& s = *impl_;
    MenuState& menu = s.menu;
    // The search box's editing keys, while it has the focus, are taken
    // here first.
    if (menu.focus == MenuZone::Search && EditQueryKey(key)) {
        return true;
    }
    switch (key) {
        case VK_RETURN:
            Relayout();
            Activate(MarkedItem(menu, s.layout).id);
            return true;
        case VK_ESCAPE:
            switch (EscapeMenu(menu, !query_.Text().empty())) {
                case MenuEscape::ClearQuery:
                    query_.Clear();
                    OnQueryChanged();
                    break;
                case MenuEscape::Close:
                    Close(true);
                    return true;
                case MenuEscape::Handled:
                    Relayout();
                    FocusNewView(menu, s.layout, {});
                    break;
            }
            Repaint();
            return true;
        case VK_APPS:
            OpenSelectedItemMenu();
            return true;
        case VK_F10:
            if (!ShiftDown()) {
                return false;
            }
            OpenSelectedItemMenu();
            return true;
        default:
            break;
    }
    const std::optional<MenuKey> move = NavigationKey(key);
    if (!move) {
        return false;
    }
    Relayout();
    const float scroll = menu.scroll;
    if (!MoveMenuFocus(menu, s.layout, *move)) {
        return false;
    }
    if (menu.scroll != scroll) {
        HoverUnderPointer();
    }
    Repaint();
    return true;
}

void CorMenu::OnCatalogTimer() {
    ::KillTimer(Hwnd(), TIMER_SURFACE_CATALOG);
    (void)catalog_.GetApps(kCatalogInUseAgeMs);
    MenuState& menu = impl_->menu;
    if (menu.view == MenuView::Results) {
        RunSearch();
        KeepResultSelection(menu, impl_->results.size());
    }
    Repaint();
}

LRESULT CorMenu::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return 0;
        case WM_MOUSELEAVE:
            impl_->tracking = false;
            if (impl_->menu.hover != MenuItemId{}) {
                impl_->menu.hover = {};
                Repaint();
            }
            return 0;
        case WM_LBUTTONUP:
            Activate(ItemAt(lParam));
            return 0;
        case WM_RBUTTONUP:
            OnRightButtonUp(lParam);
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_KEYDOWN:
            if (OnKey(wParam)) {
                return 0;
            }
            break;
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            // F10 is a system key: Shift+F10 opens the selected item's menu
            // on the way down, and F10 never enters the window menu.
            if (wParam == VK_F10) {
                if (message == WM_SYSKEYDOWN) {
                    (void)OnKey(wParam);
                }
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            // Raised for the menu key and Shift+F10, which opened the menu as
            // they went down (a right click, as it went up).
            return 0;
        case WM_TIMER:
            if (wParam == TIMER_SURFACE_CATALOG) {
                OnCatalogTimer();
                return 0;
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
}

}  // namespace corvane
