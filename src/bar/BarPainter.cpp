#include "bar/BarPainter.h"

#include "app/App.h"
#include "app/FontFamilies.h"
#include "app/Theme.h"
#include "bar/Bar.h"
#include "bar/ClockText.h"
#include "bar/StatusGlyphs.h"
#include "bar/SystemStatus.h"
#include "dock/CachedIcons.h"
#include "dock/IconDrawing.h"

#include <d2d1helper.h>

#include <cmath>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

constexpr float kTextSize = 12.5f;
constexpr float kIconTextSize = 15.0f;
constexpr float kHighlightRadius = 5.0f;

ComPtr<IDWriteTextFormat> MakeFormat(IDWriteFactory* factory, const std::wstring& family,
                                     DWRITE_FONT_WEIGHT weight, float size, bool centred) {
    ComPtr<IDWriteTextFormat> format;
    if (FAILED(factory->CreateTextFormat(family.c_str(), nullptr, weight, DWRITE_FONT_STYLE_NORMAL,
                                         DWRITE_FONT_STRETCH_NORMAL, size, L"", &format))) {
        return nullptr;
    }
    format->SetTextAlignment(centred ? DWRITE_TEXT_ALIGNMENT_CENTER : DWRITE_TEXT_ALIGNMENT_LEADING);
    format->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_CENTER);
    format->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    return format;
}

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

D2D1_ROUNDED_RECT Rounded(const StatusRoundRect& r) noexcept {
    return D2D1::RoundedRect(D2D1::RectF(r.left, r.top, r.right, r.bottom), r.radius, r.radius);
}

}  // namespace

void BarPainter::SetColor(const ColorF& color, float alphaScale) {
    brush_->SetColor(D2D1::ColorF(color.r, color.g, color.b, color.a * alphaScale));
}

bool BarPainter::EnsureDeviceResources() noexcept {
    if (target_) {
        return true;
    }
    const App& app = TheApp();
    if (!app.graphics.d2d || !app.graphics.dwrite) {
        return false;
    }
    RECT client = {};
    ::GetClientRect(bar_.Hwnd(), &client);
    const float dpi = static_cast<float>(bar_.Dpi());
    const auto props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), dpi, dpi);
    const auto hwndProps = D2D1::HwndRenderTargetProperties(
        bar_.Hwnd(), D2D1::SizeU(static_cast<UINT32>(client.right), static_cast<UINT32>(client.bottom)));
    if (FAILED(app.graphics.d2d->CreateHwndRenderTarget(props, hwndProps, &target_))) {
        return false;
    }
    target_->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
    if (FAILED(target_->CreateSolidColorBrush(
            D2D1::ColorF(app.theme.text.r, app.theme.text.g, app.theme.text.b, app.theme.text.a),
            &brush_))) {
        ReleaseDeviceResources();
        return false;
    }
    try {
        boldFormat_ = MakeFormat(app.graphics.dwrite.Get(), TextFontFamily(), DWRITE_FONT_WEIGHT_SEMI_BOLD,
                                 kTextSize, false);
        regularFormat_ = MakeFormat(app.graphics.dwrite.Get(), TextFontFamily(),
                                    DWRITE_FONT_WEIGHT_NORMAL, kTextSize, false);
        iconFormat_ = MakeFormat(app.graphics.dwrite.Get(), IconFontFamily(),
                                 DWRITE_FONT_WEIGHT_NORMAL, kIconTextSize, true);
    } catch (...) {
        ReleaseDeviceResources();
        return false;
    }
    if (!boldFormat_ || !regularFormat_ || !iconFormat_) {
        ReleaseDeviceResources();
        return false;
    }
    return true;
}

void BarPainter::ReleaseDeviceResources() noexcept {
    appIcon_.Reset();
    appIconTried_ = false;
    clockLayout_.Reset();
    nowPlayingLayout_.Reset();
    appNameLayout_.Reset();
    menuTitleLayouts_.clear();
    iconFormat_.Reset();
    regularFormat_.Reset();
    boldFormat_.Reset();
    brush_.Reset();
    target_.Reset();
}

void BarPainter::Resize(uint32_t width, uint32_t height) noexcept {
    if (target_) {
        target_->Resize(D2D1::SizeU(width, height));
    }
}

