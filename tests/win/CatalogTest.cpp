// The catalog against the real locale functions, shortcut files and version
// resources.

#include "base/Win32Handles.h"
#include "start/AppCatalog.h"
#include "start/CatalogLocale.h"
#include "start/CatalogRules.h"
#include "start/SearchFold.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <atomic>
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
                 {L"nb-NO", L"Øl", L"Zebra", 1, L'Ø'},      {L"nb-NO", L"Åpen", L"Zebra", 1, L'Å'},
                 {L"nb-NO", L"Жук", L"Zebra", 1, L'…'},     {L"ru-RU", L"Жук", L"Zebra", 1, L'Ж'}};
    for (const auto& c : cases) {
        const int order = CompareNamesIn(c.locale, c.a, c.b);
        EXPECT_EQ((order > 0) - (order < 0), c.order) << c.locale << " " << c.a << " " << c.b;
        EXPECT_EQ(LetterOf(c.a, LetterLocaleFor(c.locale)), c.letterOfA) << c.locale << " " << c.a;
    }
}

TEST(CatalogLocale, SearchFoldsCaseAccentsAndStrokedLetters) {
    const struct {
        const wchar_t* text;
        const wchar_t* folded;
    } cases[] = {{L"Café", L"cafe"},
                 {L"Språk og område", L"sprak og omrade"},
                 {L"Ørland Ærø", L"orland aero"},
                 {L"Łódź Straße", L"lodz strasse"},
                 {L"ＡＢＣ Über", L"abc uber"},
                 {L"x\U0001F600y", L"x\U0001F600y"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FoldForSearch(c.text), c.folded) << c.text;
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

// With a worker the GUI thread only ever asks: builds and pin names arrive
// later, through the worker's delivery, as the control window runs it.
TEST(AppCatalog, BuildsAndNamesPinsOnTheWorkerOnceAtATime) {
    const ComApartment com;
    Worker worker(nullptr, [] { return std::shared_ptr<void>(std::make_shared<ComApartment>()); });
    std::atomic<int> builds = 0;
    std::atomic<bool> findNothing = true;
    AppCatalog catalog([&] {
        ++builds;
        return findNothing ? std::vector<AppEntry>()
                           : std::vector<AppEntry>{MakeAppEntry(L"Helper", L"C:\\h.lnk", L"")};
    });
    int changes = 0;
    catalog.UseWorker(worker, [&] { ++changes; });
    const auto settle = [&](int wantChanges) {
        return test::WaitUntil(
            [&] {
                worker.RunFinished();
                return changes >= wantChanges;
            },
            10000);
    };

    // Nothing found: every keystroke asks, but the build runs once and is
    // not tried again right away.
    EXPECT_TRUE(catalog.GetApps(kBuildOnlyWhenEmpty).empty());
    EXPECT_TRUE(catalog.GetApps(kBuildOnlyWhenEmpty).empty());
    ASSERT_TRUE(settle(1));
    findNothing = false;
    EXPECT_TRUE(catalog.GetApps(kBuildOnlyWhenEmpty).empty());
    EXPECT_EQ(worker.Pending(), 0u);
    EXPECT_EQ(builds, 1);

    // A pin the catalog does not list reads as a name at once and as its
    // program's description once the worker found it.
    const std::wstring fixture = test::BuiltFile(L"icon_fixture_large.exe");
    EXPECT_EQ(catalog.ResolvePinned(fixture).name, L"icon_fixture_large");
    EXPECT_EQ(catalog.ResolvePinned(L"shell:AppsFolder\\Contoso.Gone_abc!App").name, L"Gone");
    ASSERT_TRUE(settle(3));
    EXPECT_EQ(catalog.ResolvePinned(fixture).name, L"Corvane icon fixture");
    EXPECT_EQ(catalog.ResolvePinned(L"shell:AppsFolder\\Contoso.Gone_abc!App").name, L"Gone");
}

}  // namespace
}  // namespace corvane
