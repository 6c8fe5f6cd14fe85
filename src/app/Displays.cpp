#include "app/Displays.h"

#include "app/App.h"
#include "bar/Bar.h"

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

void App::SyncBars() {
    std::vector<std::unique_ptr<Bar>> old = std::move(bars_);
    bars_.clear();
    while (!old.empty()) {
        old.pop_back();
    }
    for (const DisplayInfo& d : EnumerateDisplays()) {
        if (!d.primary && !settings_.allMonitors) {
            continue;
        }
        auto bar = std::make_unique<Bar>(barContext_, reinterpret_cast<HMONITOR>(d.id), d.primary);
        if (bar->Create()) {
            bars_.push_back(std::move(bar));
        }
    }
}

void App::SyncDocks() {
    std::vector<HMONITOR> displays;
    if (settings_.dockEnabled) {
        const HMONITOR main = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
        for (const uint64_t id :
             DockDisplays(settings_.dockMonitor, SortDisplays(EnumerateDisplays()),
                          reinterpret_cast<uint64_t>(main))) {
            displays.push_back(reinterpret_cast<HMONITOR>(id));
        }
    }
    docks_.Rebuild(displays);
}

}  // namespace corvane
