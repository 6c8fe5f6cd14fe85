// menus.txt on disk: created, kept, replaced and read within its limit.

#include "appmenus/MenuProfileTable.h"
#include "appmenus/MenusFile.h"
#include "appmenus/MenusFileText.h"
#include "appmenus/Utf8Text.h"
#include "resources/DefaultMenusText.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace corvane {
namespace {

using Bytes = std::vector<uint8_t>;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

Bytes AsBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes DefaultBytes(bool norwegian) {
    return EncodeMenusFileBytes(DefaultMenusText(norwegian));
}

// Title of the first menu of the default profile, or "<none>".
std::wstring FirstDefaultTitle() {
    const MenuProfile* profile = TheMenuProfiles().Find(L"*");
    return profile != nullptr && !profile->empty() ? profile->front().title : L"<none>";
}

class AppMenusFile : public testing::Test {
protected:
    void SetUp() override { TheMenuProfiles().Clear(); }
    void TearDown() override { TheMenuProfiles().Clear(); }

    TempFolder folder_;
    std::wstring path_ = folder_.File(L"menus.txt");
};

TEST_F(AppMenusFile, MissingFileIsCreatedInTheUiLanguageWithMarkAndCrLf) {
    for (const bool norwegian : {false, true}) {
        TempFolder folder;
        const std::wstring path = folder.File(L"menus.txt");
        LoadAppMenus(path, norwegian);
        const Bytes bytes = ReadFileBytes(path);
        ASSERT_GE(bytes.size(), 3u);
        EXPECT_EQ(bytes[0], 0xEF);
        EXPECT_EQ(bytes[1], 0xBB);
        EXPECT_EQ(bytes[2], 0xBF);
        std::size_t lineFeeds = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == 0x0A) {
                ++lineFeeds;
                ASSERT_GT(i, 0u);
                EXPECT_EQ(bytes[i - 1], 0x0D) << "bare line feed at byte " << i;
            } else if (bytes[i] == 0x0D) {
                ASSERT_LT(i + 1, bytes.size());
                EXPECT_EQ(bytes[i + 1], 0x0A) << "bare carriage return at byte " << i;
            }
        }
        EXPECT_EQ(lineFeeds, 285u);
        EXPECT_EQ(bytes, DefaultBytes(norwegian));
        // The text on disk reads back as the built-in text, non-ASCII intact.
        const std::wstring text = DecodeMenusFileBytes(bytes.data(), bytes.size());
        EXPECT_NE(text.find(norwegian ? L"Gjenåpne lukket fane" : L"Open File…"),
                  std::wstring::npos);

        EXPECT_EQ(FirstDefaultTitle(), norwegian ? L"Fil" : L"File");
        EXPECT_EQ(TheMenuProfiles().Size(), 23u);
    }
}

TEST_F(AppMenusFile, EditedFileIsKeptAndParsed) {
    const Bytes mine = AsBytes("[notepad.exe]\r\nMine\r\n    Go = Ctrl+G\r\n");
    ASSERT_TRUE(WriteFileBytes(path_, mine));
    LoadAppMenus(path_, true);
    EXPECT_EQ(ReadFileBytes(path_), mine);
    EXPECT_EQ(TheMenuProfiles().Keys(), std::vector<std::wstring>{L"notepad.exe"});
    EXPECT_EQ(TheMenuProfiles().Find(L"notepad.exe")->at(0).items.at(0).name, L"Go");
}

TEST_F(AppMenusFile, CurrentLanguageDefaultIsLeftAlone) {
    WriteDefaultMenusFile(path_, DefaultMenusText(false), MenusFileWrite::CreateNew);
    FILETIME before = {};
    {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(::GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &data));
        before = data.ftLastWriteTime;
    }
    ::Sleep(20);
    LoadAppMenus(path_, false);
    WIN32_FILE_ATTRIBUTE_DATA after = {};
    ASSERT_TRUE(::GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(::CompareFileTime(&before, &after.ftLastWriteTime), 0);
    EXPECT_EQ(FirstDefaultTitle(), L"File");
}

