#pragma once
// Where everything of the settings window stands, in DIPs: the sidebar, the
// rows and their controls, what the pointer is over, how far the list
// scrolls, which row the keyboard moves to, and where the window opens.

#include "base/Geometry.h"
#include "settings/SettingsRow.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane {

inline constexpr int32_t kSettingsPageCount = 9;
inline constexpr float kSidebarWidth = 248;

// Everything of a row, before scrolling; empty where the row has no such part.
struct RowBox {
    PointRect row;
    PointRect control;  // toggle, slider track, choice box or button
    PointRect label;    // a header's title, or the label beside the control
    PointRect description;
    PointRect value;  // the slider's number, or a text row's right-hand text
};
// The same parts moved up by the list's scroll.
[[nodiscard]] RowBox Scrolled(const RowBox& box, float scroll) noexcept;

// `textWidth` measures a text in the control font (DIPs), for the choice
// boxes and the buttons. Rows and headers grow with Windows' text size
// (`textScale`, from 1), so that their larger lines are not cut.
using TextWidth = std::function<float(const std::wstring&)>;
[[nodiscard]] std::vector<RowBox> LayoutRows(const std::vector<SettingsRow>& rows,
                                             float clientWidth, const TextWidth& textWidth,
                                             float textScale = 1.0f);
[[nodiscard]] float ContentHeight(const std::vector<RowBox>& boxes) noexcept;
[[nodiscard]] float ClampScroll(float scroll, float contentHeight, float viewHeight) noexcept;
// The wheel: 48 DIPs a notch.
[[nodiscard]] float WheelScroll(float scroll, int32_t wheelDelta, float contentHeight,
                                float viewHeight) noexcept;

// What the sidebar's entries are sized by: Windows' text size deepens them,
// and a client too short for all of them grown squeezes them back, never
// below their size at text scale 1.
struct SidebarSize {
    float textScale = 1.0f;
    float clientHeight = 0;  // DIPs; 0 sets no limit
};

// The sidebar entry at the point, or -1.
[[nodiscard]] int32_t SidebarEntryAt(float x, float y, const SidebarSize& size = {}) noexcept;
[[nodiscard]] PointRect SidebarEntryRect(int32_t page, const SidebarSize& size = {}) noexcept;
// The sidebar's parts: the window's name above the entries, and in each
// entry the page's glyph, its name and the mark beside the current page.
[[nodiscard]] PointRect SidebarTitleRect(const SidebarSize& size = {}) noexcept;
struct SidebarEntryParts {
    PointRect glyph;
    PointRect name;
    PointRect mark;
};
[[nodiscard]] SidebarEntryParts LayoutSidebarEntry(int32_t page,
                                                   const SidebarSize& size = {}) noexcept;

// Inside a choice box: the current option and the chevron.
struct ChoiceParts {
    PointRect option;
    PointRect chevron;
};
[[nodiscard]] ChoiceParts LayoutChoice(const PointRect& box) noexcept;
struct Knob {
    float x;
    float y;
    float radius;
};
// The toggle's knob, at the right end when on.
[[nodiscard]] Knob ToggleKnob(const PointRect& toggle, bool on) noexcept;
// The slider's line and its knob at `fraction` (0..1) of it; the line's ends
// are where SliderValueAt reads the extremes.
struct SliderParts {
    PointRect line;
    PointRect filled;  // from the line's start to the knob
    Knob knob;
};
[[nodiscard]] SliderParts LayoutSlider(const PointRect& track, float fraction) noexcept;
// The interactive row at the point (y in view coordinates, the scroll
// added here), or -1.
[[nodiscard]] int32_t RowAt(const std::vector<SettingsRow>& rows, const std::vector<RowBox>& boxes,
                            float x, float y, float scroll) noexcept;
// Whether the point is on the slider's track, 4 DIPs of slack on each side.
[[nodiscard]] bool OnSliderTrack(const RowBox& box, float x, float y, float scroll) noexcept;

// The next interactive row from `current` going `step` (+1 / -1), wrapping;
// -1 when the page has none. From -1 it starts at the first (or last).
[[nodiscard]] int32_t NextInteractiveRow(const std::vector<SettingsRow>& rows, int32_t current,
                                         int32_t step) noexcept;
// The scroll that brings the row fully into view, or `scroll` when it is.
[[nodiscard]] float ScrollToShow(const RowBox& box, float scroll, float viewHeight) noexcept;

// The window's outer rectangle in pixels: 920 x 660 DIPs at `dpi`, centred
// in the work area, never larger than it and never above its top, so that
// the title bar stays reachable.
[[nodiscard]] PixelRect SettingsWindowRect(const PixelRect& workArea, uint32_t dpi) noexcept;

}  // namespace corvane
