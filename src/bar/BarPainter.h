#pragma once
// Paints a bar with Direct2D what its layout holds: clears to glass (or the
// opaque surface), then draws the highlights and every item. Changes no
// state but its own device resources, which it makes on demand and drops
// when the device is lost.

#include "bar/BarItem.h"
#include "bar/BarTrayIcons.h"

#include <d2d1.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class Bar;

class BarPainter final {
public:
    explicit BarPainter(Bar& bar) : bar_(bar) {}

    void Paint() noexcept;
    void Resize(uint32_t width, uint32_t height) noexcept;
    void ReleaseDeviceResources() noexcept;

private:
    [[nodiscard]] bool EnsureDeviceResources() noexcept;
    void PaintItems();
    // True when the item sits on a highlight.
    bool DrawHighlight(const BarItem& item, int index, bool focused);
    void EnsureAppIcon();
    void DrawAppName(const BarItem& item);
    void DrawTrayIcon(const BarItem& item);
    void DropStaleTrayIcons() noexcept;
    void DrawTilingButton(const BarItem& item);
    void DrawStatus(const BarItem& item);
    void DrawNowPlaying(const BarItem& item);
    [[nodiscard]] ID2D1Bitmap* Artwork(const struct NowPlayingWidgetView& view);
    void DrawGlyph(wchar_t glyph, const D2D1_RECT_F& box);
    void DrawText(IDWriteTextLayout* layout, float x, bool clip);
    void SetColor(const struct ColorF& color, float alphaScale = 1.0f);
    // The text colour of the item being drawn: its own on a highlight.
    [[nodiscard]] const struct ColorF& TextColour() const noexcept;

    Bar& bar_;
    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    Microsoft::WRL::ComPtr<ID2D1Bitmap> appIcon_;
    uint32_t appIconGeneration_ = 0;
    std::wstring appIconPath_;
    bool appIconTried_ = false;
    // The item being drawn sits on a hover, press or open highlight.
    bool highlighted_ = false;
    TrayIconBitmaps trayIcons_;
    // The media widget's artwork as a device bitmap, and the generation of
    // the session's image it was made from (also when that made nothing).
    Microsoft::WRL::ComPtr<ID2D1Bitmap> artwork_;
    int32_t artworkGeneration_ = 0;
    bool artworkMade_ = false;
};

}  // namespace corvane
