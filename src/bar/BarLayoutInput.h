#pragma once
// The one place that turns the bar's sources (settings, the current
// application, status, clock) into the layout's input.

#include "appmenus/AppMenu.h"
#include "bar/BarLayout.h"
#include "config/Settings.h"

#include <string_view>
#include <vector>

namespace corvane {

struct BarSources {
    float width = 0;  // client size, points
    float height = 0;
    bool isMainBar = true;
    std::wstring_view appDisplayName;
    const std::vector<AppMenu>* menus = nullptr;
    bool hasBattery = false;
    std::wstring_view clockText;
    bool trayHostPresent = false;
    TrayStripBuilder buildTrayStrip;
    // The media widget, when the session has one for the bar; the layout
    // still leaves it off a secondary bar.
    bool nowPlayingShown = false;
    bool nowPlayingNextToClock = false;
    std::wstring_view nowPlayingText;
};

// The views in the result point into `settings` and `sources`.
[[nodiscard]] BarLayoutInput MakeBarLayoutInput(const Settings& settings,
                                                const BarSources& sources);

}  // namespace corvane
