#include "identity/AppPaths.h"

#include "base/Win32Handles.h"
#include "identity/ForegroundIdentity.h"
#include "identity/AppTargets.h"

#include <windows.h>
#include <objbase.h>
#include <shobjidl.h>
#include <wrl/client.h>

namespace corvane {
namespace {

constexpr wchar_t kAppPathsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr DWORD kAppPathChars = 520;  // 1040 bytes

std::wstring ReadAppPath(HKEY root, const std::wstring& subKey) {
    wchar_t value[kAppPathChars] = {};
    DWORD bytes = sizeof(value);
    if (::RegGetValueW(root, subKey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    return UnquoteAppPathValue(std::wstring(value, ::wcsnlen(value, kAppPathChars)));
}

}  // namespace

std::wstring ShellDisplayName(const std::wstring& target) {
    Microsoft::WRL::ComPtr<IShellItem> item;
    if (FAILED(::SHCreateItemFromParsingName(target.c_str(), nullptr, IID_PPV_ARGS(&item)))) {
        return {};
    }
    wchar_t* raw = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_NORMALDISPLAY, &raw))) {
        return {};
    }
    const CoTaskString name(raw);
    return name ? std::wstring(name.get()) : std::wstring();
}

std::wstring ResolveAppPath(const std::wstring& fileName) noexcept {
    try {
        // A file name only: anything with a separator would reach other keys.
        if (fileName.empty() || fileName.find_first_of(L"\\/") != std::wstring::npos) {
            return {};
        }
        const std::wstring subKey = kAppPathsKey + fileName;
        for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            const std::wstring path = ReadAppPath(root, subKey);
            if (!path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
                return path;
            }
        }
        return {};
    } catch (...) {
        return {};
    }
}

std::wstring ResolveDisplayName(const std::wstring& target, bool hasPathKey) noexcept {
    try {
        // The shell would name an empty target after the desktop.
        if (target.empty()) {
            return {};
        }
        std::wstring name = ShellDisplayName(target);
        if (hasPathKey && !IsAppsFolderTarget(target)) {
            std::wstring description = FileDescriptionOf(target);
            if (!description.empty()) {
                name = std::move(description);
            }
        }
        return ShownTargetName(name, target);
    } catch (...) {
        return {};
    }
}

}  // namespace corvane
