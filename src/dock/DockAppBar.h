#pragma once
// The band a dock reserves at the bottom of its display when smart hide is
// off, so that maximised windows end above it.

#include "base/Geometry.h"

#include <windows.h>

namespace corvane {

// The appbar callback message of a dock window.
inline constexpr UINT kWmDockAppbar = WM_APP + 30;

class DockAppBar {
public:
    // Setting the position makes the system move the other appbars, whose
    // notifications can reach a dock while it is still placing itself:
    // `placing`, shared by every dock, makes it one placement at a time.
    explicit DockAppBar(bool& placing) noexcept : placing_(placing) {}
    DockAppBar(const DockAppBar&) = delete;
    DockAppBar& operator=(const DockAppBar&) = delete;
    ~DockAppBar() = default;  // the owner removes it while its window exists

    // Registers (once) and reserves from the dock's top to the display's
    // bottom, or removes the reservation under smart hide. A failed
    // registration is tried again at the next call.
    void Update(HWND dock, const PixelRect& dockRect, const PixelRect& monitor,
                bool smartHide) noexcept;
    void Remove(HWND dock) noexcept;
    // After Explorer restarted: its old registration is gone with it.
    void Forget() noexcept { registered_ = false; }
    // WM_WINDOWPOSCHANGED of the dock window.
    void WindowPosChanged(HWND dock) noexcept;
    [[nodiscard]] bool Registered() const noexcept { return registered_; }

private:
    bool& placing_;
    bool registered_ = false;
};

}  // namespace corvane
