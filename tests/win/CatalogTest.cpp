// The catalog against the real locale functions, shortcut files and version
// resources.

#include "base/Win32Handles.h"
#include "start/AppCatalog.h"
#include "start/CatalogLocale.h"
#include "start/CatalogRules.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <shobjidl.h>
#include <wrl/client.h>

namespace corvane {
namespace {

TEST(CatalogLocale, SortsAndFilesNamesAsTheLocaleDoes) {
    const struct {
        const wchar_t* locale;
        const wchar_t* a;
        const wchar_t* b;
        int order;
        wchar_t letterOfA;
    } cases[] = {{L"en-US", L"App 2", L"App 10", -1, L'A'}, {L"en-US", L"app", L"APP", 0, L'A'},
                 {L"en-US", L"éclair", L"Edge", -1, L'E'},  {L"en-US", L"Åpen", L"Zebra", -1, L'A'},
                 {L"nb-NO", L"Øl", L"Zebra", 1, L'Ø'},      {L"nb-NO", L"Åpen", L"Zebra", 1, L'Å'}};
    for (const auto& c : cases) {
        const int order = CompareNamesIn(c.locale, c.a, c.b);
        EXPECT_EQ((order > 0) - (order < 0), c.order) << c.locale << " " << c.a << " " << c.b;
        EXPECT_EQ(LetterOf(c.a, LetterLocaleFor(c.locale)), c.letterOfA) << c.locale << " " << c.a;
    }
}

bool SaveShortcut(const std::wstring& shortcut, const std::wstring& target) {
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    Microsoft::WRL::ComPtr<IPersistFile> file;
    return SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_PPV_ARGS(&link))) &&
           SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link.As(&file)) &&
           SUCCEEDED(file->Save(shortcut.c_str(), TRUE));
}

TEST(AppCatalog, ListsStartMenuShortcuts) {
    const ComApartment com;
    const test::TempFolder folder;
    const std::wstring vendor = folder.File(L"Vendor");
    const std::wstring helper = test::BuiltFile(L"test_helper.exe");
    const std::wstring notes = folder.File(L"notes.txt");
    ASSERT_TRUE(::CreateDirectoryW(vendor.c_str(), nullptr));
    ASSERT_TRUE(test::WriteFileBytes(notes, {'h', 'i'}));
    ASSERT_TRUE(SaveShortcut(vendor + L"\\Helper.lnk", helper));
    ASSERT_TRUE(SaveShortcut(vendor + L"\\Uninstall Helper.lnk", folder.File(L"unins000.exe")));
    ASSERT_TRUE(SaveShortcut(folder.File(L"Notes.lnk"), notes));

    const std::vector<AppEntry> entries = ListShortcutFolder(folder.Path());
    EXPECT_EQ(entries.size(), 2u);  // not the uninstaller
    const AppEntry* app = FindPinnedEntry(entries, helper);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->name, L"Helper");
    const AppEntry* document = FindPinnedEntry(entries, folder.File(L"Notes.lnk"));
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(document->hasExe);
}

TEST(AppCatalog, NamesAnUnknownPinnedProgramByItsDescription) {
    const ComApartment com;
    AppCatalog catalog;
    EXPECT_EQ(catalog.ResolvePinned(test::BuiltFile(L"icon_fixture_large.exe")).name,
              L"Corvane icon fixture");
    EXPECT_EQ(catalog.ResolvePinned(L"shell:AppsFolder\\Gone!App").name,
              L"shell:AppsFolder\\Gone!App");
}

}  // namespace
}  // namespace corvane
