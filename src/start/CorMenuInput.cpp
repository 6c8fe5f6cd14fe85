#include "start/CorMenu.h"

#include "start/AppCatalog.h"
#include "start/CorMenuState.h"
#include "start/PinRules.h"
#include "start/PowerActions.h"
#include "identity/AppLaunch.h"
#include "start/StartActions.h"
#include "start/StartHost.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace corvane {

MenuItemId Menu::ItemAt(LPARAM clientPoint) {
    Relayout();
    const float toDips = 96.0f / static_cast<float>(Dpi());
    const float x = static_cast<float>(GET_X_LPARAM(clientPoint)) * toDips;
    const float y = static_cast<float>(GET_Y_LPARAM(clientPoint)) * toDips -
                    MenuPainter::SlideOffset(progress_);
    return MenuItemAt(state_->layout, x, y);
}

void Menu::OnMouseMove(LPARAM lParam) {
    State& s = *state_;
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

void Menu::OnLeftButtonUp(LPARAM lParam) {
    const MenuItemId item = ItemAt(lParam);
    if (ClickMenuItem(state_->menu, item, state_->letterRows)) {
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

void Menu::OpenPowerMenu() {
    const PointRect& button = state_->layout.power;
    const float toPixels = static_cast<float>(Dpi()) / 96.0f;
    POINT at = {static_cast<LONG>(button.left * toPixels),
                static_cast<LONG>((button.top + MenuPainter::SlideOffset(progress_)) * toPixels)};
    ::ClientToScreen(Hwnd(), &at);
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

void Menu::OnRightButtonUp(LPARAM lParam) {
    const MenuItemId item = ItemAt(lParam);
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
            context_.host.SaveDockPinned(std::move(*dock));
        }
    };
    RunItemMenu(entry, options, context_);
}

void Menu::OnWheel(int32_t delta) {
    Relayout();
    MenuState& menu = state_->menu;
    const float scroll = WheelScroll(state_->layout, menu.scroll, delta);
    if (scroll == menu.scroll) {
        return;
    }
    menu.scroll = scroll;
    // The rows moved under a pointer that did not.
    POINT pointer = {};
    if (::GetCursorPos(&pointer) && ::ScreenToClient(Hwnd(), &pointer)) {
        menu.hover = ItemAt(MAKELPARAM(pointer.x, pointer.y));
    }
    Repaint();
}

bool Menu::OnKey(WPARAM key) {
    MenuState& menu = state_->menu;
    std::vector<AppEntry>& results = state_->results;
    switch (key) {
        case VK_RETURN:
            switch (EnterInMenu(menu, results.size())) {
                case MenuEnter::LaunchSelection: {
                    const AppEntry chosen = results[static_cast<std::size_t>(menu.selection)];
                    Close(true);
                    LaunchEntry(chosen, false, context_);
                    break;
                }
                case MenuEnter::SearchFiles: {
                    const std::wstring query = query_.Text();
                    Close(true);
                    SearchFiles(query, context_);
                    break;
                }
                case MenuEnter::Nothing:
                    break;
            }
            break;
        case VK_ESCAPE:
            switch (EscapeMenu(menu, !query_.Text().empty())) {
                case MenuEscape::ClearQuery:
                    query_.Clear();
                    OnQueryChanged();
                    break;
                case MenuEscape::Close:
                    Close(true);
                    break;
                case MenuEscape::Handled:
                    break;
            }
            break;
        case VK_UP:
            StepSelection(menu, -1, results.size());
            break;
        case VK_DOWN:
            StepSelection(menu, 1, results.size());
            break;
        default:
            return EditQueryKey(key);
    }
    Repaint();
    return true;
}

void Menu::OnCatalogTimer() {
    ::KillTimer(Hwnd(), TIMER_SURFACE_CATALOG);
    (void)catalog_.GetApps(kCatalogInUseAgeMs);
    MenuState& menu = state_->menu;
    if (menu.view == MenuView::Results) {
        RunSearch();
        menu.selection = std::min(menu.selection, static_cast<int32_t>(state_->results.size()));
    }
    Repaint();
}

LRESULT Menu::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return 0;
        case WM_MOUSELEAVE:
            state_->tracking = false;
            if (state_->menu.hover != MenuItemId{}) {
                state_->menu.hover = {};
                Repaint();
            }
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(lParam);
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
