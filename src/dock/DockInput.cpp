// The dock and the mouse: hover magnification and the tooltip, presses,
// dragging items to reorder, pin and unpin them, and the clicks that the
// actions carry out.

#include "dock/Dock.h"
#include "dock/DockGeometry.h"
#include "identity/AppWindows.h"
#include "toolkit/SystemDragThreshold.h"

#include <algorithm>

namespace corvane {
namespace {

// After the pointer left the dock, smart hide looks again this much later.
constexpr UINT kLeaveAfterPointerMs = 500;
// The tooltip's bubble ends this far above the dock.
constexpr float kTooltipGapPoints = 6.0f;

// The pointer rests on an item this long before its windows' preview opens.
constexpr UINT kPreviewOpenMs = 450;
// Grace periods in which the pointer may cross from the dock to the preview
// or back without it closing.
constexpr UINT kPreviewCloseAfterHoverMs = 300;
constexpr UINT kPreviewCloseAfterLeaveMs = 250;
// Smart hide looks again this long after the preview closed.
constexpr UINT kLeaveAfterPreviewMs = 300;
// The preview's bottom stands this far above the dock.
constexpr int32_t kPreviewGapPoints = 8;

}  // namespace

int Dock::ToPixels(float points) const noexcept {
    return static_cast<int>(static_cast<float>(dpi_) * points / 96.0f);
}

int Dock::HitTest(int clientX) const noexcept {
    const int hit = HitTestDock(cells_, clientX, dpi_);
    return hit >= 0 && hit < static_cast<int>(items_.size()) ? hit : -1;
}

int Dock::ItemCentreOnScreen(int index) const noexcept {
    const PointRect& cell = cells_[static_cast<std::size_t>(index)];
    return windowRect_.left + ToPixels((cell.left + cell.right) / 2.0f);
}

void Dock::ApplyScaleTargets() noexcept {
    for (std::size_t i = 0; i < visuals_.size(); ++i) {
        const int index = static_cast<int>(i);
        float target = 1.0f;
        if (index == press_.Target() && !press_.Dragging()) {
            target = kDockPressScale;
        } else if ((index == hoveredIndex_ || index == FocusedItem()) && !press_.Dragging()) {
            target = kDockHoverScale;
        }
        visuals_[i].targetScale = target;
    }
    StartAnimation();
}

void Dock::SetHover(int index) noexcept {
    if (index == hoveredIndex_) {
        return;
    }
    hoveredIndex_ = index;
    ApplyScaleTargets();
    PreviewFollowsHover();
    UpdateTooltip();
}

void Dock::PreviewFollowsHover() noexcept {
    const bool wanted = context_.settings.windowPreviews && !press_.Dragging() &&
                        hoveredIndex_ >= 0 && hoveredIndex_ < static_cast<int>(items_.size()) &&
                        ItemHasPreview(items_[static_cast<std::size_t>(hoveredIndex_)]);
    if (wanted) {
        ::KillTimer(Hwnd(), TIMER_DOCK_PREVIEW_CLOSE);
        if (PreviewShown()) {
            OpenPreview(hoveredIndex_);
        } else {
            ::SetTimer(Hwnd(), TIMER_DOCK_PREVIEW, kPreviewOpenMs, nullptr);
        }
        return;
    }
    ::KillTimer(Hwnd(), TIMER_DOCK_PREVIEW);
    if (!PreviewShown()) {
        return;
    }
    if (hoveredIndex_ >= 0 || press_.Dragging()) {
        ClosePreview();
    } else {
        // Maybe on its way up into the preview.
        ::SetTimer(Hwnd(), TIMER_DOCK_PREVIEW_CLOSE, kPreviewCloseAfterHoverMs, nullptr);
    }
}

void Dock::PreviewFollowsItems() noexcept {
    if (!PreviewShown()) {
        return;
    }
    const int index = PreviewItemAfterChange(items_, previewKey_, hoveredIndex_);
    if (index < 0 || press_.Dragging()) {
        ClosePreview();
    } else {
        OpenPreview(index);
    }
}

bool Dock::PreviewShown() const noexcept {
    return preview_ && preview_->IsVisible();
}

bool Dock::PointerOverPreview() const noexcept {
    return preview_ && preview_->PointerInside();
}

void Dock::OpenPreview(int index) noexcept {
    if (!preview_ || !context_.settings.windowPreviews || index < 0 ||
        index >= static_cast<int>(std::min({items_.size(), visuals_.size(), cells_.size()}))) {
        return;
    }
    const uint64_t key = items_[static_cast<std::size_t>(index)].key;
    const int32_t anchorX = ItemCentreOnScreen(index);
    try {
        std::vector<HWND> windows;
        for (const WindowId id : items_[static_cast<std::size_t>(index)].windows) {
            if (const HWND window = ToHwnd(id); ::IsWindow(window)) {
                windows.push_back(window);
            }
        }
        if (windows.empty()) {
            ClosePreview();
            return;
        }
        if (PreviewShown() && key == previewKey_ && anchorX == previewAnchorX_ &&
            windows == previewWindows_) {
            return;  // already just this
        }
        preview_->Show(Hwnd(), windows, visuals_[static_cast<std::size_t>(index)].icon, anchorX,
                       windowRect_.top - ScalePoints(kPreviewGapPoints, dpi_), dpi_);
        previewWindows_ = std::move(windows);
    } catch (...) {
        ClosePreview();  // out of memory: no preview
        return;
    }
    previewKey_ = PreviewShown() ? key : 0;
    previewAnchorX_ = anchorX;
    // The preview names the windows; the tooltip would only cover it.
    tooltip_.Hide();
}

void Dock::ClosePreview() noexcept {
    ::KillTimer(Hwnd(), TIMER_DOCK_PREVIEW);
    ::KillTimer(Hwnd(), TIMER_DOCK_PREVIEW_CLOSE);
    previewKey_ = 0;
    previewWindows_.clear();
    if (preview_) {
        preview_->Hide();
    }
}

void Dock::OnPreviewLeft() noexcept {
    if (hoveredIndex_ < 0) {
        ::SetTimer(Hwnd(), TIMER_DOCK_PREVIEW_CLOSE, kPreviewCloseAfterLeaveMs, nullptr);
    }
    if (!pointerInside_) {
        ::SetTimer(Hwnd(), TIMER_DOCK_LEAVE, kLeaveAfterPointerMs, nullptr);
    }
}

void Dock::OnPreviewCloseTimer() noexcept {
    if (PointerOverPreview() || hoveredIndex_ >= 0) {
        return;
    }
    ClosePreview();
    if (!pointerInside_) {
        ::SetTimer(Hwnd(), TIMER_DOCK_LEAVE, kLeaveAfterPreviewMs, nullptr);
    }
}

void Dock::UpdateTooltip() noexcept {
    if (hoveredIndex_ < 0 || press_.Dragging() || PreviewShown() ||
        hoveredIndex_ >= static_cast<int>(std::min(items_.size(), cells_.size()))) {
        tooltip_.Hide();
        return;
    }
    try {
        tooltip_.SetText(items_[static_cast<std::size_t>(hoveredIndex_)].name);
        // Centred over the item, its bottom a little above the dock.
        tooltip_.ShowAbove(ItemCentreOnScreen(hoveredIndex_),
                           windowRect_.top - ToPixels(kTooltipGapPoints));
    } catch (...) {
        tooltip_.Hide();
    }
}

void Dock::OnMouseMove(int x, int y) noexcept {
    if (!pointerTracked_) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, Hwnd(), 0};
        pointerTracked_ = ::TrackMouseEvent(&tme) != FALSE;
    }
    pointerInside_ = true;
    ::KillTimer(Hwnd(), TIMER_DOCK_LEAVE);
    if (press_.Pressed()) {
        // A held item is the pointer's until it is let go.
        DragTo(x, y);
        return;
    }
    SetHover(HitTest(x));
    SetNowPlayingHover(OverNowPlaying(x));
}

