#include "config/Win32ProfileStore.h"

#include "base/Win32Handles.h"
#include "config/SettingsFolder.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace corvane {
namespace {

constexpr wchar_t kLongPathPrefix[] = L"\\\\?\\";

}  // namespace

// The profile functions cut or redirect longer paths: one system writes the
// file under a mangled name in the current folder, another in the drive
// root. The short form of the folder keeps them on the real file.
std::wstring ProfileFilePath(const std::wstring& path) {
    if (path.size() < MAX_PATH) {
        return path;
    }
    const std::size_t cut = path.find_last_of(L'\\');
    if (cut == std::wstring::npos) {
        return {};
    }
    const std::wstring folder = kLongPathPrefix + path.substr(0, cut);
    std::wstring shortFolder(folder.size() + 1, L'\0');
    const DWORD n = ::GetShortPathNameW(folder.c_str(), shortFolder.data(),
                                        static_cast<DWORD>(shortFolder.size()));
    if (n == 0 || n >= shortFolder.size()) {
        return {};
    }
    shortFolder.resize(n);
    if (shortFolder.starts_with(kLongPathPrefix)) {
        shortFolder.erase(0, std::size(kLongPathPrefix) - 1);
    }
    std::wstring shortPath = shortFolder + path.substr(cut);
    return shortPath.size() < MAX_PATH ? shortPath : std::wstring();
}

Win32ProfileStore::Win32ProfileStore(const std::wstring& path) : path_(ProfileFilePath(path)) {}

// An empty path means the executable's folder is unknown: the profile API
// would fall back to win.ini or the current drive, so nothing is read or
// written and the settings stay at their defaults.

bool Win32ProfileStore::FileExists() {
    return !path_.empty() && ::GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int32_t Win32ProfileStore::GetInt(std::wstring_view section, std::wstring_view key,
                                  int32_t fallback) {
    if (path_.empty()) {
        return fallback;
    }
    const std::wstring s(section);
    const std::wstring k(key);
    return static_cast<int32_t>(
        ::GetPrivateProfileIntW(s.c_str(), k.c_str(), fallback, path_.c_str()));
}

std::wstring Win32ProfileStore::GetString(std::wstring_view section, std::wstring_view key,
                                          std::wstring_view fallback, std::size_t bufferChars) {
    if (bufferChars == 0) {
        return {};
    }
    if (path_.empty()) {
        return std::wstring(fallback.substr(0, bufferChars - 1));
    }
    const std::wstring s(section);
    const std::wstring k(key);
    const std::wstring f(fallback);
    std::wstring buffer(bufferChars, L'\0');
    const DWORD n = ::GetPrivateProfileStringW(s.c_str(), k.c_str(), f.c_str(), buffer.data(),
                                               static_cast<DWORD>(bufferChars), path_.c_str());
    buffer.resize(n < bufferChars ? n : bufferChars - 1);
    return buffer;
}

bool Win32ProfileStore::WriteString(std::wstring_view section, std::wstring_view key,
                                    std::optional<std::wstring_view> value) {
    if (path_.empty() || IsSettingsFolderReadOnly()) {
        return false;
    }
    const std::wstring s(section);
    const std::wstring k(key);
    if (!value) {
        return ::WritePrivateProfileStringW(s.c_str(), k.c_str(), nullptr, path_.c_str()) != FALSE;
    }
    const std::wstring v(*value);
    return ::WritePrivateProfileStringW(s.c_str(), k.c_str(), v.c_str(), path_.c_str()) != FALSE;
}

bool Win32ProfileStore::CreateNew(const std::vector<uint8_t>& bytes) {
    if (path_.empty() || IsSettingsFolderReadOnly()) {
        return false;
    }
    UniqueHandle file(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    DWORD written = 0;
    return ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) != FALSE &&
           written == bytes.size();
}

bool Win32ProfileStore::CanWrite() {
    if (path_.empty() || IsSettingsFolderReadOnly()) {
        return false;
    }
    // Opening for writing changes neither the bytes nor the time stamps.
    const UniqueHandle file(::CreateFileW(path_.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

bool Win32ProfileStore::CanRead() {
    if (path_.empty()) {
        return false;
    }
    const UniqueHandle file(::CreateFileW(path_.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

std::vector<std::wstring> Win32ProfileStore::SectionNames() {
    std::vector<std::wstring> names;
    if (path_.empty()) {
        return names;
    }
    // A list that did not fit comes back as the buffer's size minus two.
    std::wstring buffer;
    DWORD n = 0;
    for (std::size_t chars = 4096;; chars *= 2) {
        buffer.assign(chars, L'\0');
        n = ::GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(chars),
                                             path_.c_str());
        if (n + 2 < chars || chars >= kWholeValueMaxChars) {
            break;
        }
    }
    const bool cut = n + 2 >= buffer.size();
    buffer.resize(std::min<std::size_t>(n, buffer.size()));
    for (std::size_t start = 0; start < buffer.size();) {
        const std::size_t end = std::min(buffer.find(L'\0', start), buffer.size());
        if (end > start) {
            names.emplace_back(buffer, start, end - start);
        }
        start = end + 1;
    }
    // The last name of a list that never fitted may be cut short.
    if (cut && !names.empty()) {
        names.pop_back();
    }
    return names;
}

bool Win32ProfileStore::CopyAside() {
    if (path_.empty() || IsSettingsFolderReadOnly()) {
        return false;
    }
    return ::CopyFileW(path_.c_str(), (path_ + L".bak").c_str(), FALSE) != FALSE;
}

}  // namespace corvane
