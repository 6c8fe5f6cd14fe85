#include "start/StartMenuEntries.h"

#include "config/Texts.h"
#include "start/PinRules.h"

namespace corvane {

std::vector<StartMenuEntry> ItemMenuEntries(const AppEntry& entry, bool canPin, bool pinned) {
    std::vector<StartMenuEntry> menu;
    menu.push_back({kItemOpen, Text(TextId::Open)});
    if (entry.hasExe) {
        menu.push_back({kItemRunAsAdmin, Text(TextId::RunAsAdministrator)});
    }
    // A settings page has no program to pin or show.
    if (entry.isSetting) {
        return menu;
    }
    menu.push_back({});
    // A target no list can hold is not offered for pinning.
    const bool canHold = CanPin(entry);
    if (canPin && (pinned || canHold)) {
        menu.push_back(pinned ? StartMenuEntry{kItemUnpinFromMenu, Text(TextId::UnpinFromCorMenu)}
                              : StartMenuEntry{kItemPinToMenu, Text(TextId::PinToCorMenu)});
    }
    if (canHold) {
        menu.push_back({kItemPinToDock, Text(TextId::PinToDock)});
    }
    if (entry.hasExe) {
        menu.push_back({kItemOpenFileLocation, Text(TextId::OpenFileLocation)});
    }
    if (menu.back().IsSeparator()) {
        menu.pop_back();
    }
    return menu;
}

std::vector<StartMenuEntry> PowerMenuEntries() {
    return {
        {kPowerLock, Text(TextId::Lock)},
        {kPowerSignOut, Text(TextId::SignOut)},
        {},
        {kPowerSleep, Text(TextId::Sleep)},
        {kPowerRestart, Text(TextId::Restart)},
        {kPowerShutDown, Text(TextId::ShutDown)},
    };
}

}  // namespace corvane
