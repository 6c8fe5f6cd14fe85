// Windows' accessibility preferences, set through the system's own calls and
// the registry, and read back as the surfaces get them; each is put back.

#include "base/Win32Handles.h"
#include "support/WinTestSupport.h"
#include "toolkit/AccessibilityReader.h"
#include "toolkit/ThemeReader.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace corvane {
namespace {

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
