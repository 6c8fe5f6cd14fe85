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

// Wine's profile writer rewrites the whole file and drops the blanks around
// the first "=" of every line; Windows keeps untouched lines as they were.
std::wstring WithoutBlanksAroundEquals(const std::wstring& line) {
    const std::size_t eq = line.find(L'=');
    if (eq == std::wstring::npos) {
        return line;
    }
    std::size_t left = eq;
    while (left > 0 && line[left - 1] == L' ') {
        --left;
    }
    std::size_t right = eq + 1;
    while (right < line.size() && line[right] == L' ') {
        ++right;
    }
    return line.substr(0, left) + L"=" + line.substr(right);
}

std::vector<std::wstring> NonBlank(const std::vector<std::wstring>& lines) {
    std::vector<std::wstring> out;
    for (const auto& l : lines) {
        if (!l.empty()) {
            out.push_back(WithoutBlanksAroundEquals(l));
        }
    }
    return out;
}

std::wstring ReadValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[256] = {};
    ::GetPrivateProfileStringW(section, key, L"<absent>", buffer, 256, path.c_str());
    return buffer;
}

TEST(SettingsFile, MissingFileIsCreatedInEnglishWithTheLanguageAppended) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    SetNorwegian(true);
    const Settings s = LoadAt(path);
    EXPECT_FALSE(IsNorwegian());
    EXPECT_EQ(s.dateFormat, L"ddd MMM d");

    const auto bytes = ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);

    const std::wstring text = ReadUtf16File(path);
    // Every line ends in CR LF: no bare LF anywhere, and the text ends in one.
    const auto lines = SplitCrLf(text);
    for (const auto& line : lines) {
        EXPECT_EQ(line.find(L'\n'), std::wstring::npos);
        EXPECT_EQ(line.find(L'\r'), std::wstring::npos);
    }
    EXPECT_TRUE(text.ends_with(L"\r\n"));

    // The default lines in their order, then [General] Language=en at the end.
    const auto expected = NonBlank(SplitCrLf(std::wstring(DefaultSettingsText(false))));
    const auto actual = NonBlank(lines);
    std::size_t at = 0;
    for (const auto& line : expected) {
        const auto found = std::find(actual.begin() + static_cast<std::ptrdiff_t>(at), actual.end(), line);
        ASSERT_NE(found, actual.end()) << "missing or out of order: " << std::string(line.begin(), line.end());
        at = static_cast<std::size_t>(found - actual.begin()) + 1;
    }
    ASSERT_GE(actual.size(), 2u);
    EXPECT_EQ(actual[actual.size() - 2], L"[General]");
    EXPECT_EQ(actual.back(), L"Language=en");
    // Keys that loading fills in were written too.
    EXPECT_EQ(ReadValue(path, L"Bar", L"BarTint"), L"72");
    EXPECT_EQ(ReadValue(path, L"Dock", L"ConfigVersion"), L"2");
}

TEST(SettingsFile, DefaultFileBytesAreExactBeforeAnyKeyIsWritten) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    Win32ProfileStore store(path);
    ASSERT_FALSE(store.FileExists());
    const auto bytes = EncodeUtf16LeWithBom(DefaultSettingsText(true));
    ASSERT_TRUE(store.CreateNew(bytes));
    EXPECT_EQ(ReadFileBytes(path), bytes);
    // CREATE_NEW: an existing file is never overwritten.
    EXPECT_FALSE(store.CreateNew(EncodeUtf16LeWithBom(L"x")));
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

TEST(SettingsFile, ExistingFileWithoutLanguageIsNorwegianAndGainsTheKey) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    ASSERT_TRUE(WriteUtf16File(path, L"[Bar]\r\nHeight=30\r\nTint=72\r\nBarTint=72\r\n"));
    SetNorwegian(false);
    const Settings s = LoadAt(path);
    EXPECT_TRUE(IsNorwegian());
    EXPECT_EQ(s.dateFormat, L"ddd d. MMM");
    EXPECT_EQ(s.barHeight, 30);
    EXPECT_EQ(ReadValue(path, L"General", L"Language"), L"no");
}

