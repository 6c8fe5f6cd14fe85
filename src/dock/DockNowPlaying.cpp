// The dock's Now Playing cell: it swells under the pointer like an item,
// opens the card above itself when the pointer rests on it, and a click
// pauses or resumes the session.

#include "dock/Dock.h"
#include "dock/DockGeometry.h"

namespace corvane {
namespace {

// The pointer rests on the cell this long before the card opens.
constexpr UINT kCardOpenMs = 320;

}  // namespace

bool Dock::OverNowPlaying(int clientX) const noexcept {
    return nowPlayingCell_ && InDockCell(nowPlayingRect_, clientX, dpi_);
}

bool Dock::NowPlayingPopupOpen() const noexcept {
    return context_.nowPlaying.CardHovered();
}

void Dock::SetNowPlayingHover(bool hovered) noexcept {
    if (hovered == nowPlayingHovered_) {
        return;
    }
    nowPlayingHovered_ = hovered;
    nowPlayingTargetScale_ = hovered ? kDockHoverScale : 1.0f;
    if (Hwnd() == nullptr) {
        return;
    }
    if (hovered) {
        ::SetTimer(Hwnd(), TIMER_DOCK_NOWPLAYING, kCardOpenMs, nullptr);
    } else {
        ::KillTimer(Hwnd(), TIMER_DOCK_NOWPLAYING);
    }
    StartAnimation();
}

void Dock::OnNowPlayingTimer() noexcept {
    if (!nowPlayingHovered_ || !nowPlayingCell_ || !revealed_ || press_.Dragging()) {
        return;
    }
    ClosePreview();
    // The cell as placed on the screen, truncated like the dock's other popups.
    const RECT anchor{windowRect_.left + ToPixels(nowPlayingRect_.left),
                      windowRect_.top + ToPixels(nowPlayingRect_.top),
                      windowRect_.left + ToPixels(nowPlayingRect_.right),
                      windowRect_.top + ToPixels(nowPlayingRect_.bottom)};
    try {
        context_.nowPlaying.OpenCard(anchor, true, dpi_);
    } catch (...) {
        // Out of memory for the card: the cell stays a cell.
    }
}

}  // namespace corvane
