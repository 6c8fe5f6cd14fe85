#pragma once
// The names of the hot-corner actions, shared by the corner watcher and the
// settings window's choice lists.

#include <cstdint>

namespace corvane {

// The action's name in the UI language; values it does not know are shown as
// doing nothing, as they do.
[[nodiscard]] const wchar_t* HotCornerActionName(int32_t action) noexcept;

}  // namespace corvane
