#include "garden/BedMenu.h"

#include "config/Language.h"

namespace corvane {

std::vector<BedMenuEntry> BedMenuEntries(const Bed& bed, bool roomForBed) {
    std::vector<BedMenuEntry> entries = {
        {BedCommand::NewBed, Tr(L"Nytt bed", L"New bed"), roomForBed},
        {BedCommand::Rename, Tr(L"Gi nytt navn \u2026", L"Rename \u2026")},
        {BedCommand::SortByName, Tr(L"Sorter etter navn", L"Sort by name")},
        {BedCommand::ToggleRoll,
         bed.collapsed ? Tr(L"Rull ned", L"Roll down") : Tr(L"Rull opp", L"Roll up")},
    };
    if (!bed.catchAll) {
        entries.push_back({});
        entries.push_back({BedCommand::DeleteBed,
                           Tr(L"Slett bed (filene blir liggende)", L"Delete bed (files stay)")});
    }
    entries.push_back({});
    entries.push_back({BedCommand::Settings,
                       Tr(L"CorGarden-innstillinger \u2026", L"CorGarden settings \u2026")});
    return entries;
}

}  // namespace corvane