void Dock::DragTo(int x, int y) noexcept {
    int dragged = press_.Target();
    if (static_cast<std::size_t>(dragged) >= items_.size()) {
        return;
    }
    const GestureStep step = press_.Move(x, y);
    if (step == GestureStep::None) {
        return;
    }
    if (step == GestureStep::DragStarted) {
        ::SetCapture(Hwnd());
        SetHover(-1);
        ApplyScaleTargets();
    }
    POINT screen{x, y};
    ::ClientToScreen(Hwnd(), &screen);
    const bool wasOut = dragOut_;
    dragOut_ = DockDragIsOut(screen.y, windowRect_.top, dpi_,
                             items_[static_cast<std::size_t>(dragged)].pinned);
    if (MoveDraggedItem(items_, dragged, HitTest(x))) {
        press_.Retarget(dragged);
        FollowItems();
        Layout();
    } else if (wasOut != dragOut_) {
        Repaint();
    }
}

void Dock::EndDrag() noexcept {
    const int index = press_.Target();
    const bool out = dragOut_;
    // Cleared first: releasing the capture reports a capture change.
    press_.Cancel();
    dragOut_ = false;
    ::ReleaseCapture();
    try {
        DropDraggedItem(items_, index, out);
    } catch (...) {
        // Out of memory: the items stay where the drag left them.
    }
    FollowItems();
    // The leave report that came during the drag was passed over.
    POINT pointer = {};
    RECT window = {};
    if (::GetCursorPos(&pointer) && ::GetWindowRect(Hwnd(), &window) &&
        !::PtInRect(&window, pointer)) {
        pointerInside_ = false;
        SetHover(-1);
        ::SetTimer(Hwnd(), TIMER_DOCK_LEAVE, kLeaveAfterPointerMs, nullptr);
    }
    ApplyScaleTargets();
    SavePinned();
    RebuildDock();
}

