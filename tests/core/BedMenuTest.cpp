#include "config/Language.h"
#include "garden/BedMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvane {
namespace {

TEST(BedMenuTest, EntriesFollowTheBed) {
    SetNorwegian(false);
    // Collapsed, catch-all, the entries ("id text", "-" a separator).
    const std::tuple<bool, bool, const wchar_t*> rows[] = {
        {false, false,
         L"1 New bed|2 Rename \u2026|3 Sort by name|4 Roll up|-|5 Delete bed (files stay)|-|6 "
         L"CorGarden settings \u2026"},
        {true, true,
         L"1 New bed|2 Rename \u2026|3 Sort by name|4 Roll down|-|6 CorGarden settings \u2026"},
    };
    for (const auto& [collapsed, catchAll, expected] : rows) {
        Bed bed;
        bed.collapsed = collapsed;
        bed.catchAll = catchAll;
        std::wstring entries;
        for (const BedMenuEntry& entry : BedMenuEntries(bed, true)) {
            entries += entries.empty() ? L"" : L"|";
            entries += entry.command == BedCommand::None
                           ? std::wstring(L"-")
                           : std::to_wstring(static_cast<int>(entry.command)) + L" " + entry.text;
        }
        EXPECT_EQ(entries, expected) << collapsed << catchAll;
    }
    for (const BedMenuEntry& entry : BedMenuEntries(Bed{}, false)) {  // no room for a bed
        EXPECT_EQ(entry.enabled, entry.command != BedCommand::NewBed);
    }
}

}  // namespace
}  // namespace corvane
