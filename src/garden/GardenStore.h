#pragma once
// garden.ini beside the executable, through the profile functions.

#include "garden/GardenModel.h"

#include <string>
#include <vector>

namespace corvane {

[[nodiscard]] std::wstring GardenFilePath();

// The beds stored in the file (none when there is no file yet), clamped to
// the virtual screen. Creates the file when it is missing.
[[nodiscard]] std::vector<Bed> LoadGardenBeds(const std::wstring& path = GardenFilePath());

// Writes a complete new file beside the old one and only then replaces the
// old one, so that a crash or a full disk never leaves half a garden behind.
// False (and the old file untouched) when any step failed.
bool SaveGardenBeds(const std::vector<Bed>& beds, const std::wstring& path = GardenFilePath());

// Forgets every bed: the next load starts from the default beds.
bool ResetGardenFile(const std::wstring& path = GardenFilePath());

}  // namespace corvane