std::optional<BarTextMetrics> BarPainter::Measure(const BarTextRequest& request) {
    IDWriteFactory* factory = TheApp().graphics.dwrite.Get();
    IDWriteTextFormat* format =
        request.role == BarTextRole::AppName ? boldFormat_.Get() : regularFormat_.Get();
    ComPtr<IDWriteTextLayout> layout;
    if (factory == nullptr || format == nullptr ||
        FAILED(factory->CreateTextLayout(request.text.data(),
                                         static_cast<UINT32>(request.text.size()), format,
                                         request.maxWidth, request.maxHeight, &layout))) {
        return std::nullopt;
    }
    if (request.role == BarTextRole::NowPlaying) {
        ComPtr<IDWriteInlineObject> ellipsis;
        if (SUCCEEDED(factory->CreateEllipsisTrimmingSign(layout.Get(), &ellipsis))) {
            DWRITE_TRIMMING trimming = {DWRITE_TRIMMING_GRANULARITY_CHARACTER, 0, 0};
            layout->SetTrimming(&trimming, ellipsis.Get());
        }
        layout->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    }
    DWRITE_TEXT_METRICS metrics = {};
    if (FAILED(layout->GetMetrics(&metrics))) {
        return std::nullopt;
    }
    switch (request.role) {
        case BarTextRole::Clock:
            clockLayout_ = layout;
            break;
        case BarTextRole::NowPlaying:
            nowPlayingLayout_ = layout;
            break;
        case BarTextRole::AppName:
            appNameLayout_ = layout;
            break;
        case BarTextRole::MenuTitle:
            if (request.menuIndex >= 0) {
                const auto index = static_cast<std::size_t>(request.menuIndex);
                if (menuTitleLayouts_.size() <= index) {
                    menuTitleLayouts_.resize(index + 1);
                }
                menuTitleLayouts_[index] = layout;
            }
            break;
    }
    return BarTextMetrics{metrics.width, metrics.widthIncludingTrailingWhitespace};
}

void BarPainter::DiscardMenuTitle(int32_t menuIndex) {
    if (menuIndex >= 0 && static_cast<std::size_t>(menuIndex) < menuTitleLayouts_.size()) {
        menuTitleLayouts_.resize(static_cast<std::size_t>(menuIndex));
    }
}

void BarPainter::Paint() noexcept {
    try {
        if (!EnsureDeviceResources()) {
            return;
        }
        const App& app = TheApp();
        const D2D1_SIZE_F size = target_->GetSize();

        BarLayoutInput input;
        input.width = size.width;
        input.height = size.height;
        input.style = static_cast<BarStyle>(app.settings.style);
        input.isMainBar = bar_.IsMainBar();
        clockText_ = FormatClockText(app.settings.dateFormat, app.settings.showSeconds);
        input.clockText = clockText_;
        input.hasBattery = app.systemStatus && app.systemStatus->Model().hasBattery;
        input.tilingButton = app.settings.tilingButton;
        input.trayEnabled = app.settings.trayEnabled;
        input.appDisplayName = app.current.displayName;
        for (const AppMenu& menu : app.current.menus) {
            input.menuTitles.push_back(menu.title);
        }
        clockLayout_.Reset();
        nowPlayingLayout_.Reset();
        appNameLayout_.Reset();
        menuTitleLayouts_.clear();
        LayoutBar(input, *this, layout_);
        bar_.SetLayout(layout_.items, layout_.islands);

        target_->BeginDraw();
        const bool opaque = app.settings.backdrop == Backdrop::Solid &&
                            (input.style == BarStyle::Classic || input.style == BarStyle::Floating);
        const ColorF& surface = app.theme.surface;
        target_->Clear(opaque ? D2D1::ColorF(surface.r, surface.g, surface.b, surface.a)
                              : D2D1::ColorF(0, 0, 0, 0));
        if (input.style == BarStyle::Classic) {
            SetColor(app.theme.hairline);
            const float hairline = 96.0f / static_cast<float>(bar_.Dpi());
            target_->FillRectangle(D2D1::RectF(0, size.height - hairline, size.width, size.height),
                                   brush_.Get());
        } else if (input.style == BarStyle::Islands || input.style == BarStyle::Separated) {
            if (IslandsMoved(bar_.AppliedIslands(), layout_.islands)) {
                ::PostMessageW(bar_.Hwnd(), kWmBarReshape, 0, 0);
            }
        }
        PaintItems();
        if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
            ReleaseDeviceResources();
        }
    } catch (...) {
        // A paint that cannot finish is simply skipped; the next one rebuilds.
        ReleaseDeviceResources();
    }
}

void BarPainter::PaintItems() {
    const auto& items = layout_.items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const BarItem& item = items[i];
        DrawHighlight(item, static_cast<int>(i));
        switch (item.kind) {
            case BarItemKind::AppNameItem:
                DrawAppName(item);
                break;
            case BarItemKind::MenuTitleItem:
                if (item.menuIndex >= 0 &&
                    static_cast<std::size_t>(item.menuIndex) < menuTitleLayouts_.size()) {
                    SetColor(TheApp().theme.text);
                    DrawText(menuTitleLayouts_[static_cast<std::size_t>(item.menuIndex)].Get(),
                             item.left + 9, false);
                }
                break;
            case BarItemKind::TilingButtonItem:
                DrawTilingButton(item);
                break;
            case BarItemKind::StatusItem:
                DrawStatus(item);
                break;
            case BarItemKind::ClockItem:
                SetColor(TheApp().theme.text);
                DrawText(clockLayout_.Get(), item.left + 10, false);
                break;
            case BarItemKind::TrayIconItem:
            case BarItemKind::NowPlayingItem:
                break;
        }
    }
}

