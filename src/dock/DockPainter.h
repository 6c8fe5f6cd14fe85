#pragma once
// Draws a dock with Direct2D: glass (or the opaque surface), the Start logo,
// the app icons at their magnification, the separator before the running
// apps, the running indicators and the Now Playing cover. Owns its render
// target and brushes and makes each item's bitmaps from its icons when first
// drawn; everything device-bound is dropped when the device is lost.

#include "base/Geometry.h"
#include "dock/DockItemVisual.h"
#include "dock/DockModel.h"
#include "toolkit/NowPlayingWidget.h"
#include "toolkit/Theme.h"

#include <d2d1.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

namespace corvane {

struct DockPaintInput {
    const std::vector<DockItem>& items;
    std::vector<DockItemVisual>& visuals;  // bitmaps are made on demand
    const std::vector<PointRect>& cells;   // DIPs in dock coordinates
    const Theme& theme;
    bool solid = false;  // [Bar] Backdrop "solid": no glass behind
    float iconSize = 0;  // DIPs
    float height = 0;    // DIPs
    WindowId foreground = 0;
    int draggedOut = -1;  // the pinned item held above the dock, drawn faded
    bool nowPlayingCell = false;
    PointRect nowPlaying;
    float nowPlayingScale = 1.0f;
    NowPlayingWidgetView nowPlayingView;
    int focused = -1;  // the item with the keyboard's cue
};

class DockPainter final {
public:
    DockPainter(ID2D1Factory* factory, HWND window) noexcept : factory_(factory), window_(window) {}

    void Paint(uint32_t dpi, const DockPaintInput& input) noexcept;
    void Resize(uint32_t width, uint32_t height) noexcept;
    // The render target, brushes and the artwork's bitmap; the items'
    // bitmaps belong to that target too, so the caller drops those with it.
    void ReleaseDeviceResources() noexcept;

private:
    [[nodiscard]] bool EnsureDeviceResources(uint32_t dpi) noexcept;
    void DrawSeparator(float x, const DockPaintInput& input);
    void DrawStartLogo(const D2D1_RECT_F& square);
    void DrawIcon(DockItemVisual& visual, D2D1_RECT_F square, float opacity);
    void DrawFocusRing(const D2D1_RECT_F& square, const DockPaintInput& input);
    void DrawRunningIndicator(const DockItem& item, float cx, const DockPaintInput& input);
    void DrawNowPlaying(const DockPaintInput& input);
    [[nodiscard]] ID2D1Bitmap* ArtworkBitmap(const NowPlayingWidgetView& view);
    void SetColor(const ColorF& color, float alpha);
    // The theme of the frame being painted.
    const Theme* theme_ = nullptr;

    ID2D1Factory* factory_;
    HWND window_;
    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    Microsoft::WRL::ComPtr<ID2D1LinearGradientBrush> logoBrush_;
    Microsoft::WRL::ComPtr<ID2D1Bitmap> artwork_;
    int32_t artworkGeneration_ = 0;
};

}  // namespace corvane
