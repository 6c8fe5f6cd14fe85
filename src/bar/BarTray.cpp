// The bar's side of the hosted tray icons: the strip in the layout, where its
// icons stand on the screen, and the mouse on them. The programs behind the
// icons are reached only through the host, which checks their windows.

#include "bar/Bar.h"
#include "bar/BarLayout.h"
#include "base/Win32Geometry.h"
#include "toolkit/SystemDragThreshold.h"
#include "tray/TrayHost.h"

namespace corvane {

TrayHost* Bar::Tray() const noexcept {
    return mainBar_ ? context_.tray.get() : nullptr;
}

POINT Bar::ToScreen(int x, int y) const noexcept {
    POINT pt{x, y};
    ::ClientToScreen(Hwnd(), &pt);
    return pt;
}

float Bar::BuildTrayStrip(float rightEdge, float height, std::vector<BarItem>& items) {
    TrayHost* host = Tray();
    if (host == nullptr) {
        return rightEdge;
    }
    const Settings& settings = context_.settings;
    trayRightEdge_ = rightEdge;
    trayHeight_ = height;
    const std::size_t first = items.size();
    const BarTrayStrip strip =
        AppendTrayStrip(host->Icons(), settings.trayOrder, settings.trayHidden,
                        TrayDraggedBelow(trayDrag_), rightEdge, height, items);
    trayNotifyRect_ = strip.notifyRect;
    PublishTrayRects(std::span<const BarItem>(items).subspan(first));
    return strip.nextRight;
}

TrayStripLayout Bar::CurrentTrayStrip() const {
    const TrayHost* host = Tray();
    if (host == nullptr || !trayNotifyRect_) {
        return {};
    }
    const Settings& settings = context_.settings;
    return LayoutTrayStrip(host->Icons(), settings.trayOrder, settings.trayHidden,
                           TrayDraggedBelow(trayDrag_), trayRightEdge_, trayHeight_);
}

void Bar::PublishTrayRects(std::span<const BarItem> items) noexcept {
    TrayHost* host = Tray();
    if (host == nullptr || !trayNotifyRect_ || Hwnd() == nullptr) {
        return;
    }
    const POINT origin = ToScreen(0, 0);
    for (const BarItem& item : items) {
        const std::optional<TrayIconKey> key = TrayKeyOf(item);
        if (!key) {
            continue;
        }
        if (TrayIcon* icon = host->Find(key->ownerWindow, key->id)) {
            icon->screenRect = TraySlotOnScreen({item.left, item.top, item.right, item.bottom},
                                                dpi_, origin.x, origin.y);
        }
    }
    host->SetNotifyRect(TraySlotOnScreen(*trayNotifyRect_, dpi_, origin.x, origin.y));
}

bool Bar::OnTrayMove(int x, int y) {
    if (!trayDrag_.Active()) {
        return false;
    }
    TrayHost* host = Tray();
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    const auto programs = [this, host] {
        return host != nullptr ? TrayStripPrograms(host->Icons(), CurrentTrayStrip())
                               : std::vector<TrayStripProgram>();
    };
    TrayDragMove move =
        MoveTrayDrag(trayDrag_, x, y, client.bottom, dpi_, programs, context_.settings.trayOrder);
    if (move.started) {
        ::SetCapture(Hwnd());
        // The dragged program's slots carry the highlight from now on.
        EndTrayHover();
        hoverIndex_ = -1;
        press_.Cancel();
        UpdateTooltip();
    }
    if (move.order) {
        context_.host.SetTrayOrder(std::move(*move.order));
    }
    if (move.stripChanged) {
        Relayout();
    } else if (move.started) {
        Repaint();
    }
    return true;
}

void Bar::UpdateTrayHover(int hit, POINT screen) noexcept {
    TrayHost* host = Tray();
    std::optional<TrayIconKey> over;
    if (hit >= 0 && static_cast<std::size_t>(hit) < Items().size()) {
        over = TrayKeyOf(Items()[static_cast<std::size_t>(hit)]);
    }
    if (host == nullptr) {
        trayHovered_.reset();
        return;
    }
    if (over != trayHovered_) {
        EndTrayHover();
        if (over) {
            if (const TrayIcon* icon = host->Find(over->ownerWindow, over->id)) {
                host->SendTrayHover(*icon, screen);
            }
        }
        trayHovered_ = over;
    }
    if (over) {
        if (const TrayIcon* icon = host->Find(over->ownerWindow, over->id)) {
            host->SendTrayMove(*icon, screen);
        }
    }
}

void Bar::EndTrayHover() noexcept {
    const std::optional<TrayIconKey> left = trayHovered_;
    trayHovered_.reset();
    TrayHost* host = Tray();
    if (!left || host == nullptr) {
        return;
    }
    if (const TrayIcon* icon = host->Find(left->ownerWindow, left->id)) {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        host->SendTrayLeave(*icon, cursor);
    }
}

void Bar::OnTrayPress(int hit, UINT message, int x, int y) {
    if (hit < 0 || static_cast<std::size_t>(hit) >= Items().size()) {
        return;
    }
    const std::optional<TrayIconKey> key = TrayKeyOf(Items()[static_cast<std::size_t>(hit)]);
    if (!key) {
        return;
    }
    std::wstring exeName;
    if (TrayHost* host = Tray()) {
        if (const TrayIcon* icon = host->Find(key->ownerWindow, key->id)) {
            exeName = icon->exeName;
        }
    }
    trayPressed_ = *key;
    trayDrag_.Press(hit, message, x, y, SystemDragThreshold(dpi_), std::move(exeName));
}

void Bar::OnTrayRelease(int x, int y) {
    // Reset before the capture goes, so that losing it is no cancelled drag.
    const TrayRelease release = ReleaseTrayDrag(trayDrag_);
    const TrayIconKey pressed = trayPressed_;
    trayPressed_ = {};
    press_.Cancel();
    if (::GetCapture() == Hwnd()) {
        ::ReleaseCapture();
    }
    if (release.clickMessage != 0) {
        const POINT screen = ToScreen(x, y);
        SendTrayMouse(pressed, release.clickMessage, screen);
        SendTrayMouse(pressed, WM_LBUTTONUP, screen);
    }
    if (release.finishDrag) {
        context_.host.FinishTrayDrag(release.hideExeName);
    } else {
        Repaint();
    }
}

void Bar::OnTrayCaptureLost() {
    trayDrag_.Reset();
    trayPressed_ = {};
    press_.Cancel();
    // The order reached so far stays.
    context_.host.FinishTrayDrag(std::wstring());
}

void Bar::SendTrayMouse(const TrayIconKey& key, UINT message, POINT screen) noexcept {
    // Looked up for every message: the one before may have let the host
    // change its list.
    if (TrayHost* host = Tray()) {
        if (const TrayIcon* icon = host->Find(key.ownerWindow, key.id)) {
            host->SendTrayMouse(*icon, message, screen);
        }
    }
}

}  // namespace corvane