TEST_F(AppMenusFile, UntouchedDefaultOfTheOtherLanguageIsReplaced) {
    for (const bool norwegian : {false, true}) {
        TempFolder folder;
        const std::wstring path = folder.File(L"menus.txt");
        LoadAppMenus(path, !norwegian);
        ASSERT_EQ(ReadFileBytes(path), DefaultBytes(!norwegian));
        // The language switches.
        LoadAppMenus(path, norwegian);
        EXPECT_EQ(ReadFileBytes(path), DefaultBytes(norwegian));
        EXPECT_EQ(FirstDefaultTitle(), norwegian ? L"Fil" : L"File");
    }
}

TEST_F(AppMenusFile, OtherDefaultSavedByAnEditorStillCountsAsUntouched) {
    // Line feeds only, no mark, blank lines and spaces at the end.
    const std::string utf8 = EncodeUtf8(DefaultMenusText(true)) + "\n\n   \n";
    ASSERT_TRUE(WriteFileBytes(path_, AsBytes(utf8)));
    LoadAppMenus(path_, false);
    EXPECT_EQ(ReadFileBytes(path_), DefaultBytes(false));
    EXPECT_EQ(FirstDefaultTitle(), L"File");
}

TEST_F(AppMenusFile, OtherDefaultWithOneCharacterChangedStays) {
    std::wstring edited(DefaultMenusText(true));
    const std::size_t at = edited.find(L"Ctrl+Shift+N");
    ASSERT_NE(at, std::wstring::npos);
    edited.replace(at, 12, L"Ctrl+Shift+M");
    WriteDefaultMenusFile(path_, edited, MenusFileWrite::CreateNew);
    const Bytes written = ReadFileBytes(path_);
    LoadAppMenus(path_, false);
    EXPECT_EQ(ReadFileBytes(path_), written);
    EXPECT_EQ(FirstDefaultTitle(), L"Fil");
    const AppMenuItem& item = TheMenuProfiles().Find(L"chrome.exe")->at(0).items.at(2);
    EXPECT_EQ(item.shortcutText, L"Ctrl+Shift+M");
}

TEST_F(AppMenusFile, EmptyFileGivesTheDefaultMenusAndStaysEmpty) {
    ASSERT_TRUE(WriteFileBytes(path_, {}));
    LoadAppMenus(path_, true);
    EXPECT_TRUE(ReadFileBytes(path_).empty());
    EXPECT_EQ(FirstDefaultTitle(), L"Fil");

    // A lone mark is empty text as well.
    ASSERT_TRUE(WriteFileBytes(path_, {0xEF, 0xBB, 0xBF}));
    LoadAppMenus(path_, false);
    EXPECT_EQ(ReadFileBytes(path_).size(), 3u);
    EXPECT_EQ(FirstDefaultTitle(), L"File");
}

