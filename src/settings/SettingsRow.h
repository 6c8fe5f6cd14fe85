#pragma once
// One row of a settings page: a header, a toggle, a slider, a choice, a button
// or a line of text, bound to its setting through callables that own what
// they need. Rows are built again whenever the page or a setting changes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

enum class RowKind : int32_t {
    Header = 0,
    Toggle = 1,
    Slider = 2,
    Choice = 3,
    Button = 4,
    Text = 5
};

struct SettingsRow {
    RowKind kind = RowKind::Header;
    std::wstring label;
    std::wstring description;
    // Choice: the entries shown, in order; `values` (same length) what each
    // stores, or empty when the option's index is its value.
    std::vector<std::wstring> options;
    std::vector<int32_t> values;
    // Slider range and step; the stored value may lie outside the range
    // (the file allows more than the slider shows).
    int32_t min = 0;
    int32_t max = 100;
    int32_t step = 1;
    std::wstring unit;  // " px", " %"
    std::function<bool()> getBool;
    std::function<void(bool)> setBool;
    std::function<int32_t()> getInt;  // slider value, or the choice's stored value
    std::function<void(int32_t)> setInt;
    std::function<void()> action;
    std::wstring buttonText;
    std::wstring value;    // text rows: the right-hand text
    bool warning = false;  // the description tells of something not working
};

// Whether the row answers the pointer and the keyboard (headers and text
// rows do not).
[[nodiscard]] inline bool IsInteractive(const SettingsRow& row) noexcept {
    return row.kind != RowKind::Header && row.kind != RowKind::Text;
}

// The value a choice row stores for option `index`.
[[nodiscard]] inline int32_t ChoiceOptionValue(const SettingsRow& row, std::size_t index) noexcept {
    return index < row.values.size() ? row.values[index] : static_cast<int32_t>(index);
}

// The option shown as current, or -1 when the stored value is none of them.
[[nodiscard]] inline int32_t CurrentChoiceOption(const SettingsRow& row) {
    const int32_t stored = row.getInt ? row.getInt() : 0;
    for (std::size_t i = 0; i < row.options.size(); ++i) {
        if (ChoiceOptionValue(row, i) == stored) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

}  // namespace corvane
