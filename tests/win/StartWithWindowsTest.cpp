#include "base/ImagePaths.h"
#include "config/StartWithWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace corvane {
namespace {

std::wstring RunValue() {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer);
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                       L"Corvane", RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return L"<absent>";
    }
    return buffer;
}

TEST(StartWithWindows, OnWritesTheQuotedPathAndOffDeletesIt) {
    ASSERT_TRUE(SetStartWithWindows(false));
    EXPECT_FALSE(IsStartWithWindows());
    EXPECT_EQ(RunValue(), L"<absent>");

    ASSERT_TRUE(SetStartWithWindows(true));
    EXPECT_TRUE(IsStartWithWindows());
    EXPECT_EQ(RunValue(), L"\"" + ExecutablePath() + L"\"");

    ASSERT_TRUE(SetStartWithWindows(false));
    EXPECT_FALSE(IsStartWithWindows());
    // Turning off what is already off is no failure.
    EXPECT_TRUE(SetStartWithWindows(false));
}

}  // namespace
}  // namespace corvane
