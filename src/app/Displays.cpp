#include "app/Displays.h"

#include "app/App.h"
#include "bar/Bar.h"
#include "dock/Dock.h"
#include "dock/TaskbarHider.h"

#include <algorithm>

namespace corvane {
namespace {

BOOL CALLBACK CollectDisplay(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept {
    auto* displays = reinterpret_cast<std::vector<DisplayInfo>*>(data);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (::GetMonitorInfoW(monitor, &mi)) {
        try {
            displays->push_back(
                {reinterpret_cast<uint64_t>(monitor),
                 {mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom},
                 (mi.dwFlags & MONITORINFOF_PRIMARY) != 0});
        } catch (...) {
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

std::vector<DisplayInfo> EnumerateDisplays() {
    std::vector<DisplayInfo> displays;
    ::EnumDisplayMonitors(nullptr, nullptr, &CollectDisplay, reinterpret_cast<LPARAM>(&displays));
    return displays;
}

std::vector<HMONITOR> SortedDisplays() {
    std::vector<HMONITOR> out;
    for (const DisplayInfo& d : SortDisplays(EnumerateDisplays())) {
        out.push_back(reinterpret_cast<HMONITOR>(d.id));
    }
    return out;
}

void SyncBars(App& app) {
    std::vector<std::unique_ptr<Bar>> old = std::move(app.bars);
    app.bars.clear();
    while (!old.empty()) {
        old.pop_back();
    }
    for (const DisplayInfo& d : EnumerateDisplays()) {
        if (!d.primary && !app.settings.allMonitors) {
            continue;
        }
        auto bar =
            std::make_unique<Bar>(app.barContext, reinterpret_cast<HMONITOR>(d.id), d.primary);
        if (bar->Create()) {
            app.bars.push_back(std::move(bar));
        }
    }
}

void SyncDocks(App& app) {
    std::vector<std::unique_ptr<Dock>> old = std::move(app.docks);
    app.docks.clear();
    // The new docks hide the taskbar again at once; the old ones must not
    // show it in between, or it would flash on every display change.
    if (app.settings.dockEnabled && app.settings.hideTaskbar) {
        for (const auto& dock : old) {
            dock->ForgetTaskbarHook();
        }
    }
    while (!old.empty()) {
        old.pop_back();
    }
    if (!app.settings.dockEnabled) {
        return;
    }
    const HMONITOR main = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const std::vector<uint64_t> targets =
        DockDisplays(app.settings.dockMonitor, SortDisplays(EnumerateDisplays()),
                     reinterpret_cast<uint64_t>(main));
    for (const uint64_t id : targets) {
        auto dock = std::make_unique<Dock>(app.dockContext, reinterpret_cast<HMONITOR>(id),
                                           app.docks.empty());
        if (dock->Create()) {
            app.docks.push_back(std::move(dock));
        }
    }
    // The old docks let go of the taskbar for a new one that could not be
    // made: it comes back rather than stay hidden with no dock in its place,
    // and the next dock that can be made hides it again.
    if (app.settings.hideTaskbar &&
        std::ranges::none_of(app.docks, [](const auto& dock) { return dock->IsPrimary(); })) {
        RestoreTaskbar();
    }
}

Dock* DockForDisplay(const App& app, HMONITOR display) noexcept {
    for (const auto& dock : app.docks) {
        if (dock->Display() == display) {
            return dock.get();
        }
    }
    return nullptr;
}

}  // namespace corvane
