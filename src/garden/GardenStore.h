#pragma once
// garden.ini beside the executable, through the profile functions.

#include "garden/GardenModel.h"

#include <string>
#include <vector>

namespace corvane {

[[nodiscard]] std::wstring GardenFilePath();

struct GardenLoad {
    // Clamped to the virtual screen; none when the defaults are to be used.
    std::vector<Bed> beds;
    // The file may hold beds that could not be read (another program holds
    // it, or it could not be copied aside): it must not be written over
    // until a later load reads it.
    bool fileHeld = false;
};

// The beds stored in the file. A file that exists but gives no beds is first
// copied to "<path>.bak" (replacing an older copy), so that the default beds
// written next never take the only copy of what the user arranged.
[[nodiscard]] GardenLoad LoadGardenBeds(const std::wstring& path = GardenFilePath());

// Writes a complete new file beside the old one and only then replaces the
// old one, so that a crash or a full disk never leaves half a garden behind.
// False (and the old file untouched) when any step failed.
bool SaveGardenBeds(const std::vector<Bed>& beds, const std::wstring& path = GardenFilePath());

// Forgets every bed: the next load starts from the default beds.
bool ResetGardenFile(const std::wstring& path = GardenFilePath());

}  // namespace corvane
