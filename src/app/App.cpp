#include "app/App.h"

#include "app/ControlWindow.h"
#include "bar/Bar.h"
#include "bar/SystemStatus.h"

namespace corvane {

App& TheApp() noexcept {
    static App* const app = new App();
    return *app;
}

HWND ControlHwnd() noexcept {
    const App& app = TheApp();
    return app.control ? app.control->Hwnd() : nullptr;
}

void RepaintAllBars() noexcept {
    for (const auto& bar : TheApp().bars) {
        bar->Repaint();
    }
}

Bar* MainBar() noexcept {
    const auto& bars = TheApp().bars;
    for (const auto& bar : bars) {
        if (bar->IsMainBar()) {
            return bar.get();
        }
    }
    return bars.empty() ? nullptr : bars.front().get();
}

bool TilingIsActive() noexcept {
    // No tiling manager exists yet, so tiling never runs.
    return false;
}

void ApplyFullscreenToSurfaces(HMONITOR fullscreenDisplay) noexcept {
    for (const auto& bar : TheApp().bars) {
        bar->SetFullscreenHidden(fullscreenDisplay != nullptr && bar->Display() == fullscreenDisplay);
    }
}

}  // namespace corvane
