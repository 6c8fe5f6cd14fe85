#include "nowplaying/NowPlayingCard.h"

#include "base/Win32Geometry.h"
#include "base/Win32Handles.h"
#include "config/Settings.h"
#include "identity/IconDrawing.h"
#include "nowplaying/NowPlayingCardSource.h"
#include "toolkit/Backdrop.h"
#include "toolkit/D2DValues.h"
#include "toolkit/FontFamilies.h"
#include "toolkit/TextFormats.h"
#include "toolkit/Theme.h"

#include <d2d1helper.h>
#include <windowsx.h>

#include <algorithm>

namespace corvane {
namespace {

constexpr UINT kWatchMs = 80;
constexpr UINT kRepaintMs = 500;

constexpr float kArtworkRadius = 8.0f;
constexpr float kTrackRadius = 2.0f;
constexpr float kButtonCircleRadius = 16.0f;
constexpr float kPlaceholderAlpha = 0.08f;
constexpr float kTrackAlpha = 0.18f;
constexpr float kPlayedAlpha = 0.85f;
constexpr int32_t kSourceIconDips = 14;

}  // namespace

NowPlayingCard::NowPlayingCard(const NowPlayingCardContext& context) noexcept
    : instance_(context.instance),
      graphics_(context.graphics),
      settings_(context.settings),
      theme_(context.theme),
      source_(context.source) {}

NowPlayingCard::~NowPlayingCard() {
    DestroyCard();
}

bool NowPlayingCard::EnsureWindow() noexcept {
    if (Hwnd() != nullptr) {
        return true;
    }
    if (!RegisterWindowClass(instance_, kNowPlayingCardClass, 0, IDC_ARROW)) {
        return false;
    }
    if (CreateBound(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kNowPlayingCardClass, L"",
                    WS_POPUP, 0, 0, 10, 10, nullptr, instance_) == nullptr) {
        return false;
    }
    ApplyPopupGlass(Hwnd(), settings_, theme_, PopupGlassAlpha(settings_.tint), true);
    SetExcludedFromPeek(Hwnd());
    return true;
}

void NowPlayingCard::ShowCard(const RECT& anchor, bool above, UINT dpi) noexcept {
    if (!source_.Snapshot().active) {
        return;
    }
    anchor_ = ToPixelRect(anchor);
    above_ = above;
    const UINT effectiveDpi = dpi != 0 ? dpi : 96;
    if (effectiveDpi != dpi_) {
        dpi_ = effectiveDpi;
        // Text and bitmaps were laid out for the old scale.
        ReleaseTarget();
    }
    if (!EnsureWindow()) {
        return;
    }
    placed_ = PlaceCard(anchor_, MonitorRect(::MonitorFromRect(&anchor, MONITOR_DEFAULTTONEAREST)),
                        above_, dpi_, theme_.textScale);
    ::SetWindowPos(Hwnd(), HWND_TOPMOST, placed_.left, placed_.top, placed_.Width(),
                   placed_.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    misses_ = 0;
    ::SetTimer(Hwnd(), TIMER_CARD_WATCH, kWatchMs, nullptr);
    ::SetTimer(Hwnd(), TIMER_CARD_REPAINT, kRepaintMs, nullptr);
    timers_ = true;
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
}

void NowPlayingCard::HideCard() noexcept {
    HWND window = Hwnd();
    if (window == nullptr) {
        return;
    }
    if (timers_) {
        ::KillTimer(window, TIMER_CARD_WATCH);
        ::KillTimer(window, TIMER_CARD_REPAINT);
        timers_ = false;
    }
    ::ShowWindow(window, SW_HIDE);
    hovered_ = CardItem::None;
}

void NowPlayingCard::DestroyCard() noexcept {
    if (HWND window = Hwnd(); window != nullptr && timers_) {
        ::KillTimer(window, TIMER_CARD_WATCH);
        ::KillTimer(window, TIMER_CARD_REPAINT);
    }
    timers_ = false;
    DestroyBound();
    ReleaseTarget();
    hovered_ = CardItem::None;
}

bool NowPlayingCard::IsCardShown() const noexcept {
    return Hwnd() != nullptr && ::IsWindowVisible(Hwnd());
}

bool NowPlayingCard::IsCardHovered() const noexcept {
    if (!IsCardShown()) {
        return false;
    }
    POINT p = {};
    if (!::GetCursorPos(&p)) {
        return false;
    }
    RECT card = {};
    ::GetWindowRect(Hwnd(), &card);
    return PointerNearCard(p.x, p.y, ToPixelRect(card), anchor_);
}

LRESULT NowPlayingCard::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto handled = accessible_.HandleMessage(Hwnd(), message, wParam, lParam)) {
        return *handled;
    }
    switch (message) {
        case WM_SIZE:
            if (target_) {
                (void)target_->Resize(D2D1::SizeU(LOWORD(lParam), HIWORD(lParam)));
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_TIMER:
            if (wParam == TIMER_CARD_WATCH) {
                OnTick();
            } else if (wParam == TIMER_CARD_REPAINT) {
                ::InvalidateRect(Hwnd(), nullptr, FALSE);
            }
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return 0;
        case WM_MOUSELEAVE:
            // Back over the widget, no button of the card is under the pointer.
            if (hovered_ != CardItem::None) {
                hovered_ = CardItem::None;
                ::InvalidateRect(Hwnd(), nullptr, FALSE);
            }
            return 0;
        case WM_LBUTTONUP:
            OnClick(lParam);
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

void NowPlayingCard::OnTick() {
    if (!source_.Snapshot().active) {
        HideCard();
        return;
    }
    if (CardMissedHover(IsCardHovered(), misses_)) {
        HideCard();
    }
}

float NowPlayingCard::ClientWidthDips() const noexcept {
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    return static_cast<float>(client.right) * 96.0f / static_cast<float>(dpi_);
}

D2D1_POINT_2F NowPlayingCard::ToDips(LPARAM lParam) const noexcept {
    const float scale = 96.0f / static_cast<float>(dpi_);
    return D2D1::Point2F(static_cast<float>(GET_X_LPARAM(lParam)) * scale,
                         static_cast<float>(GET_Y_LPARAM(lParam)) * scale);
}

void NowPlayingCard::OnMouseMove(LPARAM lParam) {
    const D2D1_POINT_2F p = ToDips(lParam);
    const CardItem item = CardHitTest(p.x, p.y, ClientWidthDips(), theme_.textScale);
    TRACKMOUSEEVENT leave = {sizeof(leave), TME_LEAVE, Hwnd(), 0};
    (void)::TrackMouseEvent(&leave);
    if (item != hovered_) {
        hovered_ = item;
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void NowPlayingCard::OnClick(LPARAM lParam) {
    const D2D1_POINT_2F p = ToDips(lParam);
    const float width = ClientWidthDips();
    const CardItem item = CardHitTest(p.x, p.y, width, theme_.textScale);
    if (const auto click = CardClickAction(item, p.x, width, source_.Snapshot().durationSeconds)) {
        source_.SendMediaCommand(click->command, click->seconds);
    }
    // The command may have closed the card's window.
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

bool NowPlayingCard::EnsureFormats() {
    const float scale = theme_.textScale;
    if (formats_[kTitle] && formatsScale_ == scale) {
        return true;
    }
    formatsScale_ = scale;
    IDWriteFactory* dwrite = graphics_.dwrite.Get();
    if (dwrite == nullptr) {
        return false;
    }
    const wchar_t* text = TextFontFamily().c_str();
    const wchar_t* icons = IconFontFamily().c_str();
    formats_[kTitle] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_SEMI_BOLD, 15.0f * scale);
    formats_[kArtist] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 13.0f * scale);
    formats_[kSourceName] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 11.0f * scale);
    formats_[kTimes] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 11.0f * scale);
    formats_[kSmallGlyph] = MakeLineFormat(dwrite, icons, DWRITE_FONT_WEIGHT_REGULAR, 16.0f);
    formats_[kLargeGlyph] = MakeLineFormat(dwrite, icons, DWRITE_FONT_WEIGHT_REGULAR, 20.0f);
    for (const std::size_t glyph : {kSmallGlyph, kLargeGlyph}) {
        if (formats_[glyph]) {
            (void)formats_[glyph]->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
        }
    }
    return formats_[kTitle] != nullptr;
}

bool NowPlayingCard::EnsureTarget() {
    if (target_) {
        return true;
    }
    return CreateTextTarget(graphics_.d2d.Get(), Hwnd(), dpi_, target_, brush_);
}

void NowPlayingCard::ReleaseTarget() noexcept {
    artwork_.Reset();
    artworkMade_ = false;
    sourceIcon_.Reset();
    sourceIconMade_ = false;
    sourceIconId_.clear();
    brush_.Reset();
    target_.Reset();
}

ID2D1Bitmap* NowPlayingCard::ArtworkBitmap() {
    const int32_t generation = source_.ArtworkGeneration();
    if (!artworkMade_ || generation != artworkGeneration_) {
        artwork_.Reset();
        artworkMade_ = true;
        artworkGeneration_ = generation;
        if (IWICBitmapSource* cover = source_.Artwork(); cover != nullptr) {
            (void)target_->CreateBitmapFromWicBitmap(cover, nullptr, &artwork_);
        }
    }
    return artwork_.Get();
}

ID2D1Bitmap* NowPlayingCard::SourceIconBitmap() {
    const std::wstring& id = source_.Snapshot().sourceId;
    if (!sourceIconMade_ || id != sourceIconId_) {
        sourceIcon_.Reset();
        sourceIconMade_ = true;
        sourceIconId_ = id;
        const int32_t px = ScalePoints(kSourceIconDips, dpi_);
        if (IWICBitmapSource* icon = source_.SourceIcon(px); icon != nullptr) {
            (void)target_->CreateBitmapFromWicBitmap(icon, nullptr, &sourceIcon_);
        }
    }
    return sourceIcon_.Get();
}

void NowPlayingCard::OnPaint() {
    const PaintScope paint(Hwnd());
    // Whatever changed what the card shows (the track, the position) paints it.
    accessible_.Invalidate();
    if (!EnsureTarget() || !EnsureFormats()) {
        return;
    }
    target_->BeginDraw();
    try {
        const NowPlayingSnapshot& snapshot = source_.Snapshot();
        const float width = ClientWidthDips();
        target_->Clear(DrawsOpaque(settings_.backdrop, theme_) ? ToD2D(theme_.surface)
                                                               : D2D1::ColorF(0, 0, 0, 0));
        const ArtworkTint tint = source_.Tint();
        // High contrast keeps the scheme's own colours: no tint from the cover.
        if (const float alpha = CardTintAlpha(settings_.nowPlayingTint && !theme_.highContrast,
                                              tint.a, theme_.dark);
            alpha > 0) {
            brush_->SetColor(D2D1::ColorF(tint.r, tint.g, tint.b, alpha));
            target_->FillRectangle(
                D2D1::RectF(0, 0, width, static_cast<float>(CardSizeFor(theme_.textScale).height)),
                brush_.Get());
        }
        ID2D1Bitmap* icon = SourceIconBitmap();
        // Extrapolated now: the session reports its timeline only now and then.
        const double position = std::max(0.0, source_.CurrentPositionSeconds());
        const double duration = snapshot.durationSeconds;
        const CardRects rects = LayoutCard(width, icon != nullptr,
                                           PlayedFraction(position, duration), theme_.textScale);
        PaintArtwork(rects.artwork);
        PaintTexts(rects, icon);
        PaintProgress(rects, position, duration);
        PaintButtons(width);
    } catch (...) {
        // The frame is ended below; the next one starts afresh.
    }
    if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
        ReleaseTarget();
    }
}

void NowPlayingCard::PaintArtwork(const PointRect& area) {
    if (DrawRoundedBitmap(target_.Get(), ArtworkBitmap(), ToD2D(area), kArtworkRadius, 1.0f)) {
        return;
    }
    const D2D1_ROUNDED_RECT shape = D2D1::RoundedRect(ToD2D(area), kArtworkRadius, kArtworkRadius);
    if (theme_.highContrast) {
        // A solid fill in the text colour would hide the note drawn on it.
        brush_->SetColor(ToD2D(theme_.hairline));
        target_->DrawRoundedRectangle(shape, brush_.Get());
    } else {
        brush_->SetColor(ToD2D(theme_.text, kPlaceholderAlpha));
        target_->FillRoundedRectangle(shape, brush_.Get());
    }
    const std::wstring note(1, kCardNoArtworkGlyph);
    DrawLine(note, kLargeGlyph, area, ToD2D(theme_.secondaryText));
}

void NowPlayingCard::DrawLine(const std::wstring& text, Format format, const PointRect& rect,
                              const D2D1_COLOR_F& color) {
    IDWriteTextFormat* textFormat = formats_[format].Get();
    if (text.empty() || textFormat == nullptr) {
        return;
    }
    brush_->SetColor(color);
    target_->DrawText(text.data(), static_cast<UINT32>(text.size()), textFormat, ToD2D(rect),
                      brush_.Get(), D2D1_DRAW_TEXT_OPTIONS_CLIP);
}

void NowPlayingCard::PaintTexts(const CardRects& rects, ID2D1Bitmap* icon) {
    const NowPlayingSnapshot& snapshot = source_.Snapshot();
    const D2D1_COLOR_F primary = ToD2D(theme_.text);
    const D2D1_COLOR_F secondary = ToD2D(theme_.secondaryText);
    DrawLine(snapshot.title, kTitle, rects.title, primary);
    DrawLine(snapshot.artist.empty() ? snapshot.album : snapshot.artist, kArtist, rects.artist,
             secondary);
    if (icon != nullptr) {
        D2D1_RECT_F iconRect = ToD2D(rects.sourceIcon);
        DrawIconBitmap(target_.Get(), icon, iconRect, 1.0f);
    }
    DrawLine(snapshot.sourceName, kSourceName, rects.sourceName, secondary);
}

void NowPlayingCard::PaintProgress(const CardRects& rects, double position, double duration) {
    brush_->SetColor(ToD2D(theme_.text, Opacity(theme_, kTrackAlpha)));
    target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(rects.track), kTrackRadius, kTrackRadius),
                                  brush_.Get());
    if (rects.played.right > rects.played.left) {
        // In high contrast the track is solid text colour: the played part
        // stands out in the highlight colour.
        brush_->SetColor(hovered_ == CardItem::Progress || theme_.highContrast
                             ? ToD2D(theme_.accent)
                             : ToD2D(theme_.text, Opacity(theme_, kPlayedAlpha)));
        target_->FillRoundedRectangle(
            D2D1::RoundedRect(ToD2D(rects.played), kTrackRadius, kTrackRadius), brush_.Get());
    }
    if (!(duration > 0)) {
        return;
    }
    const D2D1_COLOR_F secondary = ToD2D(theme_.secondaryText);
    DrawLine(CardTimeText(position), kTimes, rects.elapsed, secondary);
    IDWriteTextFormat* times = formats_[kTimes].Get();
    (void)times->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_TRAILING);
    DrawLine(CardTimeText(duration), kTimes, rects.duration, secondary);
    (void)times->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);
}

void NowPlayingCard::PaintButtons(float width) {
    const bool playing = source_.Snapshot().playing;
    for (const CardItem button : {CardItem::Previous, CardItem::PlayPause, CardItem::Next}) {
        const PointRect r = CardButtonRect(button, width, theme_.textScale);
        if (button == hovered_) {
            brush_->SetColor(ToD2D(theme_.hoverFill));
            target_->FillEllipse(
                D2D1::Ellipse(D2D1::Point2F((r.left + r.right) / 2, (r.top + r.bottom) / 2),
                              kButtonCircleRadius, kButtonCircleRadius),
                brush_.Get());
        }
        const std::wstring glyph(1, CardButtonGlyph(button, playing));
        DrawLine(glyph, button == CardItem::PlayPause ? kLargeGlyph : kSmallGlyph, r,
                 ToD2D(button == hovered_ ? theme_.selectedText : theme_.text));
    }
}

}  // namespace corvane
