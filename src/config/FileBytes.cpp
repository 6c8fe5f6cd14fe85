#include "config/FileBytes.h"

#include "base/Win32Handles.h"
#include "config/SettingsFolder.h"

#include <windows.h>

#include <algorithm>

namespace corvane {

std::vector<uint8_t> ReadFileBytes(const std::wstring& path, std::size_t maxBytes) {
    std::vector<uint8_t> bytes;
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return bytes;
    }
    constexpr std::size_t kChunk = 64 * 1024;
    while (bytes.size() < maxBytes) {
        const std::size_t want = std::min(kChunk, maxBytes - bytes.size());
        const std::size_t at = bytes.size();
        bytes.resize(at + want);
        DWORD read = 0;
        const BOOL ok =
            ::ReadFile(file.Get(), bytes.data() + at, static_cast<DWORD>(want), &read, nullptr);
        bytes.resize(at + (ok ? read : 0));
        if (!ok || read == 0) {
            break;
        }
    }
    return bytes;
}

bool ReplaceFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    if (IsSettingsFolderReadOnly() || bytes.size() > MAXDWORD) {
        return false;
    }
    const std::wstring temp = path + L".tmp";
    bool ok = false;
    {
        UniqueHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ok = file &&
             ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) != FALSE &&
             written == bytes.size() && ::FlushFileBuffers(file.Get()) != FALSE;
    }
    ok = ok && ::MoveFileExW(temp.c_str(), path.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) {
        ::DeleteFileW(temp.c_str());
    }
    return ok;
}

}  // namespace corvane
