#pragma once
// Every dock of the process, one per display [Dock] Monitor names: made and
// given back together, and what concerns all of them at once (the pinned
// list, hiding the taskbar).

#include "base/Worker.h"
#include "config/Settings.h"
#include "dock/DockHost.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/HostServices.h"
#include "toolkit/NowPlayingWidget.h"
#include "toolkit/SystemEvents.h"
#include "toolkit/Theme.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Dock;

// Owned by the process and outliving the set.
struct DockSetContext {
    const HINSTANCE& instance;
    Settings& settings;
    const Theme& theme;
    const GraphicsFactories& graphics;
    NowPlayingWidgets& nowPlaying;
    Worker& worker;
    SurfaceOpener& open;
    SettingWrites& writes;
    SystemEvents& events;
    // The program a pin starts, as the app catalog lists it (DockHost).
    std::function<std::wstring(std::wstring_view target)> pinProgramPath;
};

class DockSet final : public DockHost, public DockPins {
public:
    explicit DockSet(DockSetContext context);
    ~DockSet() override;
    DockSet(const DockSet&) = delete;
    DockSet& operator=(const DockSet&) = delete;

    // The docks are made anew on these displays, the first the main dock's
    // (none while [Dock] Enabled is off); the old ones go first, without
    // showing the taskbar in between.
    void Rebuild(std::span<const HMONITOR> displays);
    // Each dock gives back what it changed: the taskbar, its reserved band.
    void Clear() noexcept;

    [[nodiscard]] bool Empty() const noexcept { return docks_.empty(); }
    [[nodiscard]] auto begin() const noexcept { return docks_.begin(); }
    [[nodiscard]] auto end() const noexcept { return docks_.end(); }
    // The dock standing on `display`, or null.
    [[nodiscard]] Dock* On(HMONITOR display) const noexcept;
    [[nodiscard]] std::optional<int32_t> DockTop(HMONITOR display) const noexcept;
    [[nodiscard]] bool HidesTaskbar() const noexcept;

    // DockHost
    void SetHideTaskbar(bool hide) override;
    [[nodiscard]] std::wstring PinProgramPath(std::wstring_view target) override;
    // DockPins
    void SaveDockPinned(std::vector<std::wstring> pinned, const Dock* shownBy) override;

private:
    DockSetContext context_;
    bool appBarPlacing_ = false;
    const DockContext dockContext_;
    std::vector<std::unique_ptr<Dock>> docks_;
};

}  // namespace corvane
