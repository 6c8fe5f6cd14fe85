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

class BedWindow;
class ItemMenu;

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
    // The bed window that is the top-level window `root`, or null for the
    // desktop and every other program's window.
    [[nodiscard]] virtual BedWindow* BedWindowOf(HWND root) = 0;
    virtual void RepaintBeds() = 0;
};

// The one item drag of the process, shared by every bed. Only ids and indices:
// a rescan may reallocate the beds and items while the pointer is down.
struct GardenDrag {
    bool active = false;
    std::size_t source = 0;
    std::wstring id;
    // The bed under the pointer that would take the item, or -1.
    std::ptrdiff_t target = -1;
    int32_t index = -1;
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
    // The open Explorer menu of an item, whose submenus a bed serves.
    ItemMenu& itemMenu;
    GardenDrag drag{};
    // Changes whenever the items or any bed's list of ids change, so that
    // windows know when what they show must be worked out again.
    uint64_t itemsStamp = 0;
};

}  // namespace corvane
