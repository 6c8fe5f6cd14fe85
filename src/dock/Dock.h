#pragma once
// One dock on one display: a floating, rounded glass strip centred at the
// bottom with Start, the pinned apps and the running ones, its reveal strip
// along the bottom edge, and a tooltip. Never takes the focus.

#include "base/Geometry.h"
#include "base/WindowBase.h"
#include "dock/DockHost.h"
#include "dock/DockModel.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace corvane {

inline constexpr wchar_t kDockWindowClass[] = L"CorvaneDock";
inline constexpr wchar_t kDockEdgeWindowClass[] = L"CorvaneDockEdge";

// WM_APP + 31: the preview popup tells its dock that the pointer left it.
inline constexpr UINT kWmDockPreviewLeft = WM_APP + 31;

enum DockTimer : UINT_PTR {
    TIMER_DOCK_ANIMATE = 1,
    TIMER_DOCK_REBUILD = 2,
    TIMER_DOCK_HIDECHECK = 3,
    TIMER_DOCK_LEAVE = 4,
    TIMER_DOCK_APPBAR = 5,
    TIMER_DOCK_PREVIEW = 6,
    TIMER_DOCK_PREVIEW_CLOSE = 7,
    TIMER_DOCK_NOWPLAYING = 8,
};

namespace dockperiods {
inline constexpr UINT kAnimateMs = 15;
inline constexpr UINT kRebuildAfterSaveMs = 60;
inline constexpr UINT kRebuildAfterShellHookMs = 80;
inline constexpr UINT kRebuildAfterCloakMs = 120;
inline constexpr UINT kRebuildAfterDragMs = 200;
inline constexpr UINT kAppBarAfterExplorerMs = 1500;
}  // namespace dockperiods

class Dock final : public WindowBase {
public:
    // `display` null means the primary display; only the primary dock hides
    // the Windows taskbar.
    Dock(const DockContext& context, HMONITOR display, bool primary);
    // Undoes what the dock changed: its reserved band, its hooks, the
    // taskbar it hid.
    ~Dock() override;

    // Creates both windows hidden, seeds and builds the items, shows the dock.
    [[nodiscard]] bool Create();

    // The model changed elsewhere (pins saved by another dock, windows came
    // and went): rebuild after `milliseconds`; a newer request replaces it.
    void ScheduleRebuild(UINT milliseconds) noexcept;
    void ForegroundChanged(HWND window) noexcept;
    // A full-screen window covers this display: the dock and its strip hide.
    void Suppress(bool on) noexcept;
    // Lays out again when forced or when the Now Playing cell came or went.
    void Relayout(bool force) noexcept;
    void ApplyTheme() noexcept;
    // The main bar heard a new Explorer: the appbar and the taskbar hiding
    // are redone 1.5 s later.
    void ExplorerRestarted() noexcept;
    // Drops the taskbar watch so that destroying this dock shows nothing.
    void ForgetTaskbarHook() noexcept;

    [[nodiscard]] HMONITOR Display() const noexcept { return display_; }
    [[nodiscard]] bool IsPrimary() const noexcept { return primary_; }
    [[nodiscard]] uint32_t Dpi() const noexcept { return dpi_; }
    // The fully shown dock in screen pixels.
    [[nodiscard]] const PixelRect& WindowRect() const noexcept { return windowRect_; }
    // Shown and not suppressed (a hidden dock leaves the screen to others).
    [[nodiscard]] bool IsShown() const noexcept;
    [[nodiscard]] const std::vector<DockItem>& Items() const noexcept { return items_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // ---- the rest of the class is the dock window's own business ----
    const DockContext& context_;
    HMONITOR display_;
    bool primary_;
    uint32_t dpi_ = 96;
    PixelRect windowRect_;
    std::vector<DockItem> items_;
};

}  // namespace corvane