void Dock::OnCaptureLost() noexcept {
    // Another window took the mouse mid-drag: the item is dropped where it is.
    if (press_.Dragging()) {
        EndDrag();
    }
}

void Dock::OnLeftDown(int x, int y) noexcept {
    const int hit = HitTest(x);
    // The Start button only clicks.
    press_.Press(hit, x, y, SystemDragThreshold(dpi_),
                 hit >= 0 && !items_[static_cast<std::size_t>(hit)].start);
    ClosePreview();
    ApplyScaleTargets();
    Repaint();
}

void Dock::OnLeftUp(int x, int /*y*/) noexcept {
    if (press_.Dragging()) {
        EndDrag();
        return;
    }
    const int pressed = press_.Target();
    // Let go outside the pressed item: no click.
    const bool clicked = press_.Release(HitTest(x)) == GestureStep::Clicked;
    ApplyScaleTargets();
    if (pressed < 0 && OverNowPlaying(x)) {
        context_.nowPlaying.TogglePlayPause();
        return;
    }
    if (clicked) {
        Activate(pressed);
    }
}

void Dock::OnRightUp(int x, int y) noexcept {
    const int hit = HitTest(x);
    SetHover(-1);
    ClosePreview();
    if (hit >= 0) {
        OpenItemMenu(hit, ItemCentreOnScreen(hit));
        return;
    }
    POINT screen{x, y};
    ::ClientToScreen(Hwnd(), &screen);
    OpenDockMenu(screen);
}

void Dock::OnMiddleUp(int x) noexcept {
    const int hit = HitTest(x);
    if (hit >= 0) {
        MiddleClick(hit);
    }
}

void Dock::OnMouseLeave() noexcept {
    pointerTracked_ = false;
    if (press_.Dragging()) {
        return;
    }
    pointerInside_ = false;
    // A press that went outside gets no release here any more.
    press_.Cancel();
    SetHover(-1);
    SetNowPlayingHover(false);
    ApplyScaleTargets();
    ::SetTimer(Hwnd(), TIMER_DOCK_LEAVE, kLeaveAfterPointerMs, nullptr);
}

}  // namespace corvane
