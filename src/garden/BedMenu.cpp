#include "garden/BedMenu.h"

#include "config/Texts.h"

namespace corvane {

std::vector<BedMenuEntry> BedMenuEntries(const Bed& bed, bool roomForBed) {
    std::vector<BedMenuEntry> entries = {
        {BedCommand::NewBed, Text(TextId::NewBed), roomForBed},
        {BedCommand::Rename, Text(TextId::Rename)},
        {BedCommand::SortByName, Text(TextId::SortByName)},
        {BedCommand::ToggleRoll, bed.collapsed ? Text(TextId::RollDown) : Text(TextId::RollUp)},
    };
    if (!bed.catchAll) {
        entries.push_back({});
        entries.push_back({BedCommand::DeleteBed, Text(TextId::DeleteBed)});
    }
    entries.push_back({});
    entries.push_back({BedCommand::Settings, Text(TextId::GardenSettingsMenu)});
    return entries;
}

}  // namespace corvane
