#include "dock/DockAppBar.h"

#include "base/Appbars.h"
#include "base/Win32Geometry.h"
#include "dock/DockGeometry.h"

namespace corvane {
namespace {

// Setting the position makes the system move the other appbars, whose
// notifications can reach a dock while it is still placing itself: one
// placement at a time in the whole process.
bool g_placing = false;

}  // namespace

void DockAppBar::Update(HWND dock, const PixelRect& dockRect, const PixelRect& monitor,
                        bool smartHide) noexcept {
    if (smartHide) {
        Remove(dock);
        return;
    }
    if (dockRect.Width() <= 0 || dockRect.Height() <= 0) {
        return;
    }
    if (!registered_) {
        if (!RegisterAppbarWindow(dock, kWmDockAppbar)) {
            return;
        }
        registered_ = true;
    }
    APPBARDATA abd = AppbarData(dock);
    if (g_placing) {
        return;
    }
    g_placing = true;
    abd.uEdge = ABE_BOTTOM;
    abd.rc = ToRect(DockAppBarRequest(monitor, dockRect.top));
    ::SHAppBarMessage(ABM_QUERYPOS, &abd);
    // The system may have moved the bottom up past other appbars; the band
    // keeps the dock's own height above whatever bottom it was given.
    abd.rc.top = DockAppBarTop(abd.rc.bottom, monitor, dockRect.top);
    ::SHAppBarMessage(ABM_SETPOS, &abd);
    g_placing = false;
}

void DockAppBar::Remove(HWND dock) noexcept {
    if (registered_ && dock != nullptr) {
        APPBARDATA abd = AppbarData(dock);
        ::SHAppBarMessage(ABM_REMOVE, &abd);
    }
    registered_ = false;
}

void DockAppBar::WindowPosChanged(HWND dock) noexcept {
    if (registered_) {
        APPBARDATA abd = AppbarData(dock);
        ::SHAppBarMessage(ABM_WINDOWPOSCHANGED, &abd);
    }
}

}  // namespace corvane
