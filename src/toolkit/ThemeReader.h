#pragma once
// The user's app theme and accent colour from the registry, with Windows'
// accessibility preferences applied.

#include "toolkit/Theme.h"

namespace corvane {

// Missing values give the dark theme and the default accent.
[[nodiscard]] Theme ReadTheme() noexcept;

}  // namespace corvane
