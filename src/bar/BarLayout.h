#pragma once
// The top bar's content, laid out whenever what it shows changes: the application
// name and its menu titles on the left; the clock, Now Playing, status, tiling
// button and tray icons from the right edge inwards; and the glass islands of
// the islands and separated styles. Text is measured through BarTextMeasurer,
// which the window side implements with DirectWrite.

#include "bar/BarGeometry.h"
#include "bar/BarItem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane {

// Where things stand inside their items, in points from the item's left edge;
// layout sizes the items from them and painting draws at them.
inline constexpr float kAppIconLeft = 8;
inline constexpr float kAppIconSize = 16;
inline constexpr float kAppNameTextLeft = kAppIconLeft + kAppIconSize + 7;
inline constexpr float kMenuTitleTextLeft = 9;
inline constexpr float kClockTextLeft = 10;
inline constexpr float kNowPlayingTextLeft = 33;  // after the artwork

// Each measured text is one text layout the bar keeps for painting.
enum class BarTextRole : int32_t {
    Clock = 0,       // regular format
    NowPlaying = 1,  // regular format, ellipsis trimming by character, no wrapping
    AppName = 2,     // bold format
    MenuTitle = 3,   // regular format; one per menu index
};

struct BarTextRequest {
    BarTextRole role = BarTextRole::Clock;
    int32_t menuIndex = -1;  // menu titles only
    std::wstring_view text;
    float maxWidth = 0;   // points
    float maxHeight = 0;  // points
};

struct BarTextMetrics {
    float width = 0;  // without trailing white space
    float widthIncludingTrailingWhitespace = 0;
};

class BarTextMeasurer {
public:
    virtual ~BarTextMeasurer() = default;
    // Makes the text layout the request describes and keeps it in place of the
    // one kept for the same role (and menu index). nullopt when no layout could
    // be made; the bar then lays out as if the text were empty.
    virtual std::optional<BarTextMetrics> Measure(const BarTextRequest& request) = 0;
    // The menu title measured last did not fit and is not shown: its layout
    // must not be kept. No later title is measured in the same pass, so the
    // kept titles are always menus 0 .. menuIndex - 1. The caller starts each
    // pass with no title layouts kept.
    virtual void DiscardMenuTitle(int32_t menuIndex) = 0;
};

// Appends one TrayIconItem per shown icon, right-aligned at rightEdge, and
// returns the right edge of whatever comes next to the strip's left.
using TrayStripBuilder = std::function<float(float rightEdge, std::vector<BarItem>& items)>;

// Everything a layout depends on. The views must outlive the LayoutBar call.
struct BarLayoutInput {
    float width = 0;   // client width, points
    float height = 0;  // client height, points
    BarStyle style = BarStyle::Classic;
    bool isMainBar = true;  // only the main bar shows tray icons and Now Playing
    std::wstring_view clockText;
    bool hasBattery = false;
    bool tilingButton = true;  // [Tiling] Button
    bool trayEnabled = true;   // [Tray] Enabled
    bool trayHostPresent = false;
    TrayStripBuilder buildTrayStrip;
    bool nowPlayingShown = false;        // the media source's ShowInBar
    bool nowPlayingNextToClock = false;  // the media source's BarNextToClock
    std::wstring_view nowPlayingText;
    std::wstring_view appDisplayName;  // empty: no name and no menus
    std::vector<std::wstring_view> menuTitles;
};

struct BarLayoutResult {
    std::vector<BarItem> items;
    std::vector<PointRect> islands;
    // Menus 0 .. placedMenuTitles - 1 got a title item; the rest did not fit.
    int32_t placedMenuTitles = 0;
};

[[nodiscard]] BarLayoutResult LayoutBar(const BarLayoutInput& input, BarTextMeasurer& measurer);
// The same into an existing result, reusing its storage from paint to paint.
void LayoutBar(const BarLayoutInput& input, BarTextMeasurer& measurer, BarLayoutResult& result);

// Index of the first item under the client point (pixels at dpi), or -1. The
// area below an item reaches 4 points past its bottom and up to the window's
// top edge, so the screen's top edge still hits.
[[nodiscard]] int HitTestBar(const std::vector<BarItem>& items, float xPx, float yPx,
                             uint32_t dpi) noexcept;

}  // namespace corvane
