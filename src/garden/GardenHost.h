#pragma once
// What the garden asks of the process that owns it: the icons of desktop
// entries, loaded by the catalog's icon cache.

#include "base/Worker.h"
#include "config/Settings.h"
#include "identity/AppEntry.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/HostServices.h"
#include "toolkit/SystemEvents.h"
#include "toolkit/Theme.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>

namespace corvane {

class GardenHost {
public:
    virtual ~GardenHost() = default;
    // The entry's icon at `px` pixels once loaded; until then null, the load
    // is asked for and the garden is told to repaint when icons arrive.
    [[nodiscard]] virtual IWICBitmapSource* GardenIcon(const AppEntry& entry, uint32_t px) = 0;
    // A save of garden.ini failed again after its retries; the last error is
    // the reason.
    virtual void GardenNotSaved(const std::wstring& path) = 0;
};

struct GardenContext {
    HINSTANCE instance = nullptr;
    const Settings& settings;
    const Theme& theme;
    const GraphicsFactories& graphics;
    Worker& worker;
    // The bed menu's settings entry opens the CorGarden page.
    SurfaceOpener& open;
    GardenHost& host;
    // Explorer's icon list shown again.
    SystemEvents& events;
};

}  // namespace corvane
