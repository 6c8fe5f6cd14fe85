#pragma once
// Paints a bar with Direct2D: lays it out, clears to glass (or the opaque
// surface), then draws the highlights and every item. Owns the bar's device
// resources and the text layouts the layout keeps between paints.

#include "bar/BarLayout.h"

#include <d2d1.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class Bar;

class BarPainter final : public BarTextMeasurer {
public:
    explicit BarPainter(Bar& bar) : bar_(bar) {}

    void Paint() noexcept;
    void Resize(uint32_t width, uint32_t height) noexcept;
    void ReleaseDeviceResources() noexcept;

    // BarTextMeasurer
    std::optional<BarTextMetrics> Measure(const BarTextRequest& request) override;
    void DiscardMenuTitle(int32_t menuIndex) override;

private:
    [[nodiscard]] bool EnsureDeviceResources() noexcept;
    void PaintItems();
    void DrawHighlight(const BarItem& item, int index);
    void EnsureAppIcon();
    void DrawAppName(const BarItem& item);
    void DrawTilingButton(const BarItem& item);
    void DrawStatus(const BarItem& item);
    void DrawGlyph(wchar_t glyph, const D2D1_RECT_F& box);
    void DrawText(IDWriteTextLayout* layout, float x, bool clip);
    void SetColor(const struct ColorF& color, float alphaScale = 1.0f);

    Bar& bar_;
    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> boldFormat_;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> regularFormat_;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> iconFormat_;
    Microsoft::WRL::ComPtr<ID2D1Bitmap> appIcon_;
    uint32_t appIconGeneration_ = 0;
    std::wstring appIconPath_;
    bool appIconTried_ = false;

    Microsoft::WRL::ComPtr<IDWriteTextLayout> clockLayout_;
    Microsoft::WRL::ComPtr<IDWriteTextLayout> nowPlayingLayout_;
    Microsoft::WRL::ComPtr<IDWriteTextLayout> appNameLayout_;
    std::vector<Microsoft::WRL::ComPtr<IDWriteTextLayout>> menuTitleLayouts_;
    BarLayoutResult layout_;
    std::wstring clockText_;
};

}  // namespace corvane