TEST_F(AppMenusFile, UnopenableFileGivesTheDefaultAndNothingIsWritten) {
    // A folder of that name exists, so nothing is created; it cannot be read
    // as a file.
    ASSERT_TRUE(::CreateDirectoryW(path_.c_str(), nullptr));
    LoadAppMenus(path_, false);
    EXPECT_EQ(FirstDefaultTitle(), L"File");
    EXPECT_NE(::GetFileAttributesW(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(AppMenusFile, ReloadReplacesTheWholeTable) {
    ASSERT_TRUE(WriteFileBytes(path_, AsBytes("[a.exe]\nA\n")));
    LoadAppMenus(path_, false);
    ASSERT_NE(TheMenuProfiles().Find(L"a.exe"), nullptr);
    ASSERT_TRUE(WriteFileBytes(path_, AsBytes("[b.exe]\nB\n")));
    LoadAppMenus(path_, false);
    EXPECT_EQ(TheMenuProfiles().Find(L"a.exe"), nullptr);
    EXPECT_NE(TheMenuProfiles().Find(L"b.exe"), nullptr);
}

TEST_F(AppMenusFile, ReadsExactlyTheFirstFourMebibytes) {
    // The file's last line within the limit is "[edge.exe]", ending on the
    // limit's last byte. Read exactly, it is a header of an empty section;
    // one byte more or less and it is a menu title instead.
    constexpr std::size_t kLimit = 4194304;
    std::string text = "\xEF\xBB\xBF[early.exe]\nEarly\n    E = Ctrl+E\n";
    const std::string edge = "[edge.exe]";
    const std::string comment = "# padding padding padding padding padding padding padding\n";
    while (text.size() + comment.size() + edge.size() <= kLimit) {
        text += comment;
    }
    const std::size_t gap = kLimit - edge.size() - text.size();
    if (gap > 0) {
        text += std::string(gap - 1, '#') + "\n";
    }
    text += edge;
    ASSERT_EQ(text.size(), kLimit);
    text += "X\n[late.exe]\nLate\n";
    ASSERT_TRUE(WriteFileBytes(path_, AsBytes(text)));

    LoadAppMenus(path_, false);
    const MenuProfileTable& table = TheMenuProfiles();
    EXPECT_NE(table.Find(L"early.exe"), nullptr);
    ASSERT_NE(table.Find(L"edge.exe"), nullptr);
    EXPECT_TRUE(table.Find(L"edge.exe")->empty());
    EXPECT_EQ(table.Find(L"late.exe"), nullptr);
    EXPECT_EQ(ReadFileBytes(path_).size(), text.size());
}

TEST_F(AppMenusFile, BrokenUtf8BecomesReplacementCharacters) {
    ASSERT_TRUE(WriteFileBytes(
        path_, AsBytes("[a.exe]\r\nF\xC3\r\nB\xE2\x80x\xFF\r\n    \xC3\xA5 = Ctrl+A\r\n")));
    LoadAppMenus(path_, false);
    const MenuProfile* profile = TheMenuProfiles().Find(L"a.exe");
    ASSERT_NE(profile, nullptr);
    ASSERT_EQ(profile->size(), 2u);
    EXPECT_EQ((*profile)[0].title, L"F\uFFFD");
    EXPECT_EQ((*profile)[1].title, L"B\uFFFDx\uFFFD");
    EXPECT_EQ((*profile)[1].items.at(0).name, L"\u00E5");
}

TEST_F(AppMenusFile, CreateNewNeverOverwritesButReplaceDoes) {
    const Bytes mine = AsBytes("mine");
    ASSERT_TRUE(WriteFileBytes(path_, mine));
    WriteDefaultMenusFile(path_, DefaultMenusText(false), MenusFileWrite::CreateNew);
    EXPECT_EQ(ReadFileBytes(path_), mine);
    WriteDefaultMenusFile(path_, DefaultMenusText(false), MenusFileWrite::ReplaceExisting);
    EXPECT_EQ(ReadFileBytes(path_), DefaultBytes(false));
    // A folder that does not exist: nothing happens, nothing throws.
    WriteDefaultMenusFile(folder_.File(L"missing\\menus.txt"), L"x\n", MenusFileWrite::CreateNew);
    EXPECT_EQ(::GetFileAttributesW(folder_.File(L"missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Runs of U+FFFD as one: how many a broken sequence gives is not documented
// for the system converter (Wine gives fewer than Unicode's recommended
// practice for over-long forms and encoded surrogates).
std::wstring CollapseReplacements(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        if (c != L'\uFFFD' || out.empty() || out.back() != L'\uFFFD') {
            out.push_back(c);
        }
    }
    return out;
}

// The decoder stands in for the system's UTF-8 converter; both must keep the
// same characters around broken input and replace what is broken.
TEST(MenusUtf8, DecoderAgreesWithTheSystemConverter) {
    const std::string samples[] = {
        "plain",
        "\xC3\xA5\xE2\x80\xA6\xF0\x9F\x98\x80",
        "\x80",
        "\xC0\x80",
        "\xE0\x80\x80",
        "\xED\xA0\x80",
        "\xF4\x90\x80\x80",
        "\xE2\x80"
        "A",
        "\xF0\x9F\x98"
        "\xC3\xA5",
        "\xFF\xFE",
        "a\xC3",
        "\xF5\x80\x80",
        "\xEF\xBB\xBF"
        "x",
    };
    for (const std::string& s : samples) {
        const int n =
            ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
        std::wstring system(static_cast<std::size_t>(n), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), system.data(), n);
        const std::wstring ours = DecodeUtf8(reinterpret_cast<const uint8_t*>(s.data()), s.size());
        EXPECT_EQ(CollapseReplacements(ours), CollapseReplacements(system))
            << "input of " << s.size() << " bytes starting "
            << static_cast<int>(static_cast<uint8_t>(s[0]));
    }
}

}  // namespace
}  // namespace corvane
