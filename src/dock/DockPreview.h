#pragma once
// The popup above a dock item with a live picture of each of its windows:
// clicking a card brings that window forward, its close button or a middle
// click closes it. The pictures are the system's; the popup only paints the
// titles, the hover, the close button and, for a minimised window without a
// picture, the app's icon. Never takes the focus.

#include "base/WindowBase.h"
#include "config/Settings.h"
#include "dock/PreviewLayout.h"
#include "dock/ThumbnailHost.h"
#include "identity/IconLoader.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/Theme.h"

#include <windows.h>

#include <d2d1.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvane {

inline constexpr wchar_t kDockPreviewWindowClass[] = L"CorvaneDockPreview";

// Posted to the dock that asked for the popup when the pointer leaves it.
inline constexpr UINT kWmDockPreviewLeft = WM_APP + 31;

struct PreviewCard {
    HWND window = nullptr;
    // Another process's window may end and its handle go to a new window at
    // any moment: the card acts only while the handle still names a window
    // of this process.
    DWORD process = 0;
    std::wstring title;
    UniqueThumbnail thumbnail;
    bool thumbnailVisible = false;
    bool minimised = false;
    // False for a window of a program running as administrator, which
    // ignores a request to close: its card has no close button.
    bool closable = true;
};

class DockPreview final : public WindowBase {
public:
    // With the Desktop Window Manager's thumbnails.
    DockPreview(HINSTANCE instance, const Settings& settings, const Theme& theme,
                const GraphicsFactories& graphics) noexcept
        : DockPreview(instance, settings, theme, graphics, dwmThumbnails_) {}
    DockPreview(HINSTANCE instance, const Settings& settings, const Theme& theme,
                const GraphicsFactories& graphics, ThumbnailHost& thumbnails) noexcept;
    ~DockPreview() override;

    // A card for each of the first six `windows` that still exist, above
    // anchorX (centre) and anchorBottom in screen pixels; none: hidden.
    void Show(HWND owner, std::span<const HWND> windows, IconSourceBitmap icon, int32_t anchorX,
              int32_t anchorBottom, uint32_t dpi) noexcept;
    void Hide() noexcept;
    void ApplyTheme() noexcept;

    [[nodiscard]] bool IsVisible() const noexcept;
    [[nodiscard]] bool PointerInside() const noexcept { return pointerInside_; }
    [[nodiscard]] const std::vector<PreviewCard>& Cards() const noexcept { return cards_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    [[nodiscard]] bool EnsureWindow() noexcept;
    void ApplyPreviewBackdrop() noexcept;
    // Reads the windows into cards; false when none is left.
    bool MakeCards(std::span<const HWND> windows);
    void Place() noexcept;
    void ShowThumbnails() noexcept;
    void ReleaseCards() noexcept;
    [[nodiscard]] bool StillSame(const PreviewCard& card) const noexcept;
    void SetHit(PreviewHit hit) noexcept;

    void OnMouseMove(int x, int y) noexcept;
    void OnMouseLeave() noexcept;
    void OnLeftUp(int x, int y) noexcept;
    void OnMiddleUp(int x, int y) noexcept;
    void CloseCardWindow(int index) noexcept;

    // Painting (DockPreviewPaint.cpp).
    [[nodiscard]] bool EnsureDeviceResources() noexcept;
    void ReleaseDeviceResources() noexcept;
    void Repaint() noexcept;
    void Paint() noexcept;
    void DrawCloseButton(const PointRect& card);
    void DrawIconPlaceholder(const PointRect& thumbnail);
    void SetColor(const ColorF& color, float alpha);

    HINSTANCE instance_;
    const Settings& settings_;
    const Theme& theme_;
    const GraphicsFactories& graphics_;
    DwmThumbnails dwmThumbnails_;
    ThumbnailHost& thumbnails_;

    HWND owner_ = nullptr;
    uint32_t dpi_ = 96;
    int32_t anchorX_ = 0;
    int32_t anchorBottom_ = 0;
    PreviewLayout layout_;  // the cards' rectangles, parallel to cards_
    std::vector<PreviewCard> cards_;
    int hoveredCard_ = -1;
    bool overClose_ = false;
    bool pointerTracked_ = false;
    bool pointerInside_ = false;

    IconSourceBitmap icon_;
    Microsoft::WRL::ComPtr<ID2D1Bitmap> iconBitmap_;
    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> textFormat_;
    float formatScale_ = 0;  // the text scale the format was made for
};

}  // namespace corvane
