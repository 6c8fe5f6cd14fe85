// The theme as read from the user's registry values, which the test sets
// and puts back afterwards.

#include "support/WinTestSupport.h"
#include "toolkit/ThemeReader.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace corvane {
namespace {

constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr wchar_t kAccentKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Accent";

TEST(ReadTheme, TakesTheLightFlagAndTheBinaryAccentPalette) {
    const test::SavedRegistryValue light(kPersonalizeKey, L"SystemUsesLightTheme");
    const test::SavedRegistryValue palette(kAccentKey, L"AccentPalette");
    const DWORD one = 1;
    ASSERT_TRUE(light.Set(REG_DWORD, &one, sizeof(one)));
    std::vector<uint8_t> bytes(32);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7);
    }
    ASSERT_TRUE(palette.Set(REG_BINARY, bytes.data(), bytes.size()));
    const Theme theme = ReadTheme();
    const Theme expected = MakeTheme(1, bytes);
    EXPECT_FALSE(theme.dark);
    EXPECT_EQ(theme.accent, expected.accent);
    EXPECT_NE(theme.accent, MakeTheme(1, {}).accent);

    // The same bytes as text are no palette.
    const wchar_t text[] = L"0123456789abcdef0123456789abcdef";
    ASSERT_TRUE(palette.Set(REG_SZ, text, sizeof(text)));
    EXPECT_EQ(ReadTheme().accent, MakeTheme(1, {}).accent);
}

TEST(ReadTheme, TransparencyEffectsOffTakesTheGlassAway) {
    const test::SavedRegistryValue transparency(kPersonalizeKey, L"EnableTransparency");
    for (const DWORD value : {0u, 1u}) {
        ASSERT_TRUE(transparency.Set(REG_DWORD, &value, sizeof(value)));
        EXPECT_EQ(ReadTheme().glass, value != 0);
    }
}

}  // namespace
}  // namespace corvane
