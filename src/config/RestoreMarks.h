#pragma once
// What a running Corvane changed in Explorer and must give back, kept per
// user (HKEY_CURRENT_USER\Software\Corvane) so that whichever process puts
// it back, the run itself, its crash handlers or its guard, restores this
// account's values and no other's.

#include "config/Settings.h"

#include <cstdint>
#include <optional>

namespace corvane {

enum class RestoreMark {
    TaskbarHidden,
    // Auto-hide was off and was switched on.
    Autohide,
    // The user's own "TaskbarAl" before Start was centred.
    TaskbarAlignment,
    DesktopIconsHidden,
};

// The mark's value; nothing when it is absent or not a number.
[[nodiscard]] std::optional<int32_t> ReadRestoreMark(RestoreMark mark) noexcept;
bool WriteRestoreMark(RestoreMark mark, int32_t value) noexcept;
// True when the mark is gone, also when it never was there.
bool ClearRestoreMark(RestoreMark mark) noexcept;

// Earlier versions kept the auto-hide and alignment marks in the settings
// file: moved into the user's marks once, unless a mark there is already set.
void AdoptSettingsFileMarks(const Settings& settings) noexcept;

}  // namespace corvane
