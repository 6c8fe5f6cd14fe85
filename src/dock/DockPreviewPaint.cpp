// Painting the preview popup: the system draws the live pictures; this draws
// around them.

#include "dock/DockPreview.h"
#include "toolkit/BackdropPlan.h"

#include "identity/IconDrawing.h"
#include "toolkit/D2DValues.h"
#include "toolkit/TextFormats.h"

#include <d2d1helper.h>

#include <algorithm>

namespace corvane {
namespace {

constexpr wchar_t kTitleFamily[] = L"Segoe UI";
constexpr float kTitleSize = 12.0f;
constexpr float kHoverRadius = 7.0f;
constexpr float kCloseRadius = 4.0f;
constexpr float kCrossHalf = 4.5f;
constexpr float kCrossWidth = 1.2f;
constexpr D2D1_COLOR_F kCloseRed = {0.769f, 0.169f, 0.110f, 1.0f};
constexpr ColorF kWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr float kPlaceholderAlpha = 0.06f;
constexpr float kIconOpacity = 0.9f;

}  // namespace

bool DockPreview::EnsureDeviceResources() noexcept {
    if (target_) {
        return true;
    }
    if (graphics_.dwrite == nullptr) {
        return false;
    }
    // At the dock's DPI, so that everything below is drawn in DIPs.
    if (!CreateWindowTarget(graphics_.d2d.Get(), Hwnd(), dpi_, target_) ||
        FAILED(target_->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &brush_))) {
        ReleaseDeviceResources();
        return false;
    }
    if (!textFormat_ || formatScale_ != theme_.textScale) {
        formatScale_ = theme_.textScale;
        textFormat_ = MakeLineFormat(graphics_.dwrite.Get(), kTitleFamily,
                                     DWRITE_FONT_WEIGHT_NORMAL, kTitleSize * formatScale_);
        if (!textFormat_) {
            ReleaseDeviceResources();
            return false;
        }
    }
    return true;
}

void DockPreview::ReleaseDeviceResources() noexcept {
    iconBitmap_.Reset();
    brush_.Reset();
    target_.Reset();
    textFormat_.Reset();
}

void DockPreview::Repaint() noexcept {
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void DockPreview::SetColor(const ColorF& color, float alpha) {
    brush_->SetColor(D2D1::ColorF(color.r, color.g, color.b, Opacity(theme_, alpha)));
}

void DockPreview::Paint() noexcept {
    try {
        if (!EnsureDeviceResources()) {
            return;
        }
        target_->BeginDraw();
        const ColorF& surface = theme_.surface;
        target_->Clear(DrawsOpaque(settings_.backdrop, theme_)
                           ? D2D1::ColorF(surface.r, surface.g, surface.b, surface.a)
                           : D2D1::ColorF(0, 0, 0, 0));
        const std::size_t count = std::min(cards_.size(), layout_.cards.size());
        for (std::size_t i = 0; i < count; ++i) {
            const PreviewCardRects& rects = layout_.cards[i];
            const bool hovered = static_cast<int>(i) == hoveredCard_;
            if (hovered) {
                SetColor(theme_.hoverFill, theme_.hoverFill.a);
                target_->FillRoundedRectangle(
                    D2D1::RoundedRect(ToD2D(rects.card), kHoverRadius, kHoverRadius), brush_.Get());
                if (cards_[i].closable) {
                    DrawCloseButton(rects.card);
                }
            }
            const std::wstring& title = cards_[i].title;
            SetColor(theme_.text, theme_.text.a);
            target_->DrawText(title.c_str(), static_cast<UINT32>(title.size()), textFormat_.Get(),
                              ToD2D(PreviewTitleRect(rects, hovered)), brush_.Get(),
                              D2D1_DRAW_TEXT_OPTIONS_CLIP);
            if (cards_[i].minimised && !cards_[i].thumbnailVisible) {
                DrawIconPlaceholder(rects.thumbnail);
            }
        }
        if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
            ReleaseDeviceResources();
        }
    } catch (...) {
        // A paint that cannot finish is skipped; the next one starts afresh.
        ReleaseDeviceResources();
    }
}

void DockPreview::DrawCloseButton(const PointRect& card) {
    const PointRect square = PreviewCloseSquare(card);
    if (overClose_) {
        brush_->SetColor(kCloseRed);
        target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(square), kCloseRadius, kCloseRadius),
                                      brush_.Get());
        SetColor(kWhite, kWhite.a);
    } else {
        SetColor(theme_.text, theme_.text.a);
    }
    const float cx = (square.left + square.right) / 2;
    const float cy = (square.top + square.bottom) / 2;
    target_->DrawLine(D2D1::Point2F(cx - kCrossHalf, cy - kCrossHalf),
                      D2D1::Point2F(cx + kCrossHalf, cy + kCrossHalf), brush_.Get(), kCrossWidth);
    target_->DrawLine(D2D1::Point2F(cx - kCrossHalf, cy + kCrossHalf),
                      D2D1::Point2F(cx + kCrossHalf, cy - kCrossHalf), brush_.Get(), kCrossWidth);
}

void DockPreview::DrawIconPlaceholder(const PointRect& thumbnail) {
    SetColor(theme_.text, kPlaceholderAlpha);
    target_->FillRectangle(ToD2D(thumbnail), brush_.Get());
    if (icon_ && !iconBitmap_) {
        (void)target_->CreateBitmapFromWicBitmap(icon_.Get(), nullptr, &iconBitmap_);
    }
    D2D1_RECT_F square = ToD2D(PreviewIconSquare(thumbnail));
    DrawIconBitmap(target_.Get(), iconBitmap_.Get(), square, kIconOpacity);
}

}  // namespace corvane
