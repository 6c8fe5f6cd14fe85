// What a catalog build from Start-menu shortcuts costs: 1,000 shortcuts to a
// real program in a folder tree, read, de-duplicated and sorted as the
// catalog does when the Applications folder cannot be listed. Prints the
// median and the spread.
//
//   catalog_build_bench [runs, default 9]

#include "BenchClock.h"
#include "base/Win32Handles.h"
#include "start/AppCatalog.h"
#include "start/CatalogLocale.h"
#include "start/CatalogRules.h"

#include <shobjidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Microsoft::WRL::ComPtr;

constexpr int kFolders = 40;
constexpr int kShortcutsPerFolder = 25;

using corvane::bench::NowMs;

// A tree like a Start menu's: vendor folders of a few dozen shortcuts each.
bool CreateShortcuts(const std::wstring& root, const std::wstring& target,
                     std::vector<std::wstring>& created) {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&link))) ||
        FAILED(link->SetPath(target.c_str())) || FAILED(link.As(&file))) {
        return false;
    }
    for (int f = 0; f < kFolders; ++f) {
        const std::wstring folder = root + L"\\Vendor " + std::to_wstring(f);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        created.push_back(folder);
        for (int s = 0; s < kShortcutsPerFolder; ++s) {
            const std::wstring shortcut =
                folder + L"\\App " + std::to_wstring(f * kShortcutsPerFolder + s) + L".lnk";
            if (FAILED(file->Save(shortcut.c_str(), TRUE))) {
                return false;
            }
            created.push_back(shortcut);
        }
    }
    return true;
}

void Remove(const std::vector<std::wstring>& created, const std::wstring& root) {
    for (auto it = created.rbegin(); it != created.rend(); ++it) {
        if (!::DeleteFileW(it->c_str())) {
            ::RemoveDirectoryW(it->c_str());
        }
    }
    ::RemoveDirectoryW(root.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace corvane;
    const int runs = argc > 1 ? std::max(3, _wtoi(argv[1])) : 9;
    ComApartment com;
    wchar_t self[MAX_PATH] = {};
    wchar_t temp[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring root =
        std::wstring(temp) + L"corvane-catalog-bench-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(root.c_str(), nullptr);

    std::vector<std::wstring> created;
    const double start = NowMs();
    const bool ok = CreateShortcuts(root, self, created);
    const double creating = NowMs() - start;
    std::vector<double> ms;
    std::size_t listed = 0;
    for (int i = 0; ok && i < runs; ++i) {
        const double t0 = NowMs();
        std::vector<AppEntry> entries = ListShortcutFolder(root);
        FinishCatalog(entries, CompareNames);
        ms.push_back(NowMs() - t0);
        listed = entries.size();
    }
    Remove(created, root);
    if (!ok || listed != static_cast<std::size_t>(kFolders * kShortcutsPerFolder)) {
        std::fwprintf(stderr, L"catalog_build_bench: %zu of %d shortcuts listed\n", listed,
                      kFolders * kShortcutsPerFolder);
        return 1;
    }
    std::sort(ms.begin(), ms.end());
    std::wprintf(
        L"Catalog build from %zu shortcuts: median %.1f ms, p10 %.1f ms, p90 %.1f ms (%d runs; "
        L"creating them took %.0f ms)\n",
        listed, ms[ms.size() / 2], ms[ms.size() / 10], ms[ms.size() * 9 / 10], runs, creating);
    return 0;
}
