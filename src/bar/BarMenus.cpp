// The bar's side of the application menus: which title is open, where its
// drop-down stands, and following the user from title to title.

#include "appmenus/ShowAppMenu.h"
#include "bar/Bar.h"
#include "bar/BarAccessibleTree.h"
#include "bar/BarLayout.h"
#include "toolkit/PopupMenuGate.h"

namespace corvane {
namespace {

// The drop-down hangs this far below its title.
constexpr float kDropDownGapPoints = 3.0f;

int TitleItemOf(const std::vector<BarItem>& items, int32_t menuIndex) noexcept {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind == BarItemKind::MenuTitleItem && items[i].menuIndex == menuIndex) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

LONG ToPixels(float points, uint32_t dpi) noexcept {
    return static_cast<LONG>(points * static_cast<float>(dpi) / 96.0f);
}

}  // namespace

void Bar::OpenMenus(int itemIndex, bool fromKeyboard) {
    const std::vector<BarItem>& items = Items();
    if (itemIndex < 0 || static_cast<std::size_t>(itemIndex) >= items.size() ||
        items[static_cast<std::size_t>(itemIndex)].kind != BarItemKind::MenuTitleItem) {
        return;
    }
    // The foreground may change while a drop-down is open; the loop keeps
    // to the menus and the window it started with.
    const std::vector<AppMenu> menus = context_.menus;
    const HWND target = context_.current.window;

    const MenuTitleHitTest hitTest = [this](POINT screen) -> int32_t {
        if (Hwnd() == nullptr || !::ScreenToClient(Hwnd(), &screen)) {
            return -1;
        }
        const std::vector<BarItem>& shown = Items();
        const int hit =
            HitTestBar(shown, static_cast<float>(screen.x), static_cast<float>(screen.y), dpi_);
        if (hit < 0 || shown[static_cast<std::size_t>(hit)].kind != BarItemKind::MenuTitleItem) {
            return -1;
        }
        return shown[static_cast<std::size_t>(hit)].menuIndex;
    };

    const PopupMenuScope menuOpen;
    int32_t menu = items[static_cast<std::size_t>(itemIndex)].menuIndex;
    while (menu >= 0) {
        // The bar may have been laid out again while the last drop-down was
        // open; the title is looked up afresh.
        const int placed = TitleItemOf(Items(), menu);
        if (placed < 0) {
            break;
        }
        openMenuIndex_ = placed;
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
        ::UpdateWindow(Hwnd());
        accessible_.Notify(EVENT_OBJECT_STATECHANGE,
                           BarActionId(placed, BarItemKind::MenuTitleItem));
        const BarItem title = Items()[static_cast<std::size_t>(placed)];
        POINT anchor{ToPixels(title.left, dpi_), ToPixels(title.bottom + kDropDownGapPoints, dpi_)};
        ::ClientToScreen(Hwnd(), &anchor);

        popupOpen_ = true;
        menu = ShowAppMenu(menus, menu, anchor, Hwnd(), target, hitTest, context_.worker,
                           fromKeyboard);
        EndPopup();
    }
    // The arrows may have moved the drop-down along the titles: the keyboard
    // stays on the last one.
    FocusItem(openMenuIndex_);
    press_.Cancel();
    openMenuIndex_ = -1;
    Repaint();
}

}  // namespace corvane
