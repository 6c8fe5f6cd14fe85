// A bed and the pointer: hover, the header's press that rolls the bed or
// moves it, an item's press that selects it and, dragged, carries it to a
// place in this bed or another, the double click that opens it and the menus.

#include "garden/BedWindow.h"

#include "base/Win32Geometry.h"
#include "garden/BedGeometry.h"
#include "toolkit/SystemDragThreshold.h"

#include <windowsx.h>

#include <utility>

namespace corvane {
namespace {

// The header is one target: a release anywhere within the threshold rolls it.
constexpr int32_t kHeaderTarget = 0;

}  // namespace

void BedWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!tracking_) {
        TRACKMOUSEEVENT leave = {sizeof(leave), TME_LEAVE, Hwnd(), 0};
        tracking_ = ::TrackMouseEvent(&leave) != FALSE;
    }
    if (HoldsItemDrag()) {
        FollowItemDrag(ScreenPoint(lParam));
        return;
    }
    if ((wParam & MK_LBUTTON) == 0) {
        // Let go outside the bed, where its button-up never came.
        itemPress_.Cancel();
        pressedItem_.clear();
    }
    if (itemPress_.Pressed() && !context_.drag.active) {
        if (itemPress_.Move(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) ==
            GestureStep::DragStarted) {
            context_.drag = GardenDrag{true, bed_, std::move(pressedItem_), -1, -1};
            pressedItem_.clear();
            ::SetCapture(Hwnd());
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            FollowItemDrag(ScreenPoint(lParam));
        }
        return;
    }
    if (headerPress_.Pressed()) {
        MoveWithHeader(ScreenPoint(lParam));
        return;
    }
    const bool header = Dips(GET_Y_LPARAM(lParam)) < BedHeaderHeight(context_.theme.textScale);
    const int32_t hovered = ItemAt(lParam);
    if (header != headerHovered_ || hovered != hovered_) {
        headerHovered_ = header;
        hovered_ = hovered;
        Repaint();
    }
}

