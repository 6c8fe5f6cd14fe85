#pragma once
// The base of both start surfaces: a top-most pop-up that exists only while
// shown, with its Direct2D target and brush, the acrylic glass, the open and
// close animation, the search text and the caret, and what screen readers
// are served. Derived classes paint, build their readers' tree and handle
// what the base does not consume.

#include "base/WindowBase.h"
#include "start/QueryText.h"
#include "toolkit/AccessibleWindow.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/Theme.h"

#include <d2d1.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdint>
#include <map>
#include <string>

namespace corvane {

struct AppEntry;
struct ItemMenuOptions;
struct StartContext;
struct Settings;

enum SurfaceTimer : UINT_PTR {
    TIMER_SURFACE_FRAME = 1,
    TIMER_SURFACE_CARET = 3,
    TIMER_SURFACE_CATALOG = 4,
    TIMER_SURFACE_EDGE_PAGE = 5,
};

class Surface : public WindowBase, public AccessibleSource {
public:
    Surface(HINSTANCE instance, const GraphicsFactories& graphics);
    ~Surface() override;

    // Destroys any window first; creates a hidden one over `rect` (pixels).
    [[nodiscard]] bool Create(const RECT& rect, HMONITOR monitor, UINT dpi) noexcept;
    // Glass: dark flag, frame, corners, and the acrylic accent unless the
    // backdrop setting is solid.
    void ApplySurfaceBackdrop(const Settings& settings, const Theme& theme, BYTE alpha,
                              bool rounded) noexcept;
    void Show() noexcept;
    void Close(bool animated) noexcept;
    void Destroy() noexcept;

    [[nodiscard]] bool IsShown() const noexcept { return Hwnd() != nullptr; }
    [[nodiscard]] bool IsClosing() const noexcept { return closing_; }
    [[nodiscard]] bool IsOpen() const noexcept { return IsShown() && !closing_; }
    [[nodiscard]] HMONITOR Monitor() const noexcept { return monitor_; }
    [[nodiscard]] UINT Dpi() const noexcept { return dpi_; }
    void Repaint() noexcept;

protected:
    [[nodiscard]] virtual const wchar_t* ClassName() const noexcept = 0;
    // One frame; target and brush exist.
    virtual void Paint() = 0;
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    [[nodiscard]] virtual float OpenDurationMs() const noexcept = 0;
    [[nodiscard]] virtual float CloseDurationMs() const noexcept { return 110.0f; }
    // Windows' animation effects are on (Theme::animate).
    [[nodiscard]] virtual bool Animates() const noexcept = 0;
    virtual void OnQueryChanged() = 0;
    [[nodiscard]] virtual bool IsAnimating() const noexcept { return false; }
    virtual void Tick(float /*progress*/, double /*nowMs*/) {}
    // The render target was made again: drop what was made on the old one.
    virtual void OnTargetCreated() {}
    // After each frame of the open surface: readers are told what changed
    // since the last (the query, where the keyboard's selection went).
    virtual void AnnounceChanges() {}
    // The window starts closing or is about to go, whatever ends it: what
    // the user holds is put down where it stands.
    virtual void OnEnding() noexcept {}

    // The search box's edit keys (WM_KEYDOWN): true when `key` was one,
    // false for keys the surface handles itself.
    bool EditQueryKey(WPARAM key);

    // A context or power menu is being tracked: losing activation must not
    // close the surface.
    void SetPopupMenuOpen(bool open) noexcept { popupMenuOpen_ = open; }

    // An entry's context menu, where the options say or at the cursor. The
    // surface closes when the command opened something or took the
    // foreground away, and is drawn again otherwise; it may be gone when
    // this returns.
    void RunItemMenu(const AppEntry& entry, const ItemMenuOptions& options,
                     const StartContext& context);

    // The Direct2D bitmap for `key`, made from `source` on this target the
    // first time; without a source only one made before. Null without a
    // target.
    [[nodiscard]] ID2D1Bitmap* CachedBitmap(const std::wstring& key, IWICBitmapSource* source);

    [[nodiscard]] ID2D1HwndRenderTarget* Target() const noexcept { return target_.Get(); }
    [[nodiscard]] ID2D1SolidColorBrush* Brush() const noexcept { return brush_.Get(); }
    [[nodiscard]] const GraphicsFactories& Graphics() const noexcept { return graphics_; }
    [[nodiscard]] HINSTANCE Instance() const noexcept { return instance_; }

    QueryEdit query_;
    // Told of every repaint: what readers are served follows what is drawn.
    AccessibleWindow accessible_{*this};
    bool caretVisible_ = true;
    float progress_ = 0.0f;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    void OnPaint();
    [[nodiscard]] bool EnsureTarget();
    void ReleaseTarget() noexcept;
    void OnChar(wchar_t typed);
    // The caret shows at once after an edit; a changed text is searched.
    void QueryEdited(bool textChanged);

    HINSTANCE instance_;
    const GraphicsFactories& graphics_;
    HMONITOR monitor_ = nullptr;
    UINT dpi_ = 96;
    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    std::map<std::wstring, Microsoft::WRL::ComPtr<ID2D1Bitmap>> bitmaps_;
    bool popupMenuOpen_ = false;
    float closeFrom_ = 0.0f;
    double animationStart_ = 0.0;
    bool closing_ = false;
};

// The display a surface opens on: the one asked for, else the one under the
// pointer.
[[nodiscard]] HMONITOR SurfaceDisplay(HMONITOR asked) noexcept;

// Milliseconds from the performance counter (frequency read once).
[[nodiscard]] double SurfaceNowMs() noexcept;

}  // namespace corvane
