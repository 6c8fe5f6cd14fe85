#pragma once
// What a bed window needs from the garden that owns it: the shared data, the
// icons, saving, and the commands that reach beyond one bed.

#include "config/Settings.h"
#include "garden/GardenModel.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/Theme.h"

#include <windows.h>
#include <wincodec.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class BedHost {
public:
    virtual ~BedHost() = default;

    // The item's icon at `px` pixels when it is loaded, else null (the host
    // repaints the beds once it arrives).
    virtual IWICBitmapSource* ItemIcon(const GardenItem& item, int32_t px) = 0;
    virtual void SaveSoon() = 0;
    // The screen rectangles of every bed but `bed`, for snapping.
    [[nodiscard]] virtual std::vector<PixelRect> OtherBedRects(std::size_t bed) = 0;
    // `bed` took the selection: every other bed drops its own.
    virtual void SelectionChanged(std::size_t bed) = 0;
    virtual void OpenItem(const std::wstring& id) = 0;
    virtual void ItemMenu(std::size_t bed, const std::wstring& id, POINT screen) = 0;
    virtual void BedMenu(std::size_t bed, POINT screen) = 0;
};

// Everything here is owned by the garden and outlives its bed windows.
struct BedContext {
    HINSTANCE instance = nullptr;
    const Settings& settings;
    const Theme& theme;
    const GraphicsFactories& graphics;
    const GardenItems& items;
    std::vector<Bed>& beds;
    BedHost& host;
};

}  // namespace corvane
