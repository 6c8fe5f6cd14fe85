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

GardenLoad LoadGardenBeds(const std::wstring& path) {
    Win32ProfileStore store(path);
    const GardenFileState state = !store.FileExists() ? GardenFileState::Missing
                                  : store.CanRead()   ? GardenFileState::Readable
                                                      : GardenFileState::Unreadable;
    GardenLoad load;
    if (state == GardenFileState::Readable) {
        const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
        load.beds = ReadBeds(store, {x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                     y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)});
    }
    switch (DecideGardenLoad(state, !load.beds.empty())) {
        case GardenLoadStep::UseBeds:
        case GardenLoadStep::WriteDefaults:
            break;
        case GardenLoadStep::BackUpThenWriteDefaults: {
            // Also what a lock taken between the check and the read looks
            // like: the copy then fails too, and the file is kept. A folder
            // that refuses writes keeps the file anyway.
            load.fileHeld = !IsSettingsFolderReadOnly() && !store.CopyAside();
            break;
        }
        case GardenLoadStep::KeepFileUseDefaults:
            load.fileHeld = true;
            break;
    }
    return load;
}

bool SaveGardenBeds(const std::vector<Bed>& beds, const std::wstring& path) {
    // The move and the deletions take the path the profile functions write
    // by: a path of MAX_PATH or more fails in them without the long-path
    // prefix.
    const std::wstring file = ProfileFilePath(path);
    const std::wstring temp = ProfileFilePath(path + L".tmp");
    if (IsSettingsFolderReadOnly() || file.empty() || temp.empty()) {
        return false;
    }
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
    ok = ok && ::MoveFileExW(temp.c_str(), file.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) {
        // The reason the user is told is the save's, not the clean-up's.
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temp.c_str());
        ::SetLastError(error);
    }
    return ok;
}

bool ResetGardenFile(const std::wstring& path) {
    const std::wstring file = ProfileFilePath(path);
    if (IsSettingsFolderReadOnly() || file.empty()) {
        return false;
    }
    return ::DeleteFileW(file.c_str()) != FALSE || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace corvane
