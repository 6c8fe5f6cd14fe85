#include "config/Language.h"
#include "garden/BedMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvane {
namespace {

TEST(BedMenuTest, EntriesFollowTheBedAndTheLanguage) {
    // Norwegian, collapsed, catch-all, the entries ("id text", "-" a separator).
    const std::tuple<bool, bool, bool, const wchar_t*> rows[] = {
        {false, false, false,
         L"1 New bed|2 Rename \u2026|3 Sort by name|4 Roll up|-|5 Delete bed (files stay)|-|6 "
         L"CorGarden settings \u2026"},
        {false, true, true,
         L"1 New bed|2 Rename \u2026|3 Sort by name|4 Roll down|-|6 CorGarden settings \u2026"},
        {true, true, false,
         L"1 Nytt bed|2 Gi nytt navn \u2026|3 Sorter etter navn|4 Rull ned|-|5 Slett bed (filene "
         L"blir liggende)|-|6 CorGarden-innstillinger \u2026"},
        {true, false, true,
         L"1 Nytt bed|2 Gi nytt navn \u2026|3 Sorter etter navn|4 Rull opp|-|6 "
         L"CorGarden-innstillinger \u2026"},
    };
    for (const auto& [norwegian, collapsed, catchAll, expected] : rows) {
        SetNorwegian(norwegian);
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
        EXPECT_EQ(entries, expected) << norwegian << collapsed << catchAll;
    }
    SetNorwegian(false);
    for (const BedMenuEntry& entry : BedMenuEntries(Bed{}, false)) {  // no room for a bed
        EXPECT_EQ(entry.enabled, entry.command != BedCommand::NewBed);
    }
}

}  // namespace
}  // namespace corvane
