#pragma once
// The bed menu's entries for a bed in its current state, in the language of
// the moment the menu opens.

#include "garden/GardenModel.h"

#include <vector>

namespace corvane {

// Command ids of the bed menu; 0 is a separator or no choice.
enum class BedCommand : int {
    None = 0,
    NewBed = 1,
    Rename = 2,
    SortByName = 3,
    ToggleRoll = 4,
    DeleteBed = 5,
    Settings = 6,
};

struct BedMenuEntry {
    BedCommand command = BedCommand::None;  // None: a separator
    const wchar_t* text = nullptr;
    bool enabled = true;
};

// The catch-all bed cannot be deleted, so it has no delete entry: its items
// would have nowhere to go. Without room for another bed, "New bed" shows
// greyed.
[[nodiscard]] std::vector<BedMenuEntry> BedMenuEntries(const Bed& bed, bool roomForBed);

}  // namespace corvane
