#include "bar/BarPainter.h"
#include "toolkit/BackdropPlan.h"

#include "bar/Bar.h"
#include "bar/StatusGlyphs.h"
#include "bar/SystemStatus.h"
#include "identity/CachedIcons.h"
#include "identity/IconDrawing.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/NowPlayingWidget.h"
#include "toolkit/Theme.h"
#include "tray/TrayHost.h"

#include <d2d1helper.h>

#include <cmath>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

constexpr float kHighlightRadius = 5.0f;
// The keyboard's cue around the item in focus: a ring in the text colour.
constexpr float kFocusRingWidth = 1.5f;
constexpr float kFocusRingAlpha = 0.85f;
// A dragged program's icons are seen through, over their slot's highlight.
constexpr float kDraggedIconOpacity = 0.55f;
// The media widget's artwork square; its text starts at kNowPlayingTextLeft.
constexpr float kArtworkLeft = 8.0f;
constexpr float kArtworkSize = 18.0f;
constexpr float kArtworkRadius = 4.0f;
constexpr float kNowPlayingTextRightMargin = 8.0f;
// Paused artwork is dimmed like the paused label.
constexpr float kPausedArtworkOpacity = 0.55f;

const ColorF& PaletteColour(const Theme& theme, StatusColour colour) noexcept {
    switch (colour) {
        case StatusColour::Secondary:
            return theme.secondaryText;
        case StatusColour::Positive:
            return theme.positive;
        case StatusColour::Negative:
            return theme.negative;
        case StatusColour::Primary:
        default:
            return theme.text;
    }
}

// Icons are made at the pixel size they are drawn at.
int32_t IconPixels(uint32_t dpi) noexcept {
    return static_cast<int32_t>(std::lround(dpi * kAppIconSize / 96.0));
}

D2D1_ROUNDED_RECT Rounded(const StatusRoundRect& r) noexcept {
    return D2D1::RoundedRect(D2D1::RectF(r.left, r.top, r.right, r.bottom), r.radius, r.radius);
}

}  // namespace

void BarPainter::SetColor(const ColorF& color, float alphaScale) {
    const float alpha = color.a * Opacity(bar_.Context().theme, alphaScale);
    brush_->SetColor(D2D1::ColorF(color.r, color.g, color.b, alpha));
}

const ColorF& BarPainter::TextColour() const noexcept {
    const Theme& theme = bar_.Context().theme;
    return highlighted_ ? theme.selectedText : theme.text;
}

bool BarPainter::EnsureDeviceResources() noexcept {
    if (target_) {
        return true;
    }
    const BarContext& context = bar_.Context();
    return CreateTextTarget(context.graphics.d2d.Get(), bar_.Hwnd(), bar_.Dpi(), target_, brush_);
}

void BarPainter::ReleaseDeviceResources() noexcept {
    artwork_.Reset();
    artworkMade_ = false;
    appIcon_.Reset();
    appIconTried_ = false;
    trayIcons_.Clear();
    brush_.Reset();
    target_.Reset();
}

void BarPainter::Resize(uint32_t width, uint32_t height) noexcept {
    if (target_) {
        target_->Resize(D2D1::SizeU(width, height));
    }
}

void BarPainter::Paint() noexcept {
    try {
        if (!EnsureDeviceResources()) {
            return;
        }
        const BarContext& context = bar_.Context();
        const Theme& theme = context.theme;
        const D2D1_SIZE_F size = target_->GetSize();
        const auto style = static_cast<BarStyle>(context.settings.style);

        target_->BeginDraw();
        const bool opaque = (DrawsOpaque(context.settings.backdrop, theme) &&
                             (style == BarStyle::Classic || style == BarStyle::Floating)) ||
                            theme.highContrast;
        const ColorF& surface = theme.surface;
        target_->Clear(opaque ? D2D1::ColorF(surface.r, surface.g, surface.b, surface.a)
                              : D2D1::ColorF(0, 0, 0, 0));
        if (style == BarStyle::Classic) {
            SetColor(theme.hairline);
            const float hairline = 96.0f / static_cast<float>(bar_.Dpi());
            target_->FillRectangle(D2D1::RectF(0, size.height - hairline, size.width, size.height),
                                   brush_.Get());
        }
        PaintItems();
        if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
            ReleaseDeviceResources();
        }
        DropStaleTrayIcons();
    } catch (...) {
        // A paint that cannot finish is simply skipped; the next one rebuilds.
        ReleaseDeviceResources();
    }
}

