// What the installed keyboard layouts type with a chord, asked of the
// system's own layout tables.

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
    for (const uint32_t key : {uint32_t{'T'}, uint32_t{'L'}, uint32_t{VK_LEFT}, uint32_t{VK_UP}}) {
        EXPECT_EQ(TypedByInstalledLayouts(kCtrlAlt, key), L"") << key;
    }
}

TEST(LayoutProbe, PolishAltGrLetterIsTakenForTyping) {
    const HKL polish = ::LoadKeyboardLayoutW(L"00000415", KLF_NOTELLSHELL);
    ASSERT_NE(polish, nullptr);
    EXPECT_EQ(TypedByInstalledLayouts(kCtrlAlt, 'L'), L"\u0142");
    EXPECT_EQ(TypedByInstalledLayouts(kCtrlAlt | kShortcutShift, 'L'), L"\u0141");
    EXPECT_EQ(TypedByInstalledLayouts(kCtrlAlt, 'T'), L"");
    EXPECT_EQ(TypedByInstalledLayouts(kShortcutWin | kShortcutAlt, 'L'), L"");
    (void)::UnloadKeyboardLayout(polish);
}

}  // namespace
}  // namespace corvane
