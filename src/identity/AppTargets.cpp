#include "identity/AppTargets.h"

#include "base/TextHelpers.h"
#include "config/Texts.h"

#include <initializer_list>

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

std::wstring ReadablePinName(std::wstring_view identifier) {
    if (EqualsNoCase(identifier, kSettingsAppTarget)) {
        return Text(TextId::SettingsApp);
    }
    std::wstring_view name = identifier;
    if (IsAppsFolderTarget(name)) {
        name.remove_prefix(kAppsFolderPrefix.size());
    }
    if (const std::size_t bang = name.find(L'!'); bang != std::wstring_view::npos) {
        // A packaged app: "Publisher.Name_publisherid!App" shows as "Name".
        name = name.substr(0, bang);
        name = name.substr(0, name.find(L'_'));
        name = name.substr(name.find_last_of(L'.') + 1);
    } else {
        name = name.substr(name.find_last_of(L"\\/") + 1);
        for (const std::wstring_view extension : {L".exe", L".lnk", L".url"}) {
            if (name.size() > extension.size() &&
                EqualsNoCase(name.substr(name.size() - extension.size()), extension)) {
                name.remove_suffix(extension.size());
                break;
            }
        }
    }
    if (name.empty()) {
        return std::wstring(identifier);
    }
    // "WindowsCalculator" reads as two words; a name with blanks or one
    // that is all capitals is left as it is.
    std::wstring readable;
    const bool spaced = name.find(L' ') != std::wstring_view::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        if (!spaced && i > 0 && c >= L'A' && c <= L'Z' && name[i - 1] >= L'a' &&
            name[i - 1] <= L'z') {
            readable.push_back(L' ');
        }
        readable.push_back(c);
    }
    return readable;
}

std::wstring ShownTargetName(std::wstring_view shellName, std::wstring_view target) {
    // A shell that cannot name an app hands its parsing name back, or the
    // file's name as it is on disk: neither is what a person calls it.
    const std::wstring_view afterFolder =
        IsAppsFolderTarget(target) ? target.substr(kAppsFolderPrefix.size()) : target;
    if (shellName.empty() || EqualsNoCase(shellName, target) ||
        EqualsNoCase(shellName, afterFolder) ||
        EqualsNoCase(shellName, LastPathComponent(target))) {
        return ReadablePinName(target);
    }
    return std::wstring(shellName);
}

}  // namespace corvane
