#pragma once
// The grammar of menus.txt: "[a.exe, b.exe]" section headers, menu titles
// on lines without indentation, and indented items "Name = Shortcut",
// "Name = run:target" or "-".

#include "appmenus/AppMenu.h"
#include "appmenus/MenuProfileTable.h"

#include <optional>
#include <string_view>

namespace corvane {

// Parses a whole file text. Lines that do not fit the grammar are skipped;
// the rest is still read.
[[nodiscard]] MenuProfileTable ParseAppMenus(std::wstring_view text);

// One item from its trimmed line: a separator, a run item, or a shortcut
// whose chords are all valid. Nothing for anything else.
[[nodiscard]] std::optional<AppMenuItem> ParseMenuItem(std::wstring_view trimmedLine);

}  // namespace corvane