void BarPainter::PaintItems() {
    const auto& items = bar_.Items();
    const BarTextLayouts& text = bar_.Text();
    const int focused = bar_.KeyboardFocusIndex();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const BarItem& item = items[i];
        highlighted_ = DrawHighlight(item, static_cast<int>(i), static_cast<int>(i) == focused);
        switch (item.kind) {
            case BarItemKind::AppNameItem:
                DrawAppName(item);
                break;
            case BarItemKind::MenuTitleItem:
                SetColor(TextColour());
                DrawText(text.MenuTitle(item.menuIndex), item.left + kMenuTitleTextLeft, false);
                break;
            case BarItemKind::TilingButtonItem:
                DrawTilingButton(item);
                break;
            case BarItemKind::StatusItem:
                DrawStatus(item);
                break;
            case BarItemKind::ClockItem:
                SetColor(TextColour());
                DrawText(text.Clock(), item.left + kClockTextLeft, false);
                break;
            case BarItemKind::TrayIconItem:
                DrawTrayIcon(item);
                break;
            case BarItemKind::NowPlayingItem:
                DrawNowPlaying(item);
                break;
        }
    }
}

bool BarPainter::DrawHighlight(const BarItem& item, int index, bool focused) {
    const bool pressed = index == bar_.PressedIndex();
    const bool open = index == bar_.OpenMenuIndex();
    if (index != bar_.HoverIndex() && !pressed && !open && !focused) {
        return false;
    }
    const Theme& theme = bar_.Context().theme;
    SetColor(pressed && !open ? theme.pressedFill : theme.hoverFill);
    target_->FillRoundedRectangle(
        D2D1::RoundedRect(D2D1::RectF(item.left, item.top, item.right, item.bottom),
                          kHighlightRadius, kHighlightRadius),
        brush_.Get());
    if (focused) {
        const float inset = kFocusRingWidth / 2.0f;
        SetColor(theme.text, kFocusRingAlpha);
        target_->DrawRoundedRectangle(
            D2D1::RoundedRect(D2D1::RectF(item.left + inset, item.top + inset, item.right - inset,
                                          item.bottom - inset),
                              kHighlightRadius, kHighlightRadius),
            brush_.Get(), kFocusRingWidth);
    }
    return true;
}

void BarPainter::DrawText(IDWriteTextLayout* layout, float x, bool clip) {
    if (layout != nullptr) {
        target_->DrawTextLayout(D2D1::Point2F(x, 0), layout, brush_.Get(),
                                clip ? D2D1_DRAW_TEXT_OPTIONS_CLIP : D2D1_DRAW_TEXT_OPTIONS_NONE);
    }
}

void BarPainter::EnsureAppIcon() {
    const BarContext& context = bar_.Context();
    const CurrentApplication& current = context.current;
    if (appIcon_ && appIconGeneration_ == current.iconGeneration &&
        appIconPath_ == current.exePath) {
        return;
    }
    if (!appIcon_ && appIconTried_ && appIconGeneration_ == current.iconGeneration &&
        appIconPath_ == current.exePath) {
        return;  // nothing to show for this application; don't ask again every paint
    }
    appIcon_.Reset();
    appIconTried_ = true;
    appIconGeneration_ = current.iconGeneration;
    appIconPath_ = current.exePath;
    const int32_t size = IconPixels(bar_.Dpi());
    IconSourceBitmap source;
    if (!current.exePath.empty()) {
        source = GetCachedIcon(current.exePath, size);
    }
    IWICImagingFactory* wic = context.graphics.wic.Get();
    if (!source && current.icon != nullptr && wic != nullptr) {
        ComPtr<IWICBitmap> fromIcon;
        if (SUCCEEDED(wic->CreateBitmapFromHICON(current.icon, &fromIcon))) {
            source = TrimAndScale(wic, fromIcon.Get(), size);
        }
    }
    if (source) {
        (void)target_->CreateBitmapFromWicBitmap(source.Get(), nullptr, &appIcon_);
    }
}

void BarPainter::DrawAppName(const BarItem& item) {
    EnsureAppIcon();
    if (appIcon_) {
        const float cy = (item.top + item.bottom) / 2;
        const float left = item.left + kAppIconLeft;
        const float half = kAppIconSize / 2;
        D2D1_RECT_F rect = D2D1::RectF(left, cy - half, left + kAppIconSize, cy + half);
        DrawIconBitmap(target_.Get(), appIcon_.Get(), rect, 1.0f);
    }
    SetColor(TextColour());
    DrawText(bar_.Text().AppName(), item.left + kAppNameTextLeft, true);
}

