// The settings rules through the real private-profile functions, and the
// Run entry that starts Corvane with Windows.

#include "base/ImagePaths.h"
#include "config/SettingsFile.h"
#include "config/SettingsLoader.h"
#include "config/StartWithWindows.h"
#include "base/Utf16.h"
#include "config/Win32ProfileStore.h"
#include "resources/DefaultSettingsText.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::ReadFileBytes;
using test::ReadIniValue;
using test::TempFolder;

Settings LoadAt(const std::wstring& path) {
    Win32ProfileStore store(path);
    return LoadSettings(store, path);
}

bool IsUtf16(const std::wstring& path) {
    const auto bytes = ReadFileBytes(path);
    return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

TEST(SettingsFile, DefaultFileBytesAreExactAndNeverOverwritten) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    Win32ProfileStore store(path);
    ASSERT_FALSE(store.FileExists());
    const auto bytes = EncodeUtf16LeWithBom(DefaultSettingsText(true));
    ASSERT_TRUE(store.CreateNew(bytes));
    EXPECT_EQ(ReadFileBytes(path), bytes);
    EXPECT_FALSE(store.CreateNew(EncodeUtf16LeWithBom(L"x")));
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

TEST(SettingsFile, ExistingFileIsReadAndWrittenThroughTheProfileFunctions) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    ASSERT_TRUE(test::WriteFileBytes(path, EncodeUtf16LeWithBom(L"[Bar]\r\nHeight=40\r\n")));
    Settings s = LoadAt(path);
    EXPECT_EQ(s.barHeight, 40);
    EXPECT_FALSE(s.pinnedPresent);

    ASSERT_TRUE(WriteSetting(s, L"Tray", L"Hidden",
                             std::vector<std::wstring>{L"Blåbær.exe", L"OneDrive.exe"}, L", "));
    ASSERT_TRUE(WriteSetting(s, L"Bar", L"Autohide", true));
    ASSERT_TRUE(WriteSetting(s, L"Tiling", L"Gap", int32_t{12}));
    ASSERT_TRUE(WriteSetting(s, L"Dock", L"Pinned", std::wstring_view()));
    EXPECT_EQ(ReadIniValue(path, L"Tray", L"Hidden"), L"Blåbær.exe, OneDrive.exe");
    s = LoadAt(path);
    EXPECT_EQ(s.trayHidden, (std::vector<std::wstring>{L"blåbær.exe", L"onedrive.exe"}));
    EXPECT_TRUE(s.autohide);
    EXPECT_EQ(s.tilingGap, 12);
    EXPECT_TRUE(s.pinnedPresent);  // present and empty
    EXPECT_TRUE(s.pinned.empty());
    EXPECT_TRUE(IsUtf16(path));  // after the writes too

    ASSERT_TRUE(RemoveSetting(s, L"Tiling", L"Gap"));
    EXPECT_EQ(ReadIniValue(path, L"Tiling", L"Gap"), L"<absent>");
}

// The executable's folder unknown: the profile functions would fall back to
// win.ini or the current folder, so none is called, not even to fail (Wine's
// refuse an empty name; only the thread's last error tells that they ran),
// and the values stay at their defaults.
TEST(SettingsFile, UnknownFolderReadsAndWritesNothing) {
    TempFolder folder;
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.Path().c_str()));
    Win32ProfileStore store(L"");
    ::SetLastError(ERROR_SUCCESS);
    const Settings s = LoadSettings(store, L"");
    const bool wrote = store.WriteString(L"Bar", L"Height", L"40");
    const int32_t height = store.GetInt(L"Bar", L"Height", 28);
    const DWORD error = ::GetLastError();
    ::SetCurrentDirectoryW(previous);

    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_FALSE(wrote);
    EXPECT_EQ(height, 28);
    EXPECT_EQ(s.barHeight, Settings{}.barHeight);
    EXPECT_TRUE(::RemoveDirectoryW(folder.Path().c_str()));  // only an empty one goes
}

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
