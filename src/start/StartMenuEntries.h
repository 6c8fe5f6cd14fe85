#pragma once
// The entries of the start surfaces' two popup menus, in the current
// language. Portable: which entries an app gets is a rule; showing the menu
// is Win32.

#include "identity/AppEntry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

enum ItemMenuCommand : uint32_t {
    kItemOpen = 1,
    kItemRunAsAdmin = 2,
    kItemPinToMenu = 3,
    kItemUnpinFromMenu = 4,
    kItemPinToDock = 5,
    kItemOpenFileLocation = 6,
};

enum PowerCommand : int {
    kPowerLock = 1,
    kPowerSignOut = 2,
    kPowerSleep = 3,
    kPowerRestart = 4,
    kPowerShutDown = 5,
};

struct StartMenuEntry {
    uint32_t command = 0;  // 0 for a separator
    std::wstring text;
    [[nodiscard]] bool IsSeparator() const noexcept { return command == 0; }
};

// `canPin`: the surface keeps a pinned list of its own; `pinned`: the entry
// is on it.
[[nodiscard]] std::vector<StartMenuEntry> ItemMenuEntries(const AppEntry& entry, bool canPin,
                                                          bool pinned);
[[nodiscard]] std::vector<StartMenuEntry> PowerMenuEntries();

}  // namespace corvane
