#pragma once
// The tray icons as the bar shows them: which are shown, in which order, where
// each slot lies, and how dragging reorders programs or hides them.

#include "base/Geometry.h"
#include "toolkit/PointerGesture.h"
#include "tray/TrayIcon.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr float kTraySlotWidth = 26;  // points
inline constexpr float kTrayStripInset = 3;  // above and below the slots
inline constexpr float kTrayStripGap = 6;    // to whatever stands left of the strip
inline constexpr int kTrayHideBelowPoints = 24;

// `hidden` is the [Tray] Hidden list (lower case).
[[nodiscard]] bool IsTrayIconShown(const TrayIcon& icon, const std::vector<std::wstring>& hidden);

struct TraySlot {
    std::size_t iconIndex = 0;  // into the host's list
    PointRect rect;             // points, bar client
};

struct TrayStripLayout {
    std::vector<TraySlot> slots;  // left to right
    PointRect strip;              // all slots; empty when there are none
    float nextRight = 0;          // where the item left of the strip ends
};

// Shown icons sorted stably by their program's place in `order` (unlisted
// ones last), right-aligned at rightEdge. The icons of `draggedBelow`
// (non-empty while a dragged program is held below the bar) are left out.
[[nodiscard]] TrayStripLayout LayoutTrayStrip(const std::vector<TrayIcon>& icons,
                                              const std::vector<std::wstring>& order,
                                              const std::vector<std::wstring>& hidden,
                                              std::wstring_view draggedBelow, float rightEdge,
                                              float barHeight);

// A slot in screen pixels: scaled by dpi / 96, truncated, moved by the bar's
// client origin.
[[nodiscard]] PixelRect TraySlotOnScreen(const PointRect& slot, uint32_t dpi, int32_t originX,
                                         int32_t originY) noexcept;

// One bar's press-and-drag state for tray icons.
struct TrayDrag {
    PointerGesture press;         // targets are bar items; client pixels
    uint32_t pressedMessage = 0;  // 0x201 or 0x203
    bool dragBelow = false;
    std::wstring dragExeName;
    float dragX = 0;  // points

    [[nodiscard]] bool Active() const noexcept { return press.Pressed(); }
    [[nodiscard]] bool Dragging() const noexcept { return press.Dragging(); }
    // The left button went down on a tray item.
    void Press(int item, uint32_t message, int32_t x, int32_t y, DragThreshold threshold,
               std::wstring exeName);
    // The press is over (release or capture loss).
    void Reset() noexcept;
};

// True when the cursor (client pixels) lies more than 24 points below the
// bar's client bottom: releasing there hides the program.
[[nodiscard]] bool TrayDragIsBelow(int32_t y, int32_t clientBottom, uint32_t dpi) noexcept;

// The strip's programs as a drag sees them, left to right.
struct TrayStripProgram {
    std::wstring exeName;
    float centre = 0;  // points: the centre of the program's first slot
};
[[nodiscard]] std::vector<TrayStripProgram> TrayStripPrograms(const std::vector<TrayIcon>& icons,
                                                              const TrayStripLayout& layout);

// The Order list after the dragged program moved to the cursor at dragX, or
// nullopt when nothing changes.
[[nodiscard]] std::optional<std::vector<std::wstring>> ReorderTray(
    const std::vector<TrayStripProgram>& programs, std::wstring_view dragExeName, float dragX,
    const std::vector<std::wstring>& order);

// The Order list with the strip's programs in `strip`'s order. Entries of
// programs not in the strip now (closed, or hidden) are the user's and stay
// where they stand, exactly as written; the strip's programs take the places
// its listed ones held, and those it did not list follow at the end.
[[nodiscard]] std::vector<std::wstring> MergeTrayOrder(const std::vector<std::wstring>& order,
                                                       const std::vector<std::wstring>& strip);

// Hidden list after a drop below the bar: the program appended unless it is
// already there or empty.
[[nodiscard]] std::vector<std::wstring> HideTrayProgram(std::vector<std::wstring> hidden,
                                                        std::wstring_view exeName);
// Hidden list after unhiding `name` (any case); an empty name empties it.
[[nodiscard]] std::vector<std::wstring> UnhideTrayEntry(std::vector<std::wstring> hidden,
                                                        std::wstring_view name);

}  // namespace corvane
