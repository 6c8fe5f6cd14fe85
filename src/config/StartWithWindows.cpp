#include "config/StartWithWindows.h"

#include "base/ImagePaths.h"

#include <windows.h>

#include <string>

namespace corvane {
namespace {
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Corvane";
}  // namespace

bool IsStartWithWindows() noexcept {
    DWORD size = 0;
    return ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr, nullptr,
                          &size) == ERROR_SUCCESS;
}

bool SetStartWithWindows(bool on) noexcept {
    try {
        if (!on) {
            const LSTATUS status = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName);
            return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
        }
        const std::wstring exe = ExecutablePath();
        if (exe.empty()) {
            return false;
        }
        const std::wstring quoted = L"\"" + exe + L"\"";
        return ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName, REG_SZ, quoted.c_str(),
                                 static_cast<DWORD>((quoted.size() + 1) * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
    } catch (...) {
        return false;
    }
}

}  // namespace corvane
