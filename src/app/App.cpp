#include "app/App.h"

#include "app/ControlWindow.h"

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
    // Bars join here when they exist; until then there is nothing to paint.
}

}  // namespace corvane
