#include "identity/AppTargets.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(AppTargets, LastComponents) {
    EXPECT_EQ(LastPathComponent(L"C:/Apps\\sub/tool.exe"), L"tool.exe");
    EXPECT_EQ(LastPathComponent(L"ms-settings:display"), L"ms-settings:display");
}

TEST(IsAppsFolderTarget, NeedsTheWholePrefixWithItsBackslashInAnyCase) {
    EXPECT_TRUE(IsAppsFolderTarget(L"SHELL:APPSFOLDER\\Microsoft.WindowsCalculator!App"));
    EXPECT_FALSE(IsAppsFolderTarget(L"SHELL:APPSFOLDERMicrosoft.WindowsCalculator!App"));
    EXPECT_FALSE(IsAppsFolderTarget(L"SHELL:APPSFOLDER"));
    EXPECT_FALSE(IsAppsFolderTarget(L"C:\\shell:AppsFolder\\x"));
}

TEST(ApplySteamRule, OnlyTheEmbeddedBrowserBecomesSteamItself) {
    EXPECT_EQ(ApplySteamRule(
                  L"C:\\Program Files (x86)\\Steam\\bin\\cef\\cef.win7x64\\steamwebhelper.exe"),
              L"C:\\Program Files (x86)\\Steam\\steam.exe");
    // Case and slashes of the folder are kept; the first cef folder decides.
    EXPECT_EQ(ApplySteamRule(L"E:/Games/STEAM/BIN/CEF/cef.win64/SteamWebHelper.EXE"),
              L"E:/Games/STEAM\\steam.exe");
    EXPECT_EQ(ApplySteamRule(L"D:\\a\\bin\\cef\\b\\bin\\cef\\steamwebhelper.exe"),
              L"D:\\a\\steam.exe");
    for (const wchar_t* other :
         {L"C:\\Steam\\bin\\steamwebhelper.exe", L"C:\\Steam\\bin\\cef\\x\\otherhelper.exe",
          L"C:\\Steam\\bin\\cef\\steamwebhelper.exe.bak", L""}) {
        EXPECT_EQ(ApplySteamRule(other), other);
    }
}

TEST(UnquoteAppPathValue, KeepsOnlyTheQuotedPath) {
    EXPECT_EQ(UnquoteAppPathValue(L"\"C:\\Program Files\\App\\app.exe\" --flag"),
              L"C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(UnquoteAppPathValue(L"C:\\App\\app.exe"), L"C:\\App\\app.exe");
    EXPECT_EQ(UnquoteAppPathValue(L"\"C:\\App\\app.exe"), L"C:\\App\\app.exe");
    EXPECT_EQ(UnquoteAppPathValue(L"C:\\a \"b\""), L"C:\\a \"b\"");
}

}  // namespace
}  // namespace corvane
