#include "dock/DockPainter.h"

#include "dock/DockGeometry.h"
#include "identity/IconDrawing.h"
#include "toolkit/D2DValues.h"
#include "toolkit/GraphicsFactories.h"

#include <d2d1helper.h>

#include <algorithm>
#include <iterator>

namespace corvane {
namespace {

// The separator stands this far left of the first running app's cell.
constexpr float kSeparatorOffset = 7.0f;
constexpr float kSeparatorHalfWidth = 0.5f;
constexpr float kSeparatorTop = 0.22f;
constexpr float kSeparatorBottom = 0.78f;
constexpr float kSeparatorAlpha = 0.16f;

// The Start logo: four rounded squares in a 2 x 2 grid.
constexpr float kLogoTileSide = 0.36f;    // of the icon size
constexpr float kLogoTileRadius = 0.12f;  // of the tile side
constexpr float kLogoGap = 0.035f;        // of the icon size
constexpr D2D1_GRADIENT_STOP kLogoStops[] = {
    {0.0f, {0.33f, 0.77f, 1.0f, 1.0f}},
    {1.0f, {0.0f, 0.47f, 0.84f, 1.0f}},
};

// Icons magnified past this use the bitmap made for the hover size.
constexpr float kLargeBitmapAbove = 1.001f;
constexpr float kDraggedOutOpacity = 0.35f;

// Running indicator: a dot under the icon, larger and brighter for the app
// in front, orange while a window asks for attention.
constexpr float kIndicatorAboveBottom = 3.5f;
constexpr float kIndicatorRadiusFront = 2.0f;
constexpr float kIndicatorRadius = 1.7f;
constexpr float kIndicatorAlphaFront = 0.95f;
constexpr float kIndicatorAlpha = 0.5f;
constexpr D2D1_COLOR_F kAttentionColour = {1.0f, 0.62f, 0.2f, 1.0f};

// The Now Playing cell: the cover on a rounded square, dimmed while the
// session is paused; a faint square stands in for a missing cover.
constexpr float kArtworkRadius = 0.22f;  // of the square's side
constexpr float kPausedOpacity = 0.6f;
constexpr float kNoArtworkAlpha = 0.1f;

// The keyboard's cue: a ring in the text colour around the focused icon.
constexpr float kFocusRingWidth = 2.0f;
constexpr float kFocusRingGap = 3.0f;
constexpr float kFocusRingRadius = 0.26f;  // of the ring's side
constexpr float kFocusRingAlpha = 0.9f;

bool HoldsWindow(const DockItem& item, WindowId window) noexcept {
    return window != 0 &&
           std::find(item.windows.begin(), item.windows.end(), window) != item.windows.end();
}

}  // namespace

void DockPainter::DrawFocusRing(const D2D1_RECT_F& square, const DockPaintInput& input) {
    const D2D1_RECT_F ring =
        D2D1::RectF(square.left - kFocusRingGap, square.top - kFocusRingGap,
                    square.right + kFocusRingGap, square.bottom + kFocusRingGap);
    const float radius = (ring.right - ring.left) * kFocusRingRadius;
    SetColor(input.theme.text, kFocusRingAlpha);
    target_->DrawRoundedRectangle(D2D1::RoundedRect(ring, radius, radius), brush_.Get(),
                                  kFocusRingWidth);
}

void DockPainter::SetColor(const ColorF& color, float alpha) {
    brush_->SetColor(D2D1::ColorF(color.r, color.g, color.b, Opacity(*theme_, alpha)));
}

bool DockPainter::EnsureDeviceResources(uint32_t dpi) noexcept {
    if (target_) {
        return true;
    }
    // At the dock's DPI, so that everything below is drawn in DIPs.
    if (!CreateWindowTarget(factory_, window_, dpi, target_)) {
        return false;
    }
    Microsoft::WRL::ComPtr<ID2D1GradientStopCollection> stops;
    if (FAILED(target_->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &brush_)) ||
        FAILED(target_->CreateGradientStopCollection(
            kLogoStops, static_cast<UINT32>(std::size(kLogoStops)), &stops)) ||
        FAILED(target_->CreateLinearGradientBrush(
            D2D1::LinearGradientBrushProperties(D2D1::Point2F(0, 0), D2D1::Point2F(1, 1)),
            stops.Get(), &logoBrush_))) {
        ReleaseDeviceResources();
        return false;
    }
    return true;
}

void DockPainter::ReleaseDeviceResources() noexcept {
    artwork_.Reset();
    logoBrush_.Reset();
    brush_.Reset();
    target_.Reset();
}

void DockPainter::Resize(uint32_t width, uint32_t height) noexcept {
    if (target_) {
        (void)target_->Resize(D2D1::SizeU(width, height));
    }
}