void BarPainter::DrawHighlight(const BarItem& item, int index) {
    const bool pressed = index == bar_.PressedIndex();
    const bool open = index == bar_.OpenMenuIndex();
    if (index != bar_.HoverIndex() && !pressed && !open) {
        return;
    }
    const Theme& theme = TheApp().theme;
    SetColor(pressed && !open ? theme.pressedFill : theme.hoverFill);
    target_->FillRoundedRectangle(
        D2D1::RoundedRect(D2D1::RectF(item.left, item.top, item.right, item.bottom),
                          kHighlightRadius, kHighlightRadius),
        brush_.Get());
}

void BarPainter::DrawText(IDWriteTextLayout* layout, float x, bool clip) {
    if (layout != nullptr) {
        target_->DrawTextLayout(D2D1::Point2F(x, 0), layout, brush_.Get(),
                                clip ? D2D1_DRAW_TEXT_OPTIONS_CLIP : D2D1_DRAW_TEXT_OPTIONS_NONE);
    }
}

void BarPainter::EnsureAppIcon() {
    const App& app = TheApp();
    if (appIcon_ && appIconGeneration_ == app.current.iconGeneration &&
        appIconPath_ == app.current.exePath) {
        return;
    }
    if (!appIcon_ && appIconTried_ && appIconGeneration_ == app.current.iconGeneration &&
        appIconPath_ == app.current.exePath) {
        return;  // nothing to show for this application; don't ask again every paint
    }
    appIcon_.Reset();
    appIconTried_ = true;
    appIconGeneration_ = app.current.iconGeneration;
    appIconPath_ = app.current.exePath;
    const auto size = static_cast<int32_t>(std::lround(bar_.Dpi() * 16.0 / 96.0));
    IconSourceBitmap source;
    if (!app.current.exePath.empty()) {
        source = GetCachedIcon(app.current.exePath, size);
    }
    if (!source && app.current.icon != nullptr && app.graphics.wic) {
        ComPtr<IWICBitmap> fromIcon;
        if (SUCCEEDED(app.graphics.wic->CreateBitmapFromHICON(app.current.icon, &fromIcon))) {
            source = TrimAndScale(app.graphics.wic.Get(), fromIcon.Get(), size);
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
        D2D1_RECT_F rect = D2D1::RectF(item.left + 8, cy - 8, item.left + 24, cy + 8);
        DrawIconBitmap(target_.Get(), appIcon_.Get(), rect, 1.0f);
    }
    SetColor(TheApp().theme.text);
    DrawText(appNameLayout_.Get(), item.left + 31, true);
}

void BarPainter::DrawTilingButton(const BarItem& item) {
    constexpr float kSquare = 5.2f;
    constexpr float kGap = 1.6f;
    constexpr float kRadius = 1.2f;
    const float cx = (item.left + item.right) / 2;
    const float cy = (item.top + item.bottom) / 2;
    const App& app = TheApp();
    // Filled in the accent while tiling runs; outlined otherwise.
    const bool on = app.settings.tilingEnabled && TilingIsActive();
    SetColor(on ? app.theme.accent : app.theme.secondaryText);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col) {
            const float x = cx - 6 + static_cast<float>(col) * (kSquare + kGap);
            const float y = cy - 6 + static_cast<float>(row) * (kSquare + kGap);
            if (on) {
                target_->FillRoundedRectangle(
                    D2D1::RoundedRect(D2D1::RectF(x, y, x + kSquare, y + kSquare), kRadius, kRadius),
                    brush_.Get());
            } else {
                target_->DrawRoundedRectangle(
                    D2D1::RoundedRect(D2D1::RectF(x + 0.5f, y + 0.5f, x + kSquare - 0.5f,
                                                  y + kSquare - 0.5f),
                                      kRadius, kRadius),
                    brush_.Get(), 1.0f);
            }
        }
    }
}

void BarPainter::DrawGlyph(wchar_t glyph, const D2D1_RECT_F& box) {
    target_->DrawTextW(&glyph, 1, iconFormat_.Get(), box, brush_.Get(),
                       D2D1_DRAW_TEXT_OPTIONS_NONE);
}

void BarPainter::DrawStatus(const BarItem& item) {
    const App& app = TheApp();
    const Theme& theme = app.theme;
    static const StatusModel kNoStatus;
    const StatusModel& status = app.systemStatus ? app.systemStatus->Model() : kNoStatus;
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
        if (SUCCEEDED(app.graphics.d2d->CreateEllipseGeometry(
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
        if (SUCCEEDED(app.graphics.d2d->CreatePathGeometry(&path)) &&
            SUCCEEDED(path->Open(&sink))) {
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
