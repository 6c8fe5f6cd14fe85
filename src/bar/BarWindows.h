#pragma once
// The glass panel under each island of a bar, and the registration of the
// bar's window classes.

#include "bar/BarGeometry.h"
#include "base/WindowBase.h"
#include "config/Settings.h"
#include "toolkit/Theme.h"

namespace corvane {

class BarPanelWindow final : public WindowBase {
public:
    // Settings and theme are the bar's and outlive the panel.
    [[nodiscard]] bool Create(HINSTANCE instance, const Settings& settings,
                              const Theme& theme) noexcept;
    // Places the panel directly below the bar window in z-order; true when
    // this showed it.
    bool Place(const PixelRect& rect, HWND barWindow, bool visible) noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const Settings* settings_ = nullptr;
    const Theme* theme_ = nullptr;
};

// Registers the bar's window classes once; false when "CorvaneBar" cannot be.
[[nodiscard]] bool RegisterBarClasses(HINSTANCE instance) noexcept;

}  // namespace corvane
