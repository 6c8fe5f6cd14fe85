#include "start/StartMenuEntries.h"

#include "config/Language.h"
#include "start/PinRules.h"

namespace corvane {

std::vector<StartMenuEntry> ItemMenuEntries(const AppEntry& entry, bool canPin, bool pinned) {
    std::vector<StartMenuEntry> menu;
    menu.push_back({kItemOpen, Tr(L"\u00C5pne", L"Open")});
    if (entry.hasExe) {
        menu.push_back(
            {kItemRunAsAdmin, Tr(L"Kj\u00F8r som administrator", L"Run as administrator")});
    }
    // A settings page has no program to pin or show.
    if (entry.isSetting) {
        return menu;
    }
    menu.push_back({});
    // A target no list can hold is not offered for pinning.
    const bool canHold = CanPin(entry);
    if (canPin && (pinned || canHold)) {
        menu.push_back(
            pinned ? StartMenuEntry{kItemUnpinFromMenu,
                                    Tr(L"L\u00F8sne fra CorMenu", L"Unpin from CorMenu")}
                   : StartMenuEntry{kItemPinToMenu, Tr(L"Fest i CorMenu", L"Pin to CorMenu")});
    }
    if (canHold) {
        menu.push_back({kItemPinToDock, Tr(L"Fest i dock", L"Pin to dock")});
    }
    if (entry.hasExe) {
        menu.push_back(
            {kItemOpenFileLocation, Tr(L"\u00C5pne filplassering", L"Open file location")});
    }
    if (menu.back().IsSeparator()) {
        menu.pop_back();
    }
    return menu;
}

std::vector<StartMenuEntry> PowerMenuEntries() {
    return {
        {kPowerLock, Tr(L"L\u00E5s", L"Lock")},
        {kPowerSignOut, Tr(L"Logg av", L"Sign out")},
        {},
        {kPowerSleep, Tr(L"Hvilemodus", L"Sleep")},
        {kPowerRestart, Tr(L"Start p\u00E5 nytt", L"Restart")},
        {kPowerShutDown, Tr(L"Sl\u00E5 av", L"Shut down")},
    };
}

}  // namespace corvane
