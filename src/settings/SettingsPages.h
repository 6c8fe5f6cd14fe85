#pragma once
// The nine pages of the settings window: their sidebar entries and the rows
// each page shows, bound to the settings they edit.

#include "config/TextId.h"
#include "settings/SettingsHost.h"
#include "settings/SettingsRow.h"
#include "toolkit/SettingsPageIds.h"

#include <cstdint>
#include <vector>

namespace corvane {

struct SettingsPage {
    wchar_t glyph;  // in the icon font
    TextId name;
};
[[nodiscard]] const SettingsPage& PageInfo(int32_t page) noexcept;

// The rows of `page` in the current language (out of range: page 0).
[[nodiscard]] std::vector<SettingsRow> BuildRows(int32_t page, PageContext& context);

// The window's title in the current language.
[[nodiscard]] const wchar_t* SettingsWindowTitle() noexcept;

}  // namespace corvane
