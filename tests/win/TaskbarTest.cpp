// Explorer's taskbar, played by the helper program, put away, kept away and
// given back; and Explorer's Start alignment switched in the registry.

#include "app/EventHub.h"
#include "base/Win32Handles.h"
#include "config/RestoreMarks.h"
#include "dock/CenterStart.h"
#include "dock/TaskbarHider.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace corvane {
namespace {

using test::ReadIniValue;

TEST(Taskbar, HiddenWithNoRegionKeptHiddenWhileWatchedAndGivenBack) {
    const test::TempFolder folder;
    Settings settings;
    settings.filePath = folder.File(L"corvane.ini");
    test::ChildProcess explorer;
    ASSERT_TRUE(explorer.Start(test::BuiltFile(L"test_helper.exe"), L"taskbar"));
    const HWND taskbar = explorer.WaitForWindow(L"Shell_TrayWnd");
    ASSERT_NE(taskbar, nullptr);
    const auto regionKind = [taskbar] {
        const UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        return ::GetWindowRgn(taskbar, region.Get());
    };

    EventHub events;
    TaskbarHider hider;
    hider.Hide(events);
    EXPECT_FALSE(::IsWindowVisible(taskbar));
    EXPECT_EQ(regionKind(), NULLREGION);
    // Wine's taskbar reports auto-hide on at all times (and ignores a
    // change): the switch made on Windows is not seen here.
    EXPECT_FALSE(ReadRestoreMark(RestoreMark::Autohide).has_value());

    // Explorer shows its taskbar again once no longer watched: it stays.
    // Being put away again while watched is the end-to-end test's.
    hider.Forget();
    DWORD_PTR result = 0;
    ASSERT_NE(::SendMessageTimeoutW(taskbar, test::kHelperShowTaskbar, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                    &result),
              0);
    EXPECT_FALSE(test::PumpUntil([&] { return !::IsWindowVisible(taskbar); }, 1500));

    // As left behind in the file by an earlier version that switched
    // auto-hide on and crashed.
    ::WritePrivateProfileStringW(L"Dock", L"RestoreAutohide", L"1", settings.filePath.c_str());
    AdoptSettingsFileMarks(settings);
    EXPECT_EQ(ReadIniValue(settings.filePath, L"Dock", L"RestoreAutohide"), L"<absent>");
    RestoreTaskbar();
    EXPECT_FALSE(ReadRestoreMark(RestoreMark::Autohide).has_value());
    EXPECT_TRUE(::IsWindowVisible(taskbar));
    EXPECT_EQ(regionKind(), ERROR) << "a region is left";
}

TEST(CenterStart, CentresALeftTaskbarRemembersItsValueAndPutsItBack) {
    constexpr wchar_t kAdvanced[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    const test::SavedRegistryValue saved(kAdvanced, L"TaskbarAl");
    ASSERT_TRUE(saved.Saved());
    const auto alignment = [&]() -> std::optional<DWORD> {
        DWORD value = 0;
        DWORD bytes = sizeof(value);
        return ::RegGetValueW(HKEY_CURRENT_USER, kAdvanced, L"TaskbarAl", RRF_RT_REG_DWORD, nullptr,
                              &value, &bytes) == ERROR_SUCCESS
                   ? std::optional<DWORD>(value)
                   : std::nullopt;
    };
    const DWORD left = 0;
    const wchar_t text[] = L"0";
    // Left aligned; missing, or not a number: both read as centred.
    const struct {
        DWORD type;
        const void* data;
        std::size_t bytes;
    } cases[] = {{REG_DWORD, &left, sizeof(left)}, {REG_NONE, nullptr, 0}, {REG_SZ, text, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kAdvanced, L"TaskbarAl");
        ASSERT_TRUE(c.type == REG_NONE || saved.Set(c.type, c.data, c.bytes));
        const std::optional<DWORD> before = alignment();
        const bool isLeft = c.type == REG_DWORD;
        SetCenterStart(true);
        SetCenterStart(true);  // already centred: nothing more
        EXPECT_EQ(alignment(), isLeft ? std::optional<DWORD>(1) : before);
        EXPECT_EQ(ReadRestoreMark(RestoreMark::TaskbarAlignment),
                  isLeft ? std::optional<int32_t>(0) : std::nullopt);
        SetCenterStart(false);
        EXPECT_EQ(alignment(), before);
        EXPECT_FALSE(ReadRestoreMark(RestoreMark::TaskbarAlignment).has_value());
    }
}

}  // namespace
}  // namespace corvane
