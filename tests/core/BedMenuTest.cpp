#include "config/Language.h"
#include "garden/BedMenu.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

// "id text" per entry, "-" for a separator.
std::wstring Describe(const Bed& bed) {
    std::wstring out;
    for (const BedMenuEntry& entry : BedMenuEntries(bed)) {
        out += out.empty() ? L"" : L" | ";
        out += entry.command == BedCommand::None
                   ? std::wstring(L"-")
                   : std::to_wstring(static_cast<int>(entry.command)) + L" " + entry.text;
    }
    return out;
}

TEST(BedMenuTest, EntriesFollowTheBedAndTheLanguage) {
    struct Row {
        bool norwegian;
        bool collapsed;
        bool catchAll;
        const wchar_t* expected;
    };
    const Row rows[] = {
        {false, false, false,
         L"1 New bed | 2 Rename \u2026 | 3 Sort by name | 4 Roll up | - | 5 Delete bed (files "
         L"stay)"},
        {false, true, true, L"1 New bed | 2 Rename \u2026 | 3 Sort by name | 4 Roll down"},
        {true, true, false,
         L"1 Nytt bed | 2 Gi nytt navn \u2026 | 3 Sorter etter navn | 4 Rull ned | - | 5 Slett bed "
         L"(filene blir liggende)"},
        {true, false, true,
         L"1 Nytt bed | 2 Gi nytt navn \u2026 | 3 Sorter etter navn | 4 Rull opp"},
    };
    for (const Row& row : rows) {
        SetNorwegian(row.norwegian);
        Bed bed;
        bed.collapsed = row.collapsed;
        bed.catchAll = row.catchAll;
        EXPECT_EQ(Describe(bed), row.expected) << row.norwegian << row.collapsed << row.catchAll;
    }
    SetNorwegian(false);
}

}  // namespace
}  // namespace corvane