ID2D1Bitmap* BarPainter::Artwork(const NowPlayingWidgetView& view) {
    if (!artworkMade_ || artworkGeneration_ != view.artworkGeneration) {
        artwork_.Reset();
        artworkMade_ = true;
        artworkGeneration_ = view.artworkGeneration;
        if (view.artwork != nullptr) {
            (void)target_->CreateBitmapFromWicBitmap(view.artwork, nullptr, &artwork_);
        }
    }
    return artwork_.Get();
}

void BarPainter::DrawNowPlaying(const BarItem& item) {
    const BarContext& context = bar_.Context();
    const Theme& theme = context.theme;
    const NowPlayingWidgetView view = context.nowPlaying.View();
    const float cy = (item.top + item.bottom) / 2;
    const float half = kArtworkSize / 2;
    const D2D1_RECT_F square = D2D1::RectF(item.left + kArtworkLeft, cy - half,
                                           item.left + kArtworkLeft + kArtworkSize, cy + half);
    if (!DrawRoundedBitmap(target_.Get(), Artwork(view), square, kArtworkRadius,
                           view.playing ? 1.0f : kPausedArtworkOpacity)) {
        SetColor(theme.hoverFill);
        target_->FillRoundedRectangle(D2D1::RoundedRect(square, kArtworkRadius, kArtworkRadius),
                                      brush_.Get());
    }

    // Long titles are ellipsised by the layout; the clip keeps the last
    // glyphs off the widget's margin.
    const float textLeft = item.left + kNowPlayingTextLeft;
    const float textRight = item.right - kNowPlayingTextRightMargin;
    if (textRight <= textLeft) {
        return;
    }
    SetColor(view.playing ? theme.text : theme.secondaryText);
    target_->PushAxisAlignedClip(D2D1::RectF(textLeft, 0, textRight, target_->GetSize().height),
                                 D2D1_ANTIALIAS_MODE_ALIASED);
    DrawText(bar_.Text().NowPlaying(), textLeft, false);
    target_->PopAxisAlignedClip();
}

void BarPainter::DrawTrayIcon(const BarItem& item) {
    const BarContext& context = bar_.Context();
    TrayHost* host = context.tray.get();
    const TrayIcon* icon = host != nullptr ? host->Find(item.ownerWindow, item.iconId) : nullptr;
    if (icon == nullptr) {
        return;
    }
    const TrayDrag& drag = bar_.TrayDragState();
    const bool dragged =
        drag.Dragging() && !drag.dragExeName.empty() && icon->exeName == drag.dragExeName;
    if (dragged) {
        SetColor(context.theme.hoverFill);
        target_->FillRoundedRectangle(
            D2D1::RoundedRect(D2D1::RectF(item.left, item.top, item.right, item.bottom),
                              kHighlightRadius, kHighlightRadius),
            brush_.Get());
    }
    const int32_t size = IconPixels(bar_.Dpi());
    ID2D1Bitmap* bitmap = trayIcons_.Get(target_.Get(), context.graphics.wic.Get(), *icon, size);
    const float cx = (item.left + item.right) / 2;
    const float cy = (item.top + item.bottom) / 2;
    const float half = kAppIconSize / 2;
    D2D1_RECT_F rect = D2D1::RectF(cx - half, cy - half, cx + half, cy + half);
    DrawIconBitmap(target_.Get(), bitmap, rect, dragged ? kDraggedIconOpacity : 1.0f);
}

void BarPainter::DropStaleTrayIcons() noexcept {
    const TrayHost* host = bar_.Context().tray.get();
    if (host == nullptr) {
        trayIcons_.Clear();
    } else {
        trayIcons_.DropMissing(host->Icons());
    }
}

void BarPainter::DrawTilingButton(const BarItem& item) {
    constexpr float kSquare = 5.2f;
    constexpr float kGap = 1.6f;
    constexpr float kRadius = 1.2f;
    const float cx = (item.left + item.right) / 2;
    const float cy = (item.top + item.bottom) / 2;
    const BarContext& context = bar_.Context();
    // Filled in the accent while tiling runs; outlined otherwise.
    const bool on = context.settings.tilingEnabled && context.host.TilingActive();
    SetColor(on ? context.theme.accent : context.theme.secondaryText);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col) {
            const float x = cx - 6 + static_cast<float>(col) * (kSquare + kGap);
            const float y = cy - 6 + static_cast<float>(row) * (kSquare + kGap);
            if (on) {
                target_->FillRoundedRectangle(
                    D2D1::RoundedRect(D2D1::RectF(x, y, x + kSquare, y + kSquare), kRadius,
                                      kRadius),
                    brush_.Get());
            } else {
                target_->DrawRoundedRectangle(
                    D2D1::RoundedRect(
                        D2D1::RectF(x + 0.5f, y + 0.5f, x + kSquare - 0.5f, y + kSquare - 0.5f),
                        kRadius, kRadius),
                    brush_.Get(), 1.0f);
            }
        }
    }
}