void DockPainter::Paint(uint32_t dpi, const DockPaintInput& input) noexcept {
    try {
        if (!EnsureDeviceResources(dpi)) {
            return;
        }
        target_->BeginDraw();
        theme_ = &input.theme;
        const ColorF& surface = input.theme.surface;
        target_->Clear(input.solid ? D2D1::ColorF(surface.r, surface.g, surface.b, surface.a)
                                   : D2D1::ColorF(0, 0, 0, 0));
        const std::size_t count =
            std::min({input.items.size(), input.visuals.size(), input.cells.size()});
        for (std::size_t i = 0; i < count; ++i) {
            const DockItem& item = input.items[i];
            DockItemVisual& visual = input.visuals[i];
            const PointRect& cell = input.cells[i];
            if (i > 0 && !item.pinned && input.items[i - 1].pinned) {
                DrawSeparator(cell.left - kSeparatorOffset, input);
            }
            const D2D1_RECT_F square =
                ToD2D(DockIconSquare(cell, input.iconSize, visual.scale, input.height));
            if (item.start) {
                DrawStartLogo(square);
            } else {
                const bool faded = static_cast<int>(i) == input.draggedOut;
                DrawIcon(visual, square, faded ? kDraggedOutOpacity : 1.0f);
            }
            DrawRunningIndicator(item, (cell.left + cell.right) / 2.0f, input);
            if (static_cast<int>(i) == input.focused) {
                DrawFocusRing(square, input);
            }
        }
        if (input.nowPlayingCell) {
            DrawSeparator(input.nowPlaying.left - kSeparatorOffset, input);
            DrawNowPlaying(input);
        }
        if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
            ReleaseDeviceResources();
            for (DockItemVisual& visual : input.visuals) {
                visual.bitmap.Reset();
                visual.largeBitmap.Reset();
            }
        }
    } catch (...) {
        // A paint that cannot finish is skipped; the next one starts afresh.
        ReleaseDeviceResources();
    }
}

void DockPainter::DrawSeparator(float x, const DockPaintInput& input) {
    SetColor(input.theme.text, kSeparatorAlpha);
    target_->FillRectangle(D2D1::RectF(x - kSeparatorHalfWidth, input.height * kSeparatorTop,
                                       x + kSeparatorHalfWidth, input.height * kSeparatorBottom),
                           brush_.Get());
}

void DockPainter::DrawStartLogo(const D2D1_RECT_F& square) {
    const float size = square.right - square.left;
    const float tile = size * kLogoTileSide;
    const float gap = size * kLogoGap;
    const float logo = tile * 2.0f + gap;
    const float left = (square.left + square.right - logo) / 2.0f;
    const float top = (square.top + square.bottom - logo) / 2.0f;
    logoBrush_->SetStartPoint(D2D1::Point2F(left, top));
    logoBrush_->SetEndPoint(D2D1::Point2F(left + logo, top + logo));
    const float radius = tile * kLogoTileRadius;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            const float x = left + static_cast<float>(column) * (tile + gap);
            const float y = top + static_cast<float>(row) * (tile + gap);
            target_->FillRoundedRectangle(
                D2D1::RoundedRect(D2D1::RectF(x, y, x + tile, y + tile), radius, radius),
                logoBrush_.Get());
        }
    }
}

void DockPainter::DrawIcon(DockItemVisual& visual, D2D1_RECT_F square, float opacity) {
    if (visual.icon && !visual.bitmap) {
        (void)target_->CreateBitmapFromWicBitmap(visual.icon.Get(), nullptr, &visual.bitmap);
    }
    if (visual.largeIcon && !visual.largeBitmap) {
        (void)target_->CreateBitmapFromWicBitmap(visual.largeIcon.Get(), nullptr,
                                                 &visual.largeBitmap);
    }
    ID2D1Bitmap* bitmap = visual.scale > kLargeBitmapAbove && visual.largeBitmap
                              ? visual.largeBitmap.Get()
                              : visual.bitmap.Get();
    DrawIconBitmap(target_.Get(), bitmap, square, opacity);
}

void DockPainter::DrawRunningIndicator(const DockItem& item, float cx,
                                       const DockPaintInput& input) {
    if (item.windows.empty()) {
        return;
    }
    const bool front = HoldsWindow(item, input.foreground);
    if (item.attention && input.theme.highContrast) {
        // Only the scheme's colours in high contrast: its highlight.
        SetColor(input.theme.accent, 1.0f);
    } else if (item.attention) {
        brush_->SetColor(kAttentionColour);
    } else {
        SetColor(input.theme.text, front ? kIndicatorAlphaFront : kIndicatorAlpha);
    }
    const float radius = front ? kIndicatorRadiusFront : kIndicatorRadius;
    target_->FillEllipse(
        D2D1::Ellipse(D2D1::Point2F(cx, input.height - kIndicatorAboveBottom), radius, radius),
        brush_.Get());
}

ID2D1Bitmap* DockPainter::ArtworkBitmap(const NowPlayingWidgetView& view) {
    if (view.artwork == nullptr) {
        artwork_.Reset();
        return nullptr;
    }
    if (!artwork_ || view.artworkGeneration != artworkGeneration_) {
        artwork_.Reset();
        artworkGeneration_ = view.artworkGeneration;
        (void)target_->CreateBitmapFromWicBitmap(view.artwork, nullptr, &artwork_);
    }
    return artwork_.Get();
}

void DockPainter::DrawNowPlaying(const DockPaintInput& input) {
    const D2D1_RECT_F square = ToD2D(
        DockIconSquare(input.nowPlaying, input.iconSize, input.nowPlayingScale, input.height));
    const float radius = (square.right - square.left) * kArtworkRadius;
    if (DrawRoundedBitmap(target_.Get(), ArtworkBitmap(input.nowPlayingView), square, radius,
                          input.nowPlayingView.playing ? 1.0f : kPausedOpacity)) {
        return;
    }
    SetColor(input.theme.text, kNoArtworkAlpha);
    target_->FillRoundedRectangle(D2D1::RoundedRect(square, radius, radius), brush_.Get());
}

}  // namespace corvane
