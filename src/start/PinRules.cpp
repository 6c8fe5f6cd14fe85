#include "start/PinRules.h"

#include "base/TextHelpers.h"
#include "config/SettingsText.h"
#include "start/CatalogRules.h"

#include <algorithm>
#include <utility>

namespace corvane {

std::wstring PinIdentifier(const AppEntry& entry) {
    return entry.target;
}

bool CanPin(const AppEntry& entry) {
    return !entry.isSetting && IsStorableIdentifier(entry.target);
}

bool NamesEntry(std::wstring_view identifier, const AppEntry& entry,
                const std::vector<AppEntry>& catalog) {
    if (EqualsNoCase(identifier, entry.key)) {
        return true;
    }
    // A program file shows as one app, the one it resolves to: only that
    // app reads as pinned and unpins it, so that no other app's pin goes
    // with a sibling that never showed as pinned.
    if (!entry.hasExe || !EqualsNoCase(identifier, entry.exePath)) {
        return false;
    }
    const AppEntry* resolved = FindPinnedEntry(catalog, identifier);
    return resolved != nullptr && resolved->key == entry.key;
}

bool IsPinned(const std::vector<std::wstring>& identifiers, const AppEntry& entry,
              const std::vector<AppEntry>& catalog) {
    return std::any_of(identifiers.begin(), identifiers.end(),
                       [&](const std::wstring& id) { return NamesEntry(id, entry, catalog); });
}

std::vector<std::wstring> WithPinned(std::vector<std::wstring> identifiers, const AppEntry& entry,
                                     bool pinned, const std::vector<AppEntry>& catalog) {
    // Every match goes, not just the first: an older list may name the app
    // both by its target and by its program file.
    std::erase_if(identifiers,
                  [&](const std::wstring& id) { return NamesEntry(id, entry, catalog); });
    if (pinned && CanPin(entry)) {
        identifiers.push_back(PinIdentifier(entry));
    }
    return identifiers;
}

std::optional<std::vector<std::wstring>> WithDockPin(const std::vector<std::wstring>& dockPinned,
                                                     const AppEntry& entry) {
    if (!CanPin(entry)) {
        return std::nullopt;
    }
    // A target that names an .exe carries no arguments: a pin of that
    // program (as the dock's older lists hold) starts the same app.
    const bool targetIsProgram = entry.hasExe && IsExePath(entry.target);
    if (std::any_of(dockPinned.begin(), dockPinned.end(), [&](const std::wstring& id) {
            return EqualsNoCase(id, entry.target) ||
                   (targetIsProgram && EqualsNoCase(id, entry.exePath));
        })) {
        return std::nullopt;
    }
    std::vector<std::wstring> pinned = dockPinned;
    pinned.push_back(PinIdentifier(entry));
    return pinned;
}

MenuPinnedList LoadMenuPinned(bool pinnedSet, const std::vector<std::wstring>& menuPinned,
                              const std::vector<std::wstring>& dockPinned) {
    if (pinnedSet) {
        return {menuPinned, false};
    }
    return {dockPinned, true};
}

}  // namespace corvane
