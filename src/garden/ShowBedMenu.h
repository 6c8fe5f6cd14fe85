#pragma once
// The bed menu on screen and the name order of "Sort by name".

#include "garden/BedMenu.h"
#include "garden/GardenModel.h"

#include <windows.h>

#include <string_view>

namespace corvane {

// Shows the entries of `bed` at the screen point and returns the chosen
// command. The bed window is brought to the foreground first so that a click
// elsewhere closes the menu and keys reach it.
[[nodiscard]] BedCommand ShowBedMenu(HWND bedWindow, const Bed& bed, bool roomForBed,
                                     POINT screen) noexcept;

// Names as the user's locale orders them, case ignored and digit runs compared
// as numbers, so that "Bed 2" comes before "Bed 10".
[[nodiscard]] int CompareItemNames(std::wstring_view a, std::wstring_view b) noexcept;
[[nodiscard]] NameCompare UserNameCompare();

}  // namespace corvane
