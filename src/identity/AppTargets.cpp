#include "identity/AppTargets.h"

#include "config/SettingsText.h"

namespace corvane {
namespace {

constexpr std::wstring_view kAppsFolderPrefix = L"shell:appsfolder\\";
constexpr std::wstring_view kCefFolder = L"\\bin\\cef\\";
constexpr std::wstring_view kSteamWebHelper = L"steamwebhelper.exe";
// Shorter keys cannot hold a folder and the helper's name.
constexpr std::size_t kSteamRuleMinKeyLength = 18;

}  // namespace

std::wstring NormalizePathKey(std::wstring_view path) {
    std::wstring key(path);
    for (wchar_t& c : key) {
        c = c == L'/' ? L'\\' : LowerChar(c);
    }
    return key;
}

std::wstring LowerCased(std::wstring_view text) {
    return ToLower(text);
}

bool IsAppsFolderTarget(std::wstring_view target) {
    if (target.size() < kAppsFolderPrefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kAppsFolderPrefix.size(); ++i) {
        if (LowerChar(target[i]) != kAppsFolderPrefix[i]) {
            return false;
        }
    }
    return true;
}

bool IsShortcutPath(std::wstring_view target) {
    constexpr std::wstring_view kShortcut = L".lnk";
    return target.size() > kShortcut.size() &&
           EqualsNoCase(target.substr(target.size() - kShortcut.size()), kShortcut);
}

std::wstring LastPathComponent(std::wstring_view target) {
    const std::size_t slash = target.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? target : target.substr(slash + 1));
}

std::wstring ApplySteamRule(std::wstring_view exePath) {
    const std::wstring key = NormalizePathKey(exePath);
    if (key.size() <= kSteamRuleMinKeyLength || !key.ends_with(kSteamWebHelper)) {
        return std::wstring(exePath);
    }
    const std::size_t cef = key.find(kCefFolder);
    if (cef == std::wstring::npos) {
        return std::wstring(exePath);
    }
    // The key has the same length as the path, so the position carries over.
    return std::wstring(exePath.substr(0, cef)) + L"\\steam.exe";
}

std::wstring UnquoteAppPathValue(std::wstring_view value) {
    if (value.empty() || value.front() != L'"') {
        return std::wstring(value);
    }
    const std::wstring_view rest = value.substr(1);
    return std::wstring(rest.substr(0, rest.find(L'"')));
}

}  // namespace corvane
