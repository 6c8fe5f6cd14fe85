#pragma once
// Draws one bed with Direct2D: the tint over the glass (or the opaque
// surface), the header with the bed's name and chevron, the visible cells
// with their icons and names, and while an item is dragged the faded item,
// the drop bar and the outline of the bed that would take it. Owns its
// render target, brush, text formats and icon bitmaps; everything
// device-bound is dropped when the device is lost.

#include "garden/BedHost.h"
#include "garden/BedLayout.h"

#include <d2d1.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

struct BedPaintInput {
    const Bed& bed;
    const std::vector<std::wstring>& ids;  // the items shown, in order
    float scroll = 0;                      // DIPs
    int32_t hovered = -1;
    int32_t selected = -1;
    bool headerHovered = false;
    std::wstring_view draggedId;  // the item this bed's drag holds; empty for none
    bool dropTarget = false;      // the dragged item would land in this bed
    int32_t dropIndex = -1;       // and before this item
};

class BedPainter final {
public:
    BedPainter(const BedContext& context, HWND window) noexcept
        : context_(context), window_(window) {}

    // Paints the client area and answers the scroll the grid kept.
    [[nodiscard]] float Paint(uint32_t dpi, const BedPaintInput& input);
    void Resize(uint32_t width, uint32_t height) noexcept;
    // Brushes and bitmaps belong to the target: all go together.
    void ReleaseDeviceResources() noexcept;

private:
    enum Format : std::size_t { kHeader, kLabel, kChevron, kFormatCount };

    bool EnsureTarget(uint32_t dpi);
    bool EnsureFormats();
    ID2D1Bitmap* IconBitmap(const GardenItem& item, uint32_t dpi);
    void PaintHeader(const Bed& bed, bool hovered, float width);
    void PaintCells(const BedPaintInput& input, const BedGrid& grid, uint32_t dpi, float width,
                    float height);

    const BedContext& context_;
    HWND window_;
    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> formats_[kFormatCount];
    float formatsScale_ = 0;  // the text scale the formats were made for
    std::unordered_map<std::wstring, Microsoft::WRL::ComPtr<ID2D1Bitmap>> icons_;
};

}  // namespace corvane
