#include "garden/BedPainter.h"

#include "garden/BedGeometry.h"
#include "identity/IconDrawing.h"
#include "toolkit/BackdropPlan.h"
#include "toolkit/D2DValues.h"
#include "toolkit/FontFamilies.h"
#include "toolkit/TextFormats.h"

#include <d2d1helper.h>

#include <utility>

namespace corvane {
namespace {

constexpr float kHeaderTextLeft = 14;
constexpr float kChevronWidth = 30;
constexpr float kChevronRightInset = 8;
constexpr float kSeparatorInset = 10;
constexpr float kHighlightInsetX = 4;
constexpr float kHighlightInsetY = 2;
constexpr float kHighlightRadius = 8;
constexpr float kSelectedAlpha = 0.22f;
constexpr float kDraggedOpacity = 0.35f;
constexpr float kDropBarRadius = 1.5f;
constexpr float kOutlineInset = 1;
constexpr float kOutlineRadius = 7;
constexpr float kOutlineWidth = 1.5f;
constexpr float kOutlineAlpha = 0.8f;
constexpr float kIconTop = 6;
constexpr wchar_t kChevronExpanded = 0xE70E;
constexpr wchar_t kChevronCollapsed = 0xE70D;

// The tint over the glass, so that labels stay legible on any wallpaper.
D2D1_COLOR_F Tint(bool dark, int32_t percent) noexcept {
    const float alpha = static_cast<float>(percent) / 100.0f;
    return dark ? D2D1::ColorF(0.08f, 0.08f, 0.09f, alpha)
                : D2D1::ColorF(0.96f, 0.96f, 0.97f, alpha);
}

float Dips(int32_t pixels, uint32_t dpi) noexcept {
    return static_cast<float>(pixels) * 96.0f / static_cast<float>(dpi);
}

}  // namespace

void BedPainter::Resize(uint32_t width, uint32_t height) noexcept {
    if (target_) {
        (void)target_->Resize(D2D1::SizeU(width, height));
    }
}

void BedPainter::ReleaseDeviceResources() noexcept {
    icons_.clear();
    brush_.Reset();
    target_.Reset();
}

bool BedPainter::EnsureTarget(uint32_t dpi) {
    if (target_) {
        return true;
    }
    return CreateTextTarget(context_.graphics.d2d.Get(), window_, dpi, target_, brush_);
}

bool BedPainter::EnsureFormats() {
    const float scale = context_.theme.textScale;
    if (formats_[kHeader] && formatsScale_ == scale) {
        return true;
    }
    formatsScale_ = scale;
    IDWriteFactory* dwrite = context_.graphics.dwrite.Get();
    if (dwrite == nullptr) {
        return false;
    }
    const wchar_t* text = TextFontFamily().c_str();
    formats_[kHeader] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_SEMI_BOLD, 12.5f * scale);
    formats_[kLabel] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 11.5f * scale);
    formats_[kChevron] =
        MakeLineFormat(dwrite, IconFontFamily().c_str(), DWRITE_FONT_WEIGHT_REGULAR, 10.0f);
    if (formats_[kLabel]) {
        // Two lines of a long name under the icon, then the ellipsis.
        (void)formats_[kLabel]->SetWordWrapping(DWRITE_WORD_WRAPPING_WRAP);
        (void)formats_[kLabel]->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
        (void)formats_[kLabel]->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_NEAR);
    }
    if (formats_[kChevron]) {
        (void)formats_[kChevron]->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
    }
    return formats_[kHeader] && formats_[kLabel] && formats_[kChevron];
}

ID2D1Bitmap* BedPainter::IconBitmap(const GardenItem& item, uint32_t dpi) {
    const std::wstring& key = item.entry.key;
    if (const auto found = icons_.find(key); found != icons_.end()) {
        return found->second.Get();
    }
    IWICBitmapSource* source = context_.host.ItemIcon(item, BedIconPixels(dpi));
    if (source == nullptr) {
        return nullptr;
    }
    if (icons_.size() >= kBedIconBitmapLimit) {
        icons_.clear();
    }
    Microsoft::WRL::ComPtr<ID2D1Bitmap> bitmap;
    if (FAILED(target_->CreateBitmapFromWicBitmap(source, nullptr, &bitmap))) {
        return nullptr;
    }
    return icons_.emplace(key, std::move(bitmap)).first->second.Get();
}

float BedPainter::Paint(uint32_t dpi, const BedPaintInput& input) {
    float scroll = input.scroll;
    if (!EnsureTarget(dpi) || !EnsureFormats()) {
        return scroll;
    }
    target_->BeginDraw();
    try {
        RECT client = {};
        ::GetClientRect(window_, &client);
        const float width = Dips(client.right, dpi);
        const float height = Dips(client.bottom, dpi);
        const bool solid = DrawsOpaque(context_.settings.backdrop, context_.theme);
        target_->Clear(solid ? ToD2D(context_.theme.surface) : D2D1::ColorF(0, 0, 0, 0));
        if (!solid) {
            brush_->SetColor(Tint(context_.theme.dark, context_.settings.gardenTint));
            target_->FillRectangle(D2D1::RectF(0, 0, width, height), brush_.Get());
        }
        PaintHeader(input.bed, input.headerHovered, width);
        if (!input.bed.collapsed) {
            const BedGrid grid = LayoutBed(width, height, static_cast<int32_t>(input.ids.size()),
                                           input.scroll, false, context_.theme.textScale);
            scroll = grid.scroll;
            PaintCells(input, grid, dpi, width, height);
        }
        if (input.dropTarget) {
            brush_->SetColor(ToD2D(context_.theme.accent, Opacity(context_.theme, kOutlineAlpha)));
            target_->DrawRoundedRectangle(
                D2D1::RoundedRect(D2D1::RectF(kOutlineInset, kOutlineInset, width - kOutlineInset,
                                              height - kOutlineInset),
                                  kOutlineRadius, kOutlineRadius),
                brush_.Get(), kOutlineWidth);
        }
    } catch (...) {
        // The frame is ended below; the next one starts afresh.
    }
    if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
        ReleaseDeviceResources();
    }
    return scroll;
}

