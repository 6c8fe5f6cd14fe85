// menus.txt on disk: created, kept, replaced and read within its limit.

#include "appmenus/MenuProfileTable.h"
#include "appmenus/MenusFile.h"
#include "appmenus/MenusFileText.h"
#include "appmenus/MenusParser.h"
#include "resources/DefaultMenusText.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

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

// Whether TheMenuProfiles() holds exactly what the text parses to.
bool Loaded(std::wstring_view text) {
    const MenuProfileTable expected = ParseAppMenus(text);
    if (TheMenuProfiles().Keys() != expected.Keys()) {
        return false;
    }
    for (const std::wstring& key : expected.Keys()) {
        if (*TheMenuProfiles().Find(key) != *expected.Find(key)) {
            return false;
        }
    }
    return true;
}

class AppMenusFile : public testing::Test {
protected:
    void SetUp() override { TheMenuProfiles().Clear(); }
    void TearDown() override { TheMenuProfiles().Clear(); }

    TempFolder folder_;
    std::wstring path_ = folder_.File(L"menus.txt");
};

TEST_F(AppMenusFile, MissingFileIsCreatedInTheUiLanguageAndAnUntouchedOneFollowsTheLanguage) {
    LoadAppMenus(path_, false);
    EXPECT_EQ(ReadFileBytes(path_), DefaultBytes(false));
    EXPECT_TRUE(Loaded(DefaultMenusText(false)));
    LoadAppMenus(path_, true);
    EXPECT_EQ(ReadFileBytes(path_), DefaultBytes(true));
    EXPECT_TRUE(Loaded(DefaultMenusText(true)));
}

// Which texts count as untouched, and how bytes decode, is settled without
// files; here one edited file and one empty file stay as they are.
TEST_F(AppMenusFile, AnyOtherFileIsReadAndLeftAsItIs) {
    const std::wstring mine = L"[notepad.exe]\nMine\n    G\u00E5 = Ctrl+G\n";
    const struct {
        Bytes file;
        std::wstring_view parsed;
    } cases[] = {
        {EncodeMenusFileBytes(mine), mine},
        {{}, DefaultMenusText(false)},
    };
    // One after another into the same table: each load replaces all of it.
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        ASSERT_TRUE(WriteFileBytes(path_, cases[i].file));
        LoadAppMenus(path_, false);
        EXPECT_EQ(ReadFileBytes(path_), cases[i].file) << "case " << i;
        EXPECT_TRUE(Loaded(cases[i].parsed)) << "case " << i;
    }
}

TEST_F(AppMenusFile, WritingCreatesNewOrReplacesAndWithoutAReadableFileNothingIsWritten) {
    ASSERT_TRUE(WriteFileBytes(path_, AsBytes("mine")));
    WriteDefaultMenusFile(path_, DefaultMenusText(false), MenusFileWrite::CreateNew);
    EXPECT_EQ(ReadFileBytes(path_), AsBytes("mine"));
    WriteDefaultMenusFile(path_, DefaultMenusText(false), MenusFileWrite::ReplaceExisting);
    EXPECT_EQ(ReadFileBytes(path_), DefaultBytes(false));
    ASSERT_TRUE(::DeleteFileW(path_.c_str()));

    // A folder of that name cannot be read as a file, nor replaced by one.
    ASSERT_TRUE(::CreateDirectoryW(path_.c_str(), nullptr));
    LoadAppMenus(path_, true);
    EXPECT_TRUE(Loaded(DefaultMenusText(true)));
    EXPECT_NE(::GetFileAttributesW(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    // A folder that does not exist: nothing happens, nothing throws.
    WriteDefaultMenusFile(folder_.File(L"missing\\menus.txt"), L"x\n", MenusFileWrite::CreateNew);
    EXPECT_EQ(::GetFileAttributesW(folder_.File(L"missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(AppMenusFile, ReadsExactlyTheFirstFourMebibytes) {
    // The file's last line within the limit is "[edge.exe]", ending on the
    // limit's last byte. Read exactly, it is a header of an empty section;
    // one byte more or less and it is a menu title instead.
    std::string text = "\xEF\xBB\xBF[early.exe]\nEarly\n";
    const std::string edge = "[edge.exe]";
    const std::string line = std::string(63, '#') + "\n";
    while (text.size() + line.size() + edge.size() <= kMaxMenusFileBytes) {
        text += line;
    }
    text += std::string(kMaxMenusFileBytes - edge.size() - text.size() - 1, '#') + "\n" + edge;
    ASSERT_EQ(text.size(), 4194304u);
    ASSERT_TRUE(WriteFileBytes(path_, AsBytes(text + "X\n[late.exe]\nLate\n")));
    LoadAppMenus(path_, false);
    EXPECT_TRUE(Loaded(L"[early.exe]\nEarly\n[edge.exe]\n"));
}

}  // namespace
}  // namespace corvane
