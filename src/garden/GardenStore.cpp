#include "garden/GardenStore.h"

#include "base/ImagePaths.h"
#include "config/SettingsFolder.h"
#include "config/Win32ProfileStore.h"
#include "garden/GardenFile.h"

#include <windows.h>

namespace corvane {

std::wstring GardenFilePath() {
    return PathNextToExecutable(L"garden.ini");
}

std::vector<Bed> LoadGardenBeds(const std::wstring& path) {
    Win32ProfileStore store(path);
    EnsureGardenFile(store);
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const PixelRect virtualScreen{x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                  y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return ReadBeds(store, virtualScreen);
}

bool SaveGardenBeds(const std::vector<Bed>& beds, const std::wstring& path) {
    if (IsSettingsFolderReadOnly()) {
        return false;
    }
    const std::wstring temp = path + L".tmp";
    // What a save that died halfway left behind.
    ::DeleteFileW(temp.c_str());
    bool ok = false;
    {
        Win32ProfileStore store(temp);
        // EnsureGardenFile must create the file itself: a temp path taken by
        // something else would otherwise be written into or moved over.
        ok = !store.FileExists() && EnsureGardenFile(store) && WriteBeds(store, beds);
    }
    // The profile functions cache a file they wrote; flush before the move.
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, temp.c_str());
    ok = ok && ::MoveFileExW(temp.c_str(), path.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) {
        ::DeleteFileW(temp.c_str());
    }
    return ok;
}

bool ResetGardenFile(const std::wstring& path) {
    if (IsSettingsFolderReadOnly()) {
        return false;
    }
    return ::DeleteFileW(path.c_str()) != FALSE || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace corvane
