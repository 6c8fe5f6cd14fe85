#pragma once
// Asks every keyboard layout the user has installed what a chord types.

#include "toolkit/ShortcutTyping.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// Each installed layout's translation of `virtualKey` with the chord's Ctrl,
// Alt and Shift held; the keyboard state of the calling thread is left as it
// was. Empty when the system lists no layout.
[[nodiscard]] std::vector<LayoutAnswer> AskInstalledLayouts(uint32_t modifiers,
                                                            uint32_t virtualKey);

// What the chord types in one of the installed layouts; empty when none
// types with it.
[[nodiscard]] std::wstring TypedByInstalledLayouts(uint32_t modifiers, uint32_t virtualKey);

}  // namespace corvane
