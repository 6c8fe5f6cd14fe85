// The bar for screen readers: the tree they read is built from the current
// layout on demand, their default actions run what a left click runs, and
// they hear where the keyboard focus cue goes and when the clock turns.

#include "bar/Bar.h"
#include "bar/BarAccessibleTree.h"
#include "bar/BarClicks.h"
#include "bar/ClockText.h"
#include "bar/SystemStatus.h"
#include "tray/TrayHost.h"

namespace corvane {

AccessibleNode Bar::BuildAccessibleTree() {
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    const std::wstring clock =
        FormatClockText(context_.settings.dateFormat, context_.settings.showSeconds);
    std::wstring longDate;
    for (const BarItem& item : Items()) {
        if (item.kind == BarItemKind::ClockItem) {
            longDate = TooltipText(item);
        }
    }
    static const StatusModel kNoStatus;
    BarAccessibleFacts facts;
    facts.items = &Items();
    facts.dpi = dpi_;
    facts.client = {0, 0, client.right, client.bottom};
    facts.shown = ::IsWindowVisible(Hwnd()) != FALSE && revealed_ && !fullscreenHidden_;
    facts.appName = context_.current.displayName;
    facts.menus = &context_.menus;
    facts.clockText = clock;
    facts.longDate = longDate;
    facts.nowPlayingText = nowPlayingText_;
    facts.status = context_.status != nullptr ? &context_.status->Model() : &kNoStatus;
    facts.tilingOn = context_.settings.tilingEnabled;
    facts.trayName = [this](const BarItem& item) { return TooltipText(item); };
    facts.focusIndex = KeyboardFocusIndex();
    facts.openMenuIndex = openMenuIndex_;
    facts.pressedIndex = press_.Target();
    return BarAccessibleTree(facts);
}

void Bar::RunAccessibleAction(int32_t actionId) {
    const std::optional<int> hit = BarActionItem(actionId, Items());
    if (!hit) {
        return;  // the bar changed since the reader asked
    }
    const BarClickAction action = LeftClickAction(Items()[static_cast<std::size_t>(*hit)].kind);
    if (action == BarClickAction::TrayPress) {
        ClickTrayIcon(*hit);
    } else {
        // Readers are driven from the keyboard: a menu opens with its first
        // entry selected, as from the bar's own keys.
        RunClickAction(action, *hit, true);
    }
}

void Bar::ClickTrayIcon(int hit) {
    const std::optional<TrayIconKey> key = TrayKeyOf(Items()[static_cast<std::size_t>(hit)]);
    if (!key) {
        return;
    }
    const PixelRect box = ItemPixelBox(Items()[static_cast<std::size_t>(hit)], dpi_);
    const POINT middle = ToScreen((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    SendTrayMouse(*key, WM_LBUTTONDOWN, middle);
    SendTrayMouse(*key, WM_LBUTTONUP, middle);
}

void Bar::NotifyKeyboardFocus() noexcept {
    const int item = KeyboardFocusIndex();
    if (item >= 0) {
        accessible_.Notify(EVENT_OBJECT_FOCUS,
                           BarActionId(item, Items()[static_cast<std::size_t>(item)].kind));
    }
}

void Bar::NotifyNamesTurned(const std::wstring& clock) noexcept {
    NotifyNameTurned(accessibleClock_, clock, BarItemKind::ClockItem);
    NotifyNameTurned(accessibleNowPlaying_, nowPlayingText_, BarItemKind::NowPlayingItem);
}

void Bar::NotifyNameTurned(std::wstring& heard, const std::wstring& now,
                           BarItemKind kind) noexcept {
    try {
        if (now == heard) {
            return;
        }
        const bool first = heard.empty();
        heard = now;
        if (first) {
            return;
        }
    } catch (...) {
        return;
    }
    for (std::size_t i = 0; i < Items().size(); ++i) {
        if (Items()[i].kind == kind) {
            accessible_.Notify(EVENT_OBJECT_NAMECHANGE, BarActionId(static_cast<int>(i), kind));
        }
    }
}

}  // namespace corvane
