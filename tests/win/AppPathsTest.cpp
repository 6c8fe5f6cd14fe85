// App Paths and display names against the real registry, shell and file
// system.

#include "identity/AppPaths.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// A user App Paths registration, removed again at the end.
class AppPathsEntry {
public:
    AppPathsEntry(const std::wstring& fileName, const std::wstring& value)
        : subKey_(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + fileName) {
        created_ = ::RegSetKeyValueW(
                       HKEY_CURRENT_USER, subKey_.c_str(), nullptr, REG_SZ, value.c_str(),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    ~AppPathsEntry() { ::RegDeleteKeyW(HKEY_CURRENT_USER, subKey_.c_str()); }
    AppPathsEntry(const AppPathsEntry&) = delete;
    AppPathsEntry& operator=(const AppPathsEntry&) = delete;
    [[nodiscard]] bool Created() const { return created_; }

private:
    std::wstring subKey_;
    bool created_ = false;
};

TEST(ResolveAppPath, RegisteredExistingFilesOnly) {
    const std::wstring pid = std::to_wstring(::GetCurrentProcessId());
    const std::wstring name = L"corvane-apppath-" + pid + L".exe";
    const std::wstring target = test::BuiltFile(L"icon_fixture_large.exe");
    AppPathsEntry quoted(name, L"\"" + target + L"\" --started-by-test");
    ASSERT_TRUE(quoted.Created());
    EXPECT_EQ(ResolveAppPath(name), target);

    const std::wstring gone = L"corvane-apppath-gone-" + pid + L".exe";
    AppPathsEntry missing(gone, test::BuiltFile(L"no-such-program.exe"));
    ASSERT_TRUE(missing.Created());
    EXPECT_TRUE(ResolveAppPath(gone).empty());
}

TEST(ResolveDisplayName, DescriptionThenShellNameThenTheFilesStem) {
    EXPECT_EQ(ResolveDisplayName(test::BuiltFile(L"icon_fixture_large.exe"), true),
              L"Corvane icon fixture");
    // Without a path key the description is not asked for: the shell's name
    // (with or without the extension, as the shell shows it).
    EXPECT_EQ(ResolveDisplayName(test::BuiltFile(L"icon_fixture_large.exe"), false)
                  .rfind(L"icon_fixture_large", 0),
              0u);
    test::TempFolder folder;
    const std::wstring sub = folder.File(L"Blåbær Apps");
    ASSERT_TRUE(::CreateDirectoryW(sub.c_str(), nullptr));
    EXPECT_EQ(ResolveDisplayName(sub, true), L"Blåbær Apps");
    EXPECT_EQ(ResolveDisplayName(folder.File(L"Missing Tool.exe"), true), L"Missing Tool");
}

}  // namespace
}  // namespace corvane