TEST(SettingsFile, IconSize44WithoutVersionIsMigrated) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    ASSERT_TRUE(WriteUtf16File(path, L"[General]\r\nLanguage=en\r\n[Dock]\r\nIconSize=44\r\n"));
    EXPECT_EQ(LoadAt(path).dockIconSize, 36);
    EXPECT_EQ(ReadValue(path, L"Dock", L"IconSize"), L"36");
    EXPECT_EQ(ReadValue(path, L"Dock", L"ConfigVersion"), L"2");
    // The second load leaves a deliberate 44 alone.
    ::WritePrivateProfileStringW(L"Dock", L"IconSize", L"44", path.c_str());
    EXPECT_EQ(LoadAt(path).dockIconSize, 44);
}

TEST(SettingsFile, MissingBarTintGainsTheTint) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    ASSERT_TRUE(WriteUtf16File(path, L"[General]\r\nLanguage=en\r\n[Bar]\r\nTint=40\r\n"));
    const Settings s = LoadAt(path);
    EXPECT_EQ(s.tint, 40);
    EXPECT_EQ(s.barTint, 40);
    EXPECT_EQ(ReadValue(path, L"Bar", L"BarTint"), L"40");
}

TEST(SettingsFile, NegativeAndTextNumbersFollowTheProfileReader) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    ASSERT_TRUE(WriteUtf16File(
        path, L"[General]\r\nLanguage=en\r\n[Tiling]\r\nGap=-5\r\nLayout=abc\r\n[Bar]\r\nHeight=100\r\n"));
    const Settings s = LoadAt(path);
    EXPECT_EQ(s.tilingGap, 0);
    EXPECT_EQ(s.tilingLayout, 0);
    EXPECT_EQ(s.barHeight, 48);
}

TEST(SettingsFile, WrittenListsKeepNonAsciiTextAndReadBackLowerCased) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    Settings s = LoadAt(path);
    ASSERT_TRUE(WriteSetting(s, L"Tray", L"Hidden",
                             std::vector<std::wstring>{L"Blåbær.exe", L"OneDrive.exe"}, L", "));
    ASSERT_TRUE(WriteSetting(s, L"Bar", L"Autohide", true));
    ASSERT_TRUE(WriteSetting(s, L"Tiling", L"Gap", int32_t{12}));
    EXPECT_EQ(ReadValue(path, L"Tray", L"Hidden"), L"Blåbær.exe, OneDrive.exe");
    s = LoadAt(path);
    EXPECT_EQ(s.trayHidden, (std::vector<std::wstring>{L"blåbær.exe", L"onedrive.exe"}));
    EXPECT_TRUE(s.autohide);
    EXPECT_EQ(s.tilingGap, 12);
    // The file stays UTF-16 after the writes.
    const auto bytes = ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);

    ASSERT_TRUE(RemoveSetting(s, L"Tiling", L"Gap"));
    EXPECT_EQ(ReadValue(path, L"Tiling", L"Gap"), L"<absent>");
}

TEST(SettingsFile, PinnedSentinelTellsAbsentFromEmpty) {
    TempFolder folder;
    const std::wstring path = folder.File(L"corvane.ini");
    ASSERT_TRUE(WriteUtf16File(path, L"[General]\r\nLanguage=en\r\n[Dock]\r\nEnabled=1\r\n"));
    EXPECT_FALSE(LoadAt(path).pinnedPresent);
    ::WritePrivateProfileStringW(L"Dock", L"Pinned", L"", path.c_str());
    const Settings s = LoadAt(path);
    EXPECT_TRUE(s.pinnedPresent);
    EXPECT_TRUE(s.pinned.empty());
}

}  // namespace
}  // namespace corvane
