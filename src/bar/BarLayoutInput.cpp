#include "bar/BarLayoutInput.h"

namespace corvane {

BarLayoutInput MakeBarLayoutInput(const Settings& settings, const BarSources& sources) {
    BarLayoutInput input;
    input.width = sources.width;
    input.height = sources.height;
    input.style = static_cast<BarStyle>(settings.style);
    input.isMainBar = sources.isMainBar;
    input.clockText = sources.clockText;
    input.hasBattery = sources.hasBattery;
    input.tilingButton = settings.tilingButton;
    input.trayEnabled = settings.trayEnabled;
    input.trayHostPresent = sources.trayHostPresent;
    input.buildTrayStrip = sources.buildTrayStrip;
    input.appDisplayName = sources.appDisplayName;
    input.nowPlayingShown = sources.nowPlayingShown;
    input.nowPlayingNextToClock = sources.nowPlayingNextToClock;
    input.nowPlayingText = sources.nowPlayingText;
    if (sources.menus != nullptr) {
        input.menuTitles.reserve(sources.menus->size());
        for (const AppMenu& menu : *sources.menus) {
            input.menuTitles.push_back(menu.title);
        }
    }
    return input;
}

}  // namespace corvane
