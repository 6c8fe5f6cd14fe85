#pragma once
// The bar's side of the tray strip: the items it contributes to the layout,
// and what each mouse move and release of a pressed icon means for the bar.
// The rules of the strip itself (which icons, which order) are the tray's.

#include "bar/BarItem.h"
#include "base/Geometry.h"
#include "tray/TrayIcon.h"
#include "tray/TrayStrip.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Which hosted icon a bar item stands for; the item's index changes with
// every layout, the pair does not.
struct TrayIconKey {
    uint64_t ownerWindow = 0;
    uint32_t id = 0;
    bool operator==(const TrayIconKey&) const = default;
};

// The icon of a tray item; none for other kinds.
[[nodiscard]] std::optional<TrayIconKey> TrayKeyOf(const BarItem& item) noexcept;

struct BarTrayStrip {
    // Handed to the host (in screen pixels) as where the icons stand; with
    // no icon shown it is an empty rectangle at the strip's right edge, so
    // that programs asking still get a place on the bar.
    PointRect notifyRect;
    float nextRight = 0;  // where the item left of the strip ends
};

// Lays the strip out and appends one TrayIconItem per slot.
BarTrayStrip AppendTrayStrip(const std::vector<TrayIcon>& icons,
                             const std::vector<std::wstring>& order,
                             const std::vector<std::wstring>& hidden,
                             std::wstring_view draggedBelow, float rightEdge, float height,
                             std::vector<BarItem>& items);

// The program whose icons are held below the bar and so leave the strip;
// empty otherwise. Points into `drag`.
[[nodiscard]] std::wstring_view TrayDraggedBelow(const TrayDrag& drag) noexcept;

struct TrayDragMove {
    bool started = false;       // the press became a drag: capture, end the hover
    bool stripChanged = false;  // the strip must be laid out again
    std::optional<std::vector<std::wstring>> order;  // the new tray order
};

// One mouse move (client pixels) while a tray icon is pressed or dragged.
// `programs` gives the strip as it stands; it is asked only when the move
// may reorder.
[[nodiscard]] TrayDragMove MoveTrayDrag(
    TrayDrag& drag, int32_t x, int32_t y, int32_t clientBottom, uint32_t dpi,
    const std::function<std::vector<TrayStripProgram>()>& programs,
    const std::vector<std::wstring>& order);

struct TrayRelease {
    uint32_t clickMessage = 0;  // deliver this press, then a left button up; 0: none
    bool finishDrag = false;
    std::wstring hideExeName;  // with finishDrag: the program dropped below the bar
};

// The left button came up; the drag state is reset whatever it was.
[[nodiscard]] TrayRelease ReleaseTrayDrag(TrayDrag& drag);

}  // namespace corvane
