#include "start/CatalogRules.h"

#include "base/TextHelpers.h"
#include "identity/AppTargets.h"

#include <algorithm>
#include <unordered_set>

namespace corvane {
namespace {

// `prefix` and `part` are lower case.
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) noexcept {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}
bool ContainsNoCase(std::wstring_view text, std::wstring_view part) noexcept {
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
        if (EqualsNoCase(text.substr(i, part.size()), part)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsWebLink(std::wstring_view parsingName) noexcept {
    return parsingName.find(L"://") != std::wstring_view::npos;
}

bool IsDrivePath(std::wstring_view parsingName) noexcept {
    return parsingName.size() >= 3 && parsingName[1] == L':' && parsingName[2] == L'\\';
}

std::optional<std::pair<std::wstring_view, std::wstring_view>> SplitKnownFolderPrefix(
    std::wstring_view parsingName) noexcept {
    // "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" is 38 characters; at least one
    // more is needed for there to be anything inside the folder.
    constexpr std::size_t kGuidChars = 38;
    if (parsingName.size() <= kGuidChars || parsingName.front() != L'{' ||
        parsingName[kGuidChars - 1] != L'}') {
        return std::nullopt;
    }
    return std::pair{parsingName.substr(0, kGuidChars), parsingName.substr(kGuidChars)};
}

bool IsExePath(std::wstring_view path) noexcept {
    constexpr std::wstring_view kExe = L".exe";
    return path.size() >= kExe.size() && EqualsNoCase(path.substr(path.size() - kExe.size()), kExe);
}

bool IsUninstaller(std::wstring_view name, std::wstring_view exePath) noexcept {
    // "Foo Uninstaller" may be a tool of its own; "Foo uninstall tool" and
    // "Uninstall Foo" only remove Foo.
    if (StartsWithNoCase(name, L"uninstall") || StartsWithNoCase(name, L"avinstaller") ||
        ContainsNoCase(name, L"uninstall ")) {
        return true;
    }
    // unins000.exe is what the common installer builders leave behind.
    const std::wstring_view file = exePath.substr(exePath.find_last_of(L"\\/") + 1);
    return StartsWithNoCase(file, L"unins") || EqualsNoCase(file, L"uninstall.exe");
}

AppEntry MakeAppEntry(std::wstring name, std::wstring target, std::wstring exePath) {
    AppEntry entry;
    entry.name = std::move(name);
    entry.key = ToLower(target);
    entry.target = std::move(target);
    if (IsExePath(exePath)) {
        entry.exePath = std::move(exePath);
        entry.hasExe = true;
    }
    return entry;
}

void FinishCatalog(std::vector<AppEntry>& entries, const NameCompare& compare) {
    std::unordered_set<std::wstring> keys;
    std::unordered_set<std::wstring> namedPrograms;
    keys.reserve(entries.size());
    const auto duplicate = [&](const AppEntry& entry) {
        if (!keys.insert(entry.key).second) {
            return true;
        }
        // The Applications folder merges the two Start menus itself and lists
        // separate apps even when they share a name and a program; shortcut
        // files of both menus do not, so the first one (the user's) stands.
        if (!entry.hasExe || IsAppsFolderTarget(entry.target)) {
            return false;
        }
        return !namedPrograms.insert(entry.name + L'\n' + NormalizePathKey(entry.exePath)).second;
    };
    // In list order, so that the first of each kind stays.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (duplicate(entries[i])) {
            continue;
        }
        if (kept != i) {
            entries[kept] = std::move(entries[i]);
        }
        ++kept;
    }
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(kept), entries.end());
    std::sort(entries.begin(), entries.end(), [&compare](const AppEntry& a, const AppEntry& b) {
        return compare(a.name, b.name) < 0;
    });
}

const AppEntry* FindPinnedEntry(const std::vector<AppEntry>& catalog,
                                std::wstring_view identifier) {
    // Apps that share a program (a console and its developer prompt, a
    // browser and its profiles) differ only by key: a key names one of them,
    // wherever it stands, before a program file names the first that runs it.
    const std::wstring lower = ToLower(identifier);
    auto found = std::find_if(catalog.begin(), catalog.end(),
                              [&](const AppEntry& entry) { return entry.key == lower; });
    if (found == catalog.end()) {
        found = std::find_if(catalog.begin(), catalog.end(), [&](const AppEntry& entry) {
            return entry.hasExe && EqualsNoCase(entry.exePath, lower);
        });
    }
    return found == catalog.end() ? nullptr : &*found;
}

}  // namespace corvane
