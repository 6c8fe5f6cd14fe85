#include "start/PinRules.h"

#include "config/SettingsText.h"

#include <algorithm>

namespace corvane {
namespace {

// Keys are lower case already.
bool Matches(const std::wstring& identifier, const AppEntry& entry) {
    return EqualsNoCase(identifier, entry.key) ||
           (entry.hasExe && EqualsNoCase(identifier, entry.exePath));
}

}  // namespace

std::wstring PinIdentifier(const AppEntry& entry) {
    return entry.hasExe ? entry.exePath : entry.target;
}

bool IsPinned(const std::vector<std::wstring>& identifiers, const AppEntry& entry) {
    return std::any_of(identifiers.begin(), identifiers.end(),
                       [&entry](const std::wstring& id) { return Matches(id, entry); });
}

std::vector<std::wstring> WithPinned(std::vector<std::wstring> identifiers, const AppEntry& entry,
                                     bool pinned) {
    // Every match goes, not just the first: an older list may name the app
    // both by its target and by its program file.
    std::erase_if(identifiers, [&entry](const std::wstring& id) { return Matches(id, entry); });
    if (pinned) {
        identifiers.push_back(PinIdentifier(entry));
    }
    return identifiers;
}

std::optional<std::vector<std::wstring>> WithDockPin(const std::vector<std::wstring>& dockPinned,
                                                     const AppEntry& entry) {
    if (entry.isSetting) {
        return std::nullopt;
    }
    std::wstring identifier = PinIdentifier(entry);
    if (std::any_of(dockPinned.begin(), dockPinned.end(), [&identifier](const std::wstring& id) {
            return EqualsNoCase(id, identifier);
        })) {
        return std::nullopt;
    }
    std::vector<std::wstring> pinned = dockPinned;
    pinned.push_back(std::move(identifier));
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