void BedPainter::PaintHeader(const Bed& bed, bool hovered, float width) {
    const Theme& theme = context_.theme;
    const float header = BedHeaderHeight(theme.textScale);
    if (hovered) {
        brush_->SetColor(ToD2D(theme.hoverFill));
        target_->FillRectangle(D2D1::RectF(0, 0, width, header), brush_.Get());
    }
    brush_->SetColor(ToD2D(hovered ? theme.selectedText : theme.text));
    target_->DrawText(bed.name.data(), static_cast<UINT32>(bed.name.size()),
                      formats_[kHeader].Get(),
                      D2D1::RectF(kHeaderTextLeft, 0, width - kChevronWidth, header), brush_.Get(),
                      D2D1_DRAW_TEXT_OPTIONS_CLIP);
    const wchar_t chevron = bed.collapsed ? kChevronCollapsed : kChevronExpanded;
    brush_->SetColor(ToD2D(hovered ? theme.selectedText : theme.secondaryText));
    target_->DrawText(&chevron, 1, formats_[kChevron].Get(),
                      D2D1::RectF(width - kChevronWidth, 0, width - kChevronRightInset, header),
                      brush_.Get());
    if (!bed.collapsed) {
        brush_->SetColor(ToD2D(theme.hairline));
        target_->FillRectangle(
            D2D1::RectF(kSeparatorInset, header - 0.5f, width - kSeparatorInset, header + 0.5f),
            brush_.Get());
    }
}

void BedPainter::PaintCells(const BedPaintInput& input, const BedGrid& grid, uint32_t dpi,
                            float width, float height) {
    const Theme& theme = context_.theme;
    const std::vector<std::wstring>& ids = input.ids;
    const auto count = static_cast<int32_t>(ids.size());
    const BedCellRange range = VisibleBedCells(grid, count, height, false);
    target_->PushAxisAlignedClip(D2D1::RectF(0, grid.headerHeight + 1, width, height),
                                 D2D1_ANTIALIAS_MODE_ALIASED);
    for (int32_t i = range.first; i < range.end; ++i) {
        const PointRect cell = BedCellRect(grid, i);
        const bool dragged =
            !input.draggedId.empty() && ids[static_cast<std::size_t>(i)] == input.draggedId;
        if (!dragged && (i == input.selected || i == input.hovered)) {
            brush_->SetColor(i == input.selected
                                 ? ToD2D(theme.accent, Opacity(theme, kSelectedAlpha))
                                 : ToD2D(theme.hoverFill));
            const D2D1_RECT_F area =
                D2D1::RectF(cell.left + kHighlightInsetX, cell.top + kHighlightInsetY,
                            cell.right - kHighlightInsetX, cell.bottom - kHighlightInsetY);
            target_->FillRoundedRectangle(
                D2D1::RoundedRect(area, kHighlightRadius, kHighlightRadius), brush_.Get());
        }
        const auto found = context_.items.find(ids[static_cast<std::size_t>(i)]);
        if (found == context_.items.end()) {
            continue;
        }
        const float iconLeft = (cell.left + cell.right - static_cast<float>(kBedIconSize)) / 2;
        D2D1_RECT_F iconRect =
            D2D1::RectF(iconLeft, cell.top + kIconTop, iconLeft + static_cast<float>(kBedIconSize),
                        cell.top + kIconTop + static_cast<float>(kBedIconSize));
        DrawIconBitmap(target_.Get(), IconBitmap(found->second, dpi), iconRect,
                       dragged ? kDraggedOpacity : 1.0f);
        const std::wstring name = GardenItemName(found->second);
        const bool onHighlight = !dragged && (i == input.selected || i == input.hovered);
        brush_->SetColor(ToD2D(onHighlight ? theme.selectedText : theme.text));
        target_->DrawText(name.data(), static_cast<UINT32>(name.size()), formats_[kLabel].Get(),
                          ToD2D(BedLabelRect(grid, cell)), brush_.Get(),
                          D2D1_DRAW_TEXT_OPTIONS_CLIP);
    }
    if (input.dropTarget && input.dropIndex >= 0) {
        brush_->SetColor(ToD2D(theme.accent));
        target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(DropBarRect(grid, input.dropIndex)),
                                                        kDropBarRadius, kDropBarRadius),
                                      brush_.Get());
    }
    target_->PopAxisAlignedClip();
}

}  // namespace corvane
