#include "garden/DesktopScan.h"

#include "base/Win32Handles.h"

#include <shlobj.h>

namespace corvane {
namespace {

std::wstring KnownFolderPath(REFKNOWNFOLDERID id) {
    PWSTR raw = nullptr;
    const HRESULT hr = ::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &raw);
    // The string is the caller's to free even when the call fails.
    CoTaskString path(raw);
    return SUCCEEDED(hr) && path ? std::wstring(path.get()) : std::wstring();
}

void AddFolder(GardenItems& items, const std::wstring& folder) {
    if (folder.empty()) {
        return;
    }
    WIN32_FIND_DATAW data = {};
    UniqueFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find) {
        return;
    }
    do {
        AddDesktopEntry(items, folder, data.cFileName, data.dwFileAttributes);
    } while (::FindNextFileW(find.Get(), &data));
}

}  // namespace

std::array<std::wstring, 2> DesktopFolders() {
    return {KnownFolderPath(FOLDERID_Desktop), KnownFolderPath(FOLDERID_PublicDesktop)};
}

GardenItems ScanDesktop() {
    GardenItems items;
    for (const std::wstring& folder : DesktopFolders()) {
        AddFolder(items, folder);
    }
    GardenItem bin = RecycleBinItem();
    std::wstring id = GardenItemId(bin.entry.target);
    items.insert_or_assign(std::move(id), std::move(bin));
    return items;
}

}  // namespace corvane
