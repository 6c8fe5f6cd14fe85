#include "base/ImagePaths.h"
#include "config/StartWithWindows.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace corvane {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// What the Run value holds when it is a plain string, else the status.
std::wstring RunValue() {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Corvane",
                                          RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, value, &size);
    return status == ERROR_SUCCESS ? value : L"status " + std::to_wstring(status);
}

TEST(StartWithWindows, OnWritesTheQuotedPathAndOffDeletesIt) {
    // The user's own entry, of any type, is back after the test, a failing
    // one included.
    const test::SavedRegistryValue saved(kRunKey, L"Corvane");
    if (!saved.Saved()) {
        GTEST_SKIP() << "the Run value could not be saved";
    }
    ASSERT_TRUE(SetStartWithWindows(false));
    EXPECT_FALSE(IsStartWithWindows());
    EXPECT_EQ(RunValue(), L"status " + std::to_wstring(ERROR_FILE_NOT_FOUND));

    ASSERT_TRUE(SetStartWithWindows(true));
    EXPECT_TRUE(IsStartWithWindows());
    EXPECT_EQ(RunValue(), L"\"" + ExecutablePath() + L"\"");

    ASSERT_TRUE(SetStartWithWindows(false));
    EXPECT_FALSE(IsStartWithWindows());
    EXPECT_TRUE(SetStartWithWindows(false));  // already off is no failure
}

}  // namespace
}  // namespace corvane