void BarPainter::DrawGlyph(wchar_t glyph, const D2D1_RECT_F& box) {
    if (IDWriteTextFormat* format = bar_.Text().IconFormat()) {
        target_->DrawTextW(&glyph, 1, format, box, brush_.Get(), D2D1_DRAW_TEXT_OPTIONS_NONE);
    }
}

void BarPainter::DrawStatus(const BarItem& item) {
    const BarContext& context = bar_.Context();
    const Theme& theme = context.theme;
    ID2D1Factory* d2d = context.graphics.d2d.Get();
    static const StatusModel kNoStatus;
    const StatusModel& status = context.status != nullptr ? context.status->Model() : kNoStatus;
    const float x0 = item.left;

    const NetworkGlyph net = ChooseNetworkGlyph(status);
    const D2D1_RECT_F netBox =
        D2D1::RectF(x0 + kNetworkSlotLeft, item.top, x0 + kNetworkSlotRight, item.bottom);
    SetColor(PaletteColour(theme, net.colour), net.alpha);
    DrawGlyph(net.glyph, netBox);
    if (net.litRadius > 0) {
        ComPtr<ID2D1EllipseGeometry> circle;
        ComPtr<ID2D1Layer> layer;
        const float cx = (netBox.left + netBox.right) / 2;
        const float cy = (netBox.top + netBox.bottom) / 2 + kLitCircleDrop;
        if (SUCCEEDED(d2d->CreateEllipseGeometry(
                D2D1::Ellipse(D2D1::Point2F(cx, cy), net.litRadius, net.litRadius), &circle)) &&
            SUCCEEDED(target_->CreateLayer(nullptr, &layer))) {
            target_->PushLayer(D2D1::LayerParameters(D2D1::InfiniteRect(), circle.Get()),
                               layer.Get());
            SetColor(PaletteColour(theme, net.colour));
            DrawGlyph(net.glyph, netBox);
            target_->PopLayer();
        }
    }

    const SoundGlyph sound = ChooseSoundGlyph(status);
    SetColor(PaletteColour(theme, sound.colour));
    DrawGlyph(sound.glyph,
              D2D1::RectF(x0 + kSoundSlotLeft, item.top, x0 + kSoundSlotRight, item.bottom));

    const BatteryGauge gauge = ChooseBatteryGauge(status);
    if (!gauge.visible) {
        return;
    }
    const float cx = x0 + (kBatterySlotLeft + kBatterySlotRight) / 2;
    const float cy = (item.top + item.bottom) / 2;
    const BatteryShapes shapes = LayoutBattery(cx, cy, gauge);
    SetColor(theme.text, kBatteryOutlineAlpha);
    target_->DrawRoundedRectangle(Rounded(shapes.body), brush_.Get(), kBatteryOutlineStroke);
    target_->FillRoundedRectangle(Rounded(shapes.terminal), brush_.Get());
    SetColor(PaletteColour(theme, gauge.fillColour));
    target_->FillRoundedRectangle(Rounded(shapes.charge), brush_.Get());
    if (gauge.bolt) {
        ComPtr<ID2D1PathGeometry> path;
        ComPtr<ID2D1GeometrySink> sink;
        if (SUCCEEDED(d2d->CreatePathGeometry(&path)) && SUCCEEDED(path->Open(&sink))) {
            sink->BeginFigure(D2D1::Point2F(shapes.bolt[0].x, shapes.bolt[0].y),
                              D2D1_FIGURE_BEGIN_FILLED);
            for (std::size_t i = 1; i < shapes.bolt.size(); ++i) {
                sink->AddLine(D2D1::Point2F(shapes.bolt[i].x, shapes.bolt[i].y));
            }
            sink->EndFigure(D2D1_FIGURE_END_CLOSED);
            if (SUCCEEDED(sink->Close())) {
                const float grey = BoltGrey(theme.dark);
                brush_->SetColor(D2D1::ColorF(grey, grey, grey, 1.0f));
                target_->FillGeometry(path.Get(), brush_.Get());
            }
        }
    }
}

}  // namespace corvane
