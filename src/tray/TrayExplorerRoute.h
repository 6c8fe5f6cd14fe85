#pragma once
// What Explorer hears of a notification message the host took while Explorer
// does not show the programs' icons. Explorer turns balloons into the
// system's notifications and shows one only for an icon it holds, so a
// message with a balloon reaches it with the icon kept hidden there; that
// hidden copy stays until the program deletes its icon. Every other add
// leaves Explorer without the icon, in case it had it from before.

#include <cstdint>

namespace corvane {

enum class ExplorerStep : uint8_t {
    None,
    DeleteCopy,    // the program's record turned into a delete
    AddHidden,     // the record as an add, the icon hidden
    ModifyHidden,  // the record as a modify, the icon hidden
    PassOn,        // the record as the program sent it
};

struct ExplorerRoute {
    ExplorerStep step = ExplorerStep::None;
    bool holdsAfter = false;  // Explorer holds a hidden copy once the step is sent
};

// `command` as sent (a TrayCommand value or anything else), whether the
// record carries a balloon, and whether Explorer holds a hidden copy now.
[[nodiscard]] ExplorerRoute RouteToExplorer(uint32_t command, bool balloon,
                                            bool explorerHolds) noexcept;

}  // namespace corvane
