#include "config/Win32ProfileStore.h"

#include "base/Win32Handles.h"

#include <windows.h>

namespace corvane {

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
    return static_cast<int32_t>(::GetPrivateProfileIntW(s.c_str(), k.c_str(), fallback, path_.c_str()));
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
    if (path_.empty()) {
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
    if (path_.empty()) {
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

}  // namespace corvane
