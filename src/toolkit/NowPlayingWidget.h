#pragma once
// What the bar's and the dock's Now Playing widgets read of the media session
// and ask of its card. The process that follows the session provides it, so
// that neither surface knows how the session is watched.

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <string_view>

namespace corvane {

// Valid until the next poll of the session; read it while painting.
struct NowPlayingWidgetView {
    std::wstring_view title;
    std::wstring_view artist;
    std::wstring_view album;
    bool playing = false;
    // Square premultiplied BGRA, or null; a new generation means a device
    // bitmap made from it is stale.
    IWICBitmapSource* artwork = nullptr;
    int32_t artworkGeneration = 0;
};

class NowPlayingWidgets {
public:
    virtual ~NowPlayingWidgets() = default;
    // Whether each surface shows the widget now (the setting allows it and
    // a session is active), and where in the bar.
    [[nodiscard]] virtual bool InBar() const = 0;
    [[nodiscard]] virtual bool BarNextToClock() const = 0;
    [[nodiscard]] virtual bool InDock() const = 0;
    [[nodiscard]] virtual NowPlayingWidgetView View() const = 0;
    // `anchor`: the widget in screen pixels; `above`: the card opens above it.
    virtual void OpenCard(const RECT& anchor, bool above, UINT dpi) = 0;
    virtual void TogglePlayPause() = 0;
    // The card is shown and the pointer is over it or its widget: a dock
    // stays up meanwhile.
    [[nodiscard]] virtual bool CardHovered() const = 0;
};

}  // namespace corvane
