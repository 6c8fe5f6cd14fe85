// What the installed keyboard layouts type with a chord, asked of the
// system's own layout tables. Wine 8 loads no second layout (asked for
// Polish, it answers with the US one), so the AltGr case is left to the
// portable table.

#include "toolkit/LayoutProbe.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace corvane {
namespace {

constexpr uint32_t kCtrlAlt = kShortcutControl | kShortcutAlt;

TEST(LayoutProbe, UsLayoutTypesPlainLettersButNothingWithCtrlAlt) {
    // The probe reads the layout: a letter alone types itself.
    EXPECT_EQ(TypedByInstalledLayouts(0, 'L'), L"l");
    EXPECT_EQ(TypedByInstalledLayouts(kShortcutShift, 'L'), L"L");
    for (const uint32_t key :
         {uint32_t{'T'}, uint32_t{'L'}, uint32_t{VK_LEFT}, uint32_t{VK_UP}, uint32_t{VK_SPACE}}) {
        EXPECT_EQ(TypedByInstalledLayouts(kCtrlAlt, key), L"") << key;
    }
}

}  // namespace
}  // namespace corvane
