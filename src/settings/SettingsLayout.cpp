#include "settings/SettingsLayout.h"

#include "settings/SettingsRules.h"

#include <algorithm>
#include <utility>

namespace corvane {

namespace {

constexpr float kEntryLeft = 8;
constexpr float kEntryRight = 240;
constexpr float kEntryTop = 56;
constexpr float kEntryHeight = 36;
constexpr float kEntryGap = 4;
constexpr float kEntriesBottomInset = 8;

constexpr float kRowsTop = 70;
constexpr float kRowsLeft = 256;
constexpr float kRowsRightMargin = 28;
// Room below the last row, so that scrolled to the end it does not sit on
// the window's edge.
constexpr float kRowsBottomMargin = 24;
constexpr float kHeaderHeight = 40;
constexpr float kEmptyHeaderHeight = 16;
constexpr float kRowHeight = 52;
constexpr float kRowWithDescriptionHeight = 66;

constexpr float kControlInset = 16;
constexpr float kToggleWidth = 40;
constexpr float kToggleHeight = 20;
constexpr float kTrackWidth = 200;
constexpr float kTrackHeight = 24;
constexpr float kTrackSlack = 4;
constexpr float kBoxHeight = 32;
constexpr float kChoicePadding = 48;
constexpr float kChoiceMinWidth = 160;
constexpr float kChoiceMaxWidth = 340;
constexpr float kButtonPadding = 40;
constexpr float kButtonMinWidth = 96;

// The texts inside a row: 16 in from its left, 12 before the control, and a
// slider's number in the 90 DIPs before its track.
constexpr float kTextInset = 16;
constexpr float kTextGap = 12;
constexpr float kValueWidth = 90;
constexpr float kValueGap = 8;
constexpr float kLabelPadding = 10;
// A text row's label takes the left 45 % and its value the rest.
constexpr float kTextRowLabelShare = 0.45f;
// A header's title sits on the row's bottom, 24 high.
constexpr float kHeaderTitleHeight = 24;
constexpr float kHeaderTitleLift = 6;
constexpr float kHeaderTitleIndent = 4;
constexpr float kMaxTextScale = 2.25f;  // Windows' largest text size

constexpr float kTitleLeft = 46;
constexpr float kTitleTop = 12;
constexpr float kTitleBottom = 36;
constexpr float kGlyphLeft = 12;
constexpr float kGlyphRight = 36;
constexpr float kNameLeft = 46;
constexpr float kNameRightInset = 8;
constexpr float kMarkWidth = 3;
constexpr float kMarkHalfHeight = 8;

constexpr float kChevronWidth = 24;
constexpr float kChevronRightInset = 8;
constexpr float kOptionLeftInset = 12;
constexpr float kKnobInset = 4;
constexpr float kSliderKnobRadius = 7;
constexpr float kSliderLine = 4;

constexpr float kWheelNotch = 120;
constexpr float kDipsPerNotch = 48;

constexpr int32_t kWindowWidth = 920;
constexpr int32_t kWindowHeight = 660;

[[nodiscard]] float RowHeight(const SettingsRow& row, float scale) noexcept {
    if (row.kind == RowKind::Header) {
        return row.label.empty() ? kEmptyHeaderHeight : kHeaderHeight * scale;
    }
    return (row.description.empty() ? kRowHeight : kRowWithDescriptionHeight) * scale;
}

[[nodiscard]] float Measure(const TextWidth& textWidth, const std::wstring& text) {
    return textWidth ? textWidth(text) : 0.0f;
}

// Width and height of the row's control; zero for rows without one.
[[nodiscard]] std::pair<float, float> ControlSize(const SettingsRow& row,
                                                  const TextWidth& textWidth) {
    switch (row.kind) {
        case RowKind::Toggle:
            return {kToggleWidth, kToggleHeight};
        case RowKind::Slider:
            return {kTrackWidth, kTrackHeight};
        case RowKind::Choice: {
            float widest = 0;
            for (const auto& option : row.options) {
                widest = std::max(widest, Measure(textWidth, option));
            }
            return {std::clamp(widest + kChoicePadding, kChoiceMinWidth, kChoiceMaxWidth),
                    kBoxHeight};
        }
        case RowKind::Button:
            return {std::max(Measure(textWidth, row.buttonText) + kButtonPadding, kButtonMinWidth),
                    kBoxHeight};
        case RowKind::Header:
        case RowKind::Text:
            break;
    }
    return {0.0f, 0.0f};
}

// Where the row's texts stand, once its control has its place.
void PlaceTexts(const SettingsRow& row, float scale, RowBox& box) noexcept {
    const PointRect& r = box.row;
    if (row.kind == RowKind::Header) {
        if (row.label.empty()) {
            return;
        }
        box.label = {r.left + kHeaderTitleIndent,
                     r.bottom - kHeaderTitleHeight * scale - kHeaderTitleLift, r.right,
                     r.bottom - kHeaderTitleLift};
        return;
    }
    const PointRect& c = box.control;
    float textRight = c.right > c.left ? c.left - kTextGap : r.right - kTextInset;
    if (row.kind == RowKind::Slider) {
        box.value = {c.left - kValueWidth, c.top, c.left - kValueGap, c.bottom};
        textRight -= kValueWidth;
    } else if (row.kind == RowKind::Text) {
        textRight = r.left + (r.right - r.left) * kTextRowLabelShare;
        box.value = {textRight + kTextGap, r.top, r.right - kTextInset, r.bottom};
    }
    const float left = r.left + kTextInset;
    if (row.description.empty()) {
        box.label = {left, r.top, textRight, r.bottom};
        return;
    }
    // Two lines meeting just below the middle, the label the taller.
    const float middle = (r.top + r.bottom) / 2 + 2;
    box.label = {left, r.top + kLabelPadding, textRight, middle};
    box.description = {left, middle, textRight, r.bottom - kLabelPadding};
}

[[nodiscard]] PointRect Moved(const PointRect& r, float dy) noexcept {
    return {r.left, r.top + dy, r.right, r.bottom + dy};
}

float SidebarScale(const SidebarSize& size) noexcept {
    return size.textScale > 1.0f ? std::min(size.textScale, kMaxTextScale) : 1.0f;
}

}  // namespace

std::vector<RowBox> LayoutRows(const std::vector<SettingsRow>& rows, float clientWidth,
                               const TextWidth& textWidth, float textScale) {
    // Not-a-number and anything below 1 count as 1.
    const float scale = textScale > 1.0f ? std::min(textScale, kMaxTextScale) : 1.0f;
    std::vector<RowBox> boxes;
    boxes.reserve(rows.size());
    const float right = std::max(kRowsLeft, clientWidth - kRowsRightMargin);
    float y = kRowsTop;
    for (const auto& row : rows) {
        RowBox box;
        const float height = RowHeight(row, scale);
        box.row = {kRowsLeft, y, right, y + height};
        const auto [width, controlHeight] = ControlSize(row, textWidth);
        if (width > 0) {
            const float controlRight = right - kControlInset;
            const float top = y + (height - controlHeight) / 2;
            box.control = {controlRight - width, top, controlRight, top + controlHeight};
        }
        PlaceTexts(row, scale, box);
        boxes.push_back(box);
        y += height;
    }
    return boxes;
}

float ContentHeight(const std::vector<RowBox>& boxes) noexcept {
    return boxes.empty() ? 0.0f : boxes.back().row.bottom + kRowsBottomMargin;
}

float ClampScroll(float scroll, float contentHeight, float viewHeight) noexcept {
    return std::clamp(scroll, 0.0f, std::max(contentHeight - viewHeight, 0.0f));
}

float WheelScroll(float scroll, int32_t wheelDelta, float contentHeight,
                  float viewHeight) noexcept {
    // Fractions of a notch (precision touchpads) scroll by their share.
    const float moved = static_cast<float>(wheelDelta) / -kWheelNotch * kDipsPerNotch;
    return ClampScroll(scroll + moved, contentHeight, viewHeight);
}

PointRect SidebarEntryRect(int32_t page, const SidebarSize& size) noexcept {
    if (page < 0 || page >= kSettingsPageCount) {
        return {};
    }
    const float scale = SidebarScale(size);
    // Below the title, which deepens with its text.
    const float entriesTop = kEntryTop + (kTitleBottom - kTitleTop) * (scale - 1);
    float height = kEntryHeight * scale;
    if (size.clientHeight > 0) {
        const float fits = (size.clientHeight - entriesTop - kEntriesBottomInset) /
                               static_cast<float>(kSettingsPageCount) -
                           kEntryGap;
        height = std::max(kEntryHeight, std::min(height, fits));
    }
    const float top = entriesTop + (height + kEntryGap) * static_cast<float>(page);
    return {kEntryLeft, top, kEntryRight, top + height};
}

PointRect SidebarTitleRect(const SidebarSize& size) noexcept {
    return {kTitleLeft, kTitleTop, kSidebarWidth,
            kTitleTop + (kTitleBottom - kTitleTop) * SidebarScale(size)};
}

SidebarEntryParts LayoutSidebarEntry(int32_t page, const SidebarSize& size) noexcept {
    const PointRect r = SidebarEntryRect(page, size);
    const float middle = (r.top + r.bottom) / 2;
    return {{r.left + kGlyphLeft, r.top, r.left + kGlyphRight, r.bottom},
            {r.left + kNameLeft, r.top, r.right - kNameRightInset, r.bottom},
            {r.left, middle - kMarkHalfHeight, r.left + kMarkWidth, middle + kMarkHalfHeight}};
}

RowBox Scrolled(const RowBox& box, float scroll) noexcept {
    return {Moved(box.row, -scroll), Moved(box.control, -scroll), Moved(box.label, -scroll),
            Moved(box.description, -scroll), Moved(box.value, -scroll)};
}

ChoiceParts LayoutChoice(const PointRect& box) noexcept {
    const float chevronRight = box.right - kChevronRightInset;
    const float chevronLeft = chevronRight - kChevronWidth;
    return {{box.left + kOptionLeftInset, box.top, chevronLeft, box.bottom},
            {chevronLeft, box.top, chevronRight, box.bottom}};
}

Knob ToggleKnob(const PointRect& toggle, bool on) noexcept {
    const float radius = (toggle.bottom - toggle.top) / 2;
    return {on ? toggle.right - radius : toggle.left + radius, (toggle.top + toggle.bottom) / 2,
            radius - kKnobInset};
}

SliderParts LayoutSlider(const PointRect& track, float fraction) noexcept {
    const float left = track.left + kSliderEndInset;
    const float right = track.right - kSliderEndInset;
    const float middle = (track.top + track.bottom) / 2;
    const float half = kSliderLine / 2;
    const float knobX = left + (right - left) * std::clamp(fraction, 0.0f, 1.0f);
    return {{left, middle - half, right, middle + half},
            {left, middle - half, knobX, middle + half},
            {knobX, middle, kSliderKnobRadius}};
}

int32_t SidebarEntryAt(float x, float y, const SidebarSize& size) noexcept {
    for (int32_t page = 0; page < kSettingsPageCount; ++page) {
        if (Contains(SidebarEntryRect(page, size), x, y)) {
            return page;
        }
    }
    return -1;
}

int32_t RowAt(const std::vector<SettingsRow>& rows, const std::vector<RowBox>& boxes, float x,
              float y, float scroll) noexcept {
    if (x < kSidebarWidth) {
        return -1;
    }
    const std::size_t count = std::min(rows.size(), boxes.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (IsInteractive(rows[i]) && Contains(boxes[i].row, x, y + scroll)) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

bool OnSliderTrack(const RowBox& box, float x, float y, float scroll) noexcept {
    const PointRect& track = box.control;
    if (track.right <= track.left) {
        return false;
    }
    const float contentY = y + scroll;
    return x >= track.left - kTrackSlack && x <= track.right + kTrackSlack &&
           contentY >= track.top && contentY <= track.bottom;
}

int32_t NextInteractiveRow(const std::vector<SettingsRow>& rows, int32_t current,
                           int32_t step) noexcept {
    const auto count = static_cast<int32_t>(rows.size());
    const int32_t direction = step < 0 ? -1 : 1;
    int32_t index = current;
    if (index < 0 || index >= count) {
        // One step before the first (or after the last) row.
        index = direction > 0 ? count - 1 : 0;
    }
    for (int32_t tried = 0; tried < count; ++tried) {
        index = (index + direction + count) % count;
        if (IsInteractive(rows[static_cast<std::size_t>(index)])) {
            return index;
        }
    }
    return -1;
}

float ScrollToShow(const RowBox& box, float scroll, float viewHeight) noexcept {
    if (box.row.top < scroll) {
        return box.row.top;
    }
    if (box.row.bottom > scroll + viewHeight) {
        // A row taller than the view shows its top, where its label is.
        return std::min(box.row.bottom - viewHeight, box.row.top);
    }
    return scroll;
}

PixelRect SettingsWindowRect(const PixelRect& workArea, uint32_t dpi) noexcept {
    const uint32_t effectiveDpi = dpi == 0 ? 96 : dpi;
    const int32_t areaWidth = std::max(workArea.Width(), 0);
    const int32_t areaHeight = std::max(workArea.Height(), 0);
    const int32_t width = std::min(ScalePoints(kWindowWidth, effectiveDpi), areaWidth);
    const int32_t height = std::min(ScalePoints(kWindowHeight, effectiveDpi), areaHeight);
    const int32_t left = workArea.left + (areaWidth - width) / 2;
    const int32_t top = workArea.top + (areaHeight - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace corvane
