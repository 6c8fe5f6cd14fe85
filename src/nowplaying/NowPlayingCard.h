#pragma once
// The Now Playing card: a small glass pop-up the bar's or the dock's widget
// opens, with the cover, the texts, the progress bar and three transport
// buttons. It never takes the focus, and it hides itself once the pointer has
// left both it and the widget for a moment or the session ends. The window
// lives between shows.

#include "base/Geometry.h"
#include "base/WindowBase.h"
#include "nowplaying/CardLayout.h"
#include "toolkit/AccessibleWindow.h"
#include "toolkit/GraphicsFactories.h"

#include <d2d1.h>
#include <dwrite.h>
#include <windows.h>
#include <wrl/client.h>

#include <array>
#include <cstdint>
#include <string>

namespace corvane {

class NowPlayingCardSource;
struct Settings;
struct Theme;

inline constexpr wchar_t kNowPlayingCardClass[] = L"CorvaneNowPlaying";

enum CardTimer : UINT_PTR {
    TIMER_CARD_WATCH = 1,
    TIMER_CARD_REPAINT = 2,
};

// What the card is handed by its owner. Settings and theme are read live;
// the glass follows the theme of the first show (the owner destroys the card
// when either changes).
struct NowPlayingCardContext {
    HINSTANCE instance = nullptr;
    const GraphicsFactories& graphics;
    const Settings& settings;
    const Theme& theme;
    NowPlayingCardSource& source;
};

class NowPlayingCard final : public WindowBase, private AccessibleSource {
public:
    explicit NowPlayingCard(const NowPlayingCardContext& context) noexcept;
    ~NowPlayingCard() override;

    // `anchor`: the widget in screen pixels; `above`: open above it (the
    // dock) rather than below (the bar). Nothing while no session is active.
    void ShowCard(const RECT& anchor, bool above, UINT dpi) noexcept;
    void HideCard() noexcept;
    void DestroyCard() noexcept;
    // Shown, and the pointer is over the card or the widget.
    [[nodiscard]] bool IsCardHovered() const noexcept;
    [[nodiscard]] bool IsCardShown() const noexcept;
    // The session moved to another track or started or stopped playing:
    // screen readers hear the new title or the play button's new name.
    void SessionChanged(bool newTitle, bool playStateChanged) noexcept;

private:
    enum Format : std::size_t { kTitle, kArtist, kSourceName, kTimes, kSmallGlyph, kLargeGlyph };

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    // Screen readers (CardAccessible.cpp): the tree from the painted layout,
    // and the buttons' clicks.
    AccessibleNode BuildAccessibleTree() override;
    void RunAccessibleAction(int32_t actionId) override;
    [[nodiscard]] bool EnsureWindow() noexcept;
    [[nodiscard]] bool EnsureTarget();
    [[nodiscard]] bool EnsureFormats();
    void ReleaseTarget() noexcept;
    void OnTick();
    void OnMouseMove(LPARAM lParam);
    void OnClick(LPARAM lParam);
    void OnPaint();
    [[nodiscard]] float ClientWidthDips() const noexcept;
    [[nodiscard]] D2D1_POINT_2F ToDips(LPARAM lParam) const noexcept;

    // Painting, one step each; target and brush exist.
    void PaintArtwork(const PointRect& area);
    void PaintTexts(const CardRects& rects, ID2D1Bitmap* icon);
    void PaintProgress(const CardRects& rects, double position, double duration);
    void PaintButtons(float width);
    void DrawLine(const std::wstring& text, Format format, const PointRect& rect,
                  const D2D1_COLOR_F& color);
    [[nodiscard]] ID2D1Bitmap* ArtworkBitmap();
    [[nodiscard]] ID2D1Bitmap* SourceIconBitmap();

    HINSTANCE instance_;
    const GraphicsFactories& graphics_;
    const Settings& settings_;
    const Theme& theme_;
    NowPlayingCardSource& source_;

    PixelRect anchor_;
    PixelRect placed_;
    bool above_ = false;
    UINT dpi_ = 96;
    bool timers_ = false;

    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    Microsoft::WRL::ComPtr<ID2D1Bitmap> artwork_;
    int32_t artworkGeneration_ = 0;
    bool artworkMade_ = false;
    Microsoft::WRL::ComPtr<ID2D1Bitmap> sourceIcon_;
    std::wstring sourceIconId_;
    bool sourceIconMade_ = false;
    std::array<Microsoft::WRL::ComPtr<IDWriteTextFormat>, 6> formats_;
    float formatsScale_ = 0;  // the text scale the formats were made for

    CardItem hovered_ = CardItem::None;
    int32_t misses_ = 0;

    AccessibleWindow accessible_{*this};
};

}  // namespace corvane
