#include "dock/Win32DefaultPinProbes.h"

#include "identity/AppPaths.h"

#include <windows.h>

#include <cwchar>

namespace corvane {
namespace {

// The longest environment value, and the longest path, Windows allows.
constexpr DWORD kMaxTextChars = 32767;
constexpr wchar_t kSteamKey[] = L"Software\\Valve\\Steam";
constexpr DWORD kSteamExeChars = 1040 / sizeof(wchar_t);

// Calls that answer with the length they need when the buffer is short:
// one retry with that length, within the bound (the length can also grow
// in between, when another thread changes the value).
template <typename Read>
std::wstring ReadSized(Read read) {
    std::wstring text(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD n = read(text.data(), static_cast<DWORD>(text.size()));
        if (n == 0 || n > kMaxTextChars) {
            return {};
        }
        if (n < text.size()) {
            text.resize(n);
            return text;
        }
        text.assign(n, L'\0');
    }
    return {};
}

// A path with an embedded zero would be checked only up to it.
DWORD Attributes(std::wstring_view path) {
    if (path.empty() || path.size() > kMaxTextChars || path.find(L'\0') != path.npos) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return ::GetFileAttributesW(std::wstring(path).c_str());
}

}  // namespace

std::wstring Win32DefaultPinProbes::WindowsDirectory() {
    return ReadSized([](wchar_t* buffer, DWORD chars) {
        return static_cast<DWORD>(::GetWindowsDirectoryW(buffer, chars));
    });
}

std::wstring Win32DefaultPinProbes::ResolveAppPath(std::wstring_view exe) {
    return ::corvane::ResolveAppPath(std::wstring(exe));
}

std::wstring Win32DefaultPinProbes::SteamExe() {
    wchar_t value[kSteamExeChars] = {};
    DWORD bytes = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kSteamKey, L"SteamExe", RRF_RT_REG_SZ, nullptr, value,
                       &bytes) != ERROR_SUCCESS) {
        return {};
    }
    return std::wstring(value, ::wcsnlen(value, kSteamExeChars));
}

bool Win32DefaultPinProbes::FolderExists(std::wstring_view path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32DefaultPinProbes::FileExists(std::wstring_view path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring Win32DefaultPinProbes::Environment(std::wstring_view name) {
    if (name.empty() || name.find(L'\0') != name.npos) {
        return {};
    }
    const std::wstring variable(name);
    return ReadSized([&variable](wchar_t* buffer, DWORD chars) {
        return ::GetEnvironmentVariableW(variable.c_str(), buffer, chars);
    });
}

}  // namespace corvane
