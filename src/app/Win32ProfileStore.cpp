#include "app/Win32ProfileStore.h"

#include "app/Win32Handles.h"

#include <windows.h>

namespace corvane {

bool Win32ProfileStore::FileExists() {
    return ::GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int32_t Win32ProfileStore::GetInt(std::wstring_view section, std::wstring_view key,
                                  int32_t fallback) {
    const std::wstring s(section);
    const std::wstring k(key);
    return static_cast<int32_t>(::GetPrivateProfileIntW(s.c_str(), k.c_str(), fallback, path_.c_str()));
}

std::wstring Win32ProfileStore::GetString(std::wstring_view section, std::wstring_view key,
                                          std::wstring_view fallback, std::size_t bufferChars) {
    if (bufferChars == 0) {
        return {};
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
    const std::wstring s(section);
    const std::wstring k(key);
    if (!value) {
        return ::WritePrivateProfileStringW(s.c_str(), k.c_str(), nullptr, path_.c_str()) != FALSE;
    }
    const std::wstring v(*value);
    return ::WritePrivateProfileStringW(s.c_str(), k.c_str(), v.c_str(), path_.c_str()) != FALSE;
}

bool Win32ProfileStore::CreateNew(const std::vector<uint8_t>& bytes) {
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
