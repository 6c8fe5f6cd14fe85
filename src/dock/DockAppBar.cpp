#include "dock/DockAppBar.h"

#include "base/Appbars.h"
#include "base/Win32Geometry.h"
#include "dock/DockGeometry.h"

namespace corvane {

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
    if (placing_) {
        return;
    }
    placing_ = true;
    abd.uEdge = ABE_BOTTOM;
    abd.rc = ToRect(DockAppBarRequest(monitor, dockRect.top));
    ::SHAppBarMessage(ABM_QUERYPOS, &abd);
    // The system may have moved the bottom up past other appbars; the band
    // keeps the dock's own height above whatever bottom it was given.
    abd.rc.top = DockAppBarTop(abd.rc.bottom, monitor, dockRect.top);
    ::SHAppBarMessage(ABM_SETPOS, &abd);
    placing_ = false;
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
