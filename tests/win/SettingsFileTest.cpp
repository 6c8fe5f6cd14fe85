// The settings rules through the real private-profile functions.

#include "config/Language.h"
#include "config/SettingsFile.h"
#include "config/SettingsLoader.h"
#include "base/Utf16.h"
#include "config/Win32ProfileStore.h"
#include "resources/DefaultSettingsText.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace corvane {
namespace {

using test::ReadFileBytes;
using test::ReadUtf16File;
using test::SplitCrLf;
using test::TempFolder;
using test::WriteUtf16File;

Settings LoadAt(const std::wstring& path) {
    Win32ProfileStore store(path);
    return LoadSettings(store, path);
}

// The non-blank lines. Wine's profile writer rewrites the whole file and drops
// the blanks around the first "=" of every line; Windows keeps untouched lines.
std::vector<std::wstring> NonBlank(const std::vector<std::wstring>& lines) {
    std::vector<std::wstring> out;
    for (const auto& l : lines) {
        if (!l.empty()) {
            out.push_back(std::regex_replace(l, std::wregex(L" *= *"), L"=",
                                             std::regex_constants::format_first_only));
        }
    }
    return out;
}

bool IsUtf16(const std::wstring& path) {
    const auto bytes = ReadFileBytes(path);
    return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

std::wstring ReadValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[256] = {};
    ::GetPrivateProfileStringW(section, key, L"<absent>", buffer, 256, path.c_str());
    return buffer;
}

TEST(SettingsFile, MissingFileIsCreatedWithTheDefaultTextAndTheLanguageAppended) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    (void)LoadAt(path);
    EXPECT_TRUE(IsUtf16(path));

    const std::wstring text = ReadUtf16File(path);
    // Every line ends in CR LF: no bare LF anywhere, and the text ends in one.
    const auto lines = SplitCrLf(text);
    for (const auto& line : lines) {
        EXPECT_EQ(line.find_first_of(L"\r\n"), std::wstring::npos);
    }
    EXPECT_TRUE(text.ends_with(L"\r\n"));

    // The default lines in their order, then [General] Language=en at the end.
    const auto expected = NonBlank(SplitCrLf(std::wstring(DefaultSettingsText(false))));
    const auto actual = NonBlank(lines);
    auto at = actual.begin();
    for (const auto& line : expected) {
        at = std::find(at, actual.end(), line);
        ASSERT_NE(at, actual.end()) << "missing or out of order: " << line;
        ++at;
    }
    ASSERT_GE(actual.size(), 2u);
    EXPECT_EQ(actual[actual.size() - 2], L"[General]");
    EXPECT_EQ(actual.back(), L"Language=en");
    // Keys that loading fills in were written too.
    EXPECT_EQ(ReadValue(path, L"Bar", L"BarTint"), L"72");
    EXPECT_EQ(ReadValue(path, L"Dock", L"ConfigVersion"), L"2");
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
    ASSERT_TRUE(
        WriteUtf16File(path, L"[Tiling]\r\nGap=-5\r\nLayout=abc\r\n[Bar]\r\nHeight=100\r\n"));
    SetNorwegian(false);
    Settings s = LoadAt(path);
    EXPECT_TRUE(IsNorwegian());  // a file from before the Language key
    EXPECT_EQ(ReadValue(path, L"General", L"Language"), L"no");
    EXPECT_EQ(s.tilingGap, 0);
    EXPECT_EQ(s.tilingLayout, 0);
    EXPECT_EQ(s.barHeight, 48);
    EXPECT_FALSE(s.pinnedPresent);

    ASSERT_TRUE(WriteSetting(s, L"Tray", L"Hidden",
                             std::vector<std::wstring>{L"Blåbær.exe", L"OneDrive.exe"}, L", "));
    ASSERT_TRUE(WriteSetting(s, L"Bar", L"Autohide", true));
    ASSERT_TRUE(WriteSetting(s, L"Tiling", L"Gap", int32_t{12}));
    ASSERT_TRUE(WriteSetting(s, L"Dock", L"Pinned", std::wstring_view()));
    EXPECT_EQ(ReadValue(path, L"Tray", L"Hidden"), L"Blåbær.exe, OneDrive.exe");
    s = LoadAt(path);
    EXPECT_EQ(s.trayHidden, (std::vector<std::wstring>{L"blåbær.exe", L"onedrive.exe"}));
    EXPECT_TRUE(s.autohide);
    EXPECT_EQ(s.tilingGap, 12);
    EXPECT_TRUE(s.pinnedPresent);  // present and empty
    EXPECT_TRUE(s.pinned.empty());
    EXPECT_TRUE(IsUtf16(path));  // after the writes too

    ASSERT_TRUE(RemoveSetting(s, L"Tiling", L"Gap"));
    EXPECT_EQ(ReadValue(path, L"Tiling", L"Gap"), L"<absent>");
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

}  // namespace
}  // namespace corvane
