#include "identity/AppTargets.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(AppTargets, LastComponents) {
    EXPECT_EQ(LastPathComponent(L"C:/Apps\\sub/tool.exe"), L"tool.exe");
    EXPECT_EQ(LastPathComponent(L"ms-settings:display"), L"ms-settings:display");
}

// What the shell calls a target (empty: nothing) and what is shown.
TEST(AppTargets, TargetsReadNeverAsParsingNames) {
    const wchar_t* const calculator =
        L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App";
    const struct {
        const wchar_t *shellName, *target, *shown;
    } cases[] = {
        {L"", calculator, L"Windows Calculator"},
        {L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", calculator, L"Windows Calculator"},
        {L"Calculator", calculator, L"Calculator"},
        {L"", kSettingsAppTarget, L"Settings"},
        {L"", L"shell:AppsFolder\\{6D809377-6AF0-444B-8957-A3773F02200E}\\Tool\\tool.exe", L"tool"},
        {L"notepad.exe", L"C:\\Windows\\notepad.exe", L"notepad"},
        {L"Wine Notepad", L"C:\\Windows\\notepad.exe", L"Wine Notepad"},
        {L"", L"D:\\Apps\\PaintDotNet.EXE", L"Paint Dot Net"},
        {L"Steam Link.lnk", L"C:/Games/Steam Link.lnk", L"Steam Link"},
        {L"", L"C:\\Tools\\RAID Manager.exe", L"RAID Manager"},
        {L"", L"C:\\Tools\\", L"C:\\Tools\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShownTargetName(c.shellName, c.target), c.shown) << c.target;
    }
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
