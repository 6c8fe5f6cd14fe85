// Sleep and shutdown need the shutdown privilege enabled on the program's
// own token; a token holds it disabled.

#include "base/Win32Handles.h"
#include "start/PowerActions.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

bool Enabled(HANDLE token, const LUID& privilege) {
    alignas(TOKEN_PRIVILEGES) BYTE buffer[8192] = {};
    DWORD size = 0;
    const auto* list = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer);
    if (!::GetTokenInformation(token, TokenPrivileges, buffer, sizeof(buffer), &size)) {
        return false;
    }
    for (DWORD i = 0; i < list->PrivilegeCount; ++i) {
        const LUID& luid = list->Privileges[i].Luid;
        if (luid.LowPart == privilege.LowPart && luid.HighPart == privilege.HighPart) {
            return (list->Privileges[i].Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    return false;
}

TEST(ShutdownPrivilege, IsEnabledOnTheProcessToken) {
    HANDLE raw = nullptr;
    ASSERT_TRUE(
        ::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw));
    const UniqueHandle token(raw);
    TOKEN_PRIVILEGES off = {1, {{{}, 0}}};
    ASSERT_TRUE(::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &off.Privileges[0].Luid));
    ASSERT_TRUE(::AdjustTokenPrivileges(token.Get(), FALSE, &off, 0, nullptr, nullptr));
    ASSERT_FALSE(Enabled(token.Get(), off.Privileges[0].Luid));

    EXPECT_TRUE(EnableShutdownPrivilege());
    EXPECT_TRUE(Enabled(token.Get(), off.Privileges[0].Luid));
}

}  // namespace
}  // namespace corvane
