// The theme and Windows' accessibility preferences as read from the user's
// registry values and the system's own calls, which the test sets and puts
// back afterwards.

#include "base/Win32Handles.h"
#include "support/WinTestSupport.h"
#include "toolkit/AccessibilityReader.h"
#include "toolkit/FontFamilies.h"
#include "toolkit/LayoutProbe.h"
#include "toolkit/ThemeReader.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
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

// The font families, chosen by what the system has installed.
int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Asked through GDI, independently of the DirectWrite lookup under test.
bool Installed(const wchar_t* family) {
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(query.lfFaceName, LF_FACESIZE, family, _TRUNCATE);
    bool found = false;
    HDC dc = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(dc, &query, &NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, dc);
    return found;
}

TEST(FontFamilies, TheNewerFamilyWhenInstalledElseTheOlderOne) {
    EXPECT_EQ(TextFontFamily(),
              Installed(L"Segoe UI Variable Text") ? L"Segoe UI Variable Text" : L"Segoe UI");
    EXPECT_EQ(IconFontFamily(),
              Installed(L"Segoe Fluent Icons") ? L"Segoe Fluent Icons" : L"Segoe MDL2 Assets");
}

// What the installed keyboard layouts type with a chord, asked of the
// system's own layout tables. Wine 8 loads no second layout (asked for
// Polish, it answers with the US one), so the AltGr case is left to the
// portable table.
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

// The accessibility preferences, read back as the surfaces get them.
constexpr wchar_t kAccessibilityKey[] = L"Software\\Microsoft\\Accessibility";

TEST(AccessibilityPrefs, AnimationEffectsOffStopsTheMotion) {
    BOOL before = TRUE;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &before, 0));
    for (const BOOL on : {FALSE, TRUE}) {
        ASSERT_TRUE(::SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0,
                                            reinterpret_cast<void*>(static_cast<INT_PTR>(on)), 0));
        EXPECT_EQ(ReadTheme().animate, on != FALSE);
    }
    (void)::SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0,
                                  reinterpret_cast<void*>(static_cast<INT_PTR>(before)), 0);
}

TEST(AccessibilityPrefs, HighContrastPaintsWithTheSchemesColours) {
    HIGHCONTRASTW before = {sizeof(before), 0, nullptr};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(before), &before, 0));
    HIGHCONTRASTW on = {sizeof(on), HCF_HIGHCONTRASTON, nullptr};
    if (!::SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(on), &on, 0)) {
        GTEST_SKIP() << "this system does not let a program turn high contrast on";
    }
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHTTEXT};
    COLORREF saved[3] = {};
    for (int i = 0; i < 3; ++i) {
        saved[i] = ::GetSysColor(elements[i]);
    }
    const COLORREF scheme[] = {RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 255, 255)};
    ASSERT_TRUE(::SetSysColors(3, elements, scheme));
    const Theme theme = ReadTheme();
    (void)::SetSysColors(3, elements, saved);
    HIGHCONTRASTW restore = {sizeof(restore), before.dwFlags & HCF_HIGHCONTRASTON, nullptr};
    (void)::SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(restore), &restore, 0);

    EXPECT_TRUE(theme.highContrast);
    EXPECT_EQ(theme.surface, FromColorRef(scheme[0]));
    EXPECT_EQ(theme.text, FromColorRef(scheme[1]));
    EXPECT_EQ(theme.selectedText, FromColorRef(scheme[2]));
}

TEST(AccessibilityPrefs, TextSizeIsReadAndItsChangeIsTold) {
    const test::SavedRegistryValue factor(kAccessibilityKey, L"TextScaleFactor");
    ASSERT_TRUE(factor.Saved());
    const UniqueHandle told(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    const TextScaleWatch watch([event = told.Get()] { ::SetEvent(event); });
    ASSERT_TRUE(watch.Watching());
    for (const auto& [value, percent] : {std::pair{150u, 150u}, {400u, 225u}, {50u, 100u}}) {
        const DWORD dword = value;
        ASSERT_TRUE(factor.Set(REG_DWORD, &dword, sizeof(dword)));
        EXPECT_EQ(::WaitForSingleObject(told.Get(), 5000), WAIT_OBJECT_0) << value;
        EXPECT_EQ(ReadAccessibilityPrefs().textScalePercent, percent);
    }
}

}  // namespace
}  // namespace corvane