void BedWindow::MoveWithHeader(POINT screen) {
    const GestureStep step = headerPress_.Move(screen.x, screen.y);
    if (step == GestureStep::None) {
        return;
    }
    if (step == GestureStep::DragStarted) {
        ApplyGlass(true);
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
    }
    const int dx = screen.x - headerPress_.PressX();
    const int dy = screen.y - headerPress_.PressY();
    const PixelRect moved{pressRect_.left + dx, pressRect_.top + dy, pressRect_.right + dx,
                          pressRect_.bottom + dy};
    const RECT movedRect = ToRect(moved);
    const std::vector<PixelRect> others = context_.host.OtherBedRects(bed_);
    const PixelRect snapped =
        SnapBed(moved, MonitorWorkArea(::MonitorFromRect(&movedRect, MONITOR_DEFAULTTONEAREST)),
                others, dpi_);
    ::SetWindowPos(Hwnd(), nullptr, snapped.left, snapped.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BedWindow::OnMouseLeave() noexcept {
    tracking_ = false;
    if (hovered_ >= 0 || headerHovered_) {
        hovered_ = -1;
        headerHovered_ = false;
        Repaint();
    }
}

void BedWindow::OnLeftDown(LPARAM lParam) {
    const DragThreshold threshold = SystemDragThreshold(dpi_);
    if (Dips(GET_Y_LPARAM(lParam)) < BedHeaderHeight(context_.theme.textScale)) {
        RECT window = {};
        ::GetWindowRect(Hwnd(), &window);
        pressRect_ = ToPixelRect(window);
        const POINT screen = ScreenPoint(lParam);
        headerPress_.Press(kHeaderTarget, screen.x, screen.y, threshold);
        ::SetCapture(Hwnd());
        return;
    }
    const int32_t hit = ItemAt(lParam);
    if (hit != selected_) {
        selected_ = hit;
        Repaint();
        NotifySelection();
    }
    if (hit >= 0) {
        pressedItem_ = Visible()[static_cast<std::size_t>(hit)];
        itemPress_.Press(hit, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), threshold);
        context_.host.SelectionChanged(bed_);
    }
}

void BedWindow::OnLeftUp() {
    pressedItem_.clear();
    // An item acts on its press and its double click; its release only drops.
    const bool dropped = itemPress_.Release(kNoTarget) == GestureStep::Dropped;
    EndHeaderPress(true);
    if (dropped && HoldsItemDrag()) {
        EndItemDrag(true);
    }
}

void BedWindow::OnDoubleClick(LPARAM lParam) {
    if (const int32_t hit = ItemAt(lParam); hit >= 0) {
        const std::wstring id = Visible()[static_cast<std::size_t>(hit)];
        context_.host.OpenItem(id);
    } else {
        // The second click of a quick pair on the header is a click of its own.
        OnLeftDown(lParam);
    }
}

void BedWindow::OnCaptureChanged(HWND newCapture) {
    if (newCapture == Hwnd()) {
        return;
    }
    EndHeaderPress(false);
    if (itemPress_.Cancel() == GestureStep::Cancelled && HoldsItemDrag()) {
        EndItemDrag(false);
    }
}

bool BedWindow::HoldsItemDrag() const noexcept {
    return context_.drag.active && context_.drag.source == bed_;
}

void BedWindow::FollowItemDrag(POINT screen) {
    std::ptrdiff_t target = -1;
    int32_t index = -1;
    const HWND under = ::WindowFromPoint(screen);
    const HWND root = under != nullptr ? ::GetAncestor(under, GA_ROOT) : nullptr;
    if (const BedWindow* bed = root != nullptr ? context_.host.BedWindowOf(root) : nullptr) {
        const Bed* model = bed->CurrentBed();
        if (model != nullptr && !model->collapsed) {
            target = static_cast<std::ptrdiff_t>(bed->bed_);
            index = bed->InsertionIndexAt(screen);
        }
    }
    GardenDrag& drag = context_.drag;
    if (target != drag.target) {
        // The old target's bar and outline go, the new one's come.
        drag.target = target;
        drag.index = index;
        context_.host.RepaintBeds();
    } else if (index != drag.index) {
        drag.index = index;
        if (BedWindow* bed = context_.host.BedWindowOf(root)) {
            bed->Repaint();
        }
    }
}

void BedWindow::EndItemDrag(bool drop) {
    // Cleared before the capture goes, so that the capture change finds no drag.
    const GardenDrag drag = std::exchange(context_.drag, GardenDrag{});
    if (::GetCapture() == Hwnd()) {
        ::ReleaseCapture();
    }
    // Beds and items may have changed since the press: the drop checks again.
    const bool moved =
        drop && drag.target >= 0 &&
        DropItem(context_.beds, drag.source, drag.id, static_cast<std::size_t>(drag.target),
                 drag.index, context_.items) == DropResult::Moved;
    if (moved) {
        ++context_.itemsStamp;
        // The indices now point at other items, here and in the target.
        hovered_ = selected_ = -1;
        context_.host.SelectionChanged(bed_);
    }
    context_.host.RepaintBeds();
    if (moved) {
        context_.host.SaveSoon();
    }
}

void BedWindow::EndHeaderPress(bool released) noexcept {
    if (!headerPress_.Pressed()) {
        return;
    }
    // Ended before the capture goes: the capture change this sends finds
    // nothing to end.
    const GestureStep step = released ? headerPress_.Release(kHeaderTarget) : headerPress_.Cancel();
    if (::GetCapture() == Hwnd()) {
        ::ReleaseCapture();
    }
    if (step == GestureStep::Dropped || step == GestureStep::Cancelled) {
        ApplyGlass(false);
        StoreWindowRect();
        context_.host.SaveSoon();
    } else if (step == GestureStep::Clicked) {
        ToggleRoll();
    }
}

void BedWindow::OnRightUp(LPARAM lParam) {
    const POINT screen = ScreenPoint(lParam);
    if (const int32_t hit = ItemAt(lParam); hit >= 0) {
        // A copy: a rescan while the menu is open rebuilds the list.
        const std::wstring id = Visible()[static_cast<std::size_t>(hit)];
        selected_ = hit;
        Repaint();
        NotifySelection();
        context_.host.SelectionChanged(bed_);
        context_.host.ItemMenu(bed_, id, screen);
    } else {
        context_.host.BedMenu(bed_, screen);
    }
}

}  // namespace corvane
