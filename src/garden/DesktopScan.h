#pragma once
// The desktop's entries as Explorer shows them: the user's desktop, then the
// public one, then the Recycle Bin.

#include "garden/GardenModel.h"

#include <array>
#include <string>

namespace corvane {

// The user's desktop folder, then the public desktop folder; each empty when
// the system does not know it.
[[nodiscard]] std::array<std::wstring, 2> DesktopFolders();

[[nodiscard]] GardenItems ScanDesktop();

}  // namespace corvane
