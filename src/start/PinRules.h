#pragma once
// The pinned lists of CorMenu and the dock as lists of identifiers: an
// entry's program file when it has one, else its target.

#include "identity/AppEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

[[nodiscard]] std::wstring PinIdentifier(const AppEntry& entry);

// One stored identifier, lower-cased, equals the entry's key or its
// lower-cased program file.
[[nodiscard]] bool IsPinned(const std::vector<std::wstring>& identifiers, const AppEntry& entry);

// Every identifier that matches the entry removed, and the entry's own
// appended when pinning.
[[nodiscard]] std::vector<std::wstring> WithPinned(std::vector<std::wstring> identifiers,
                                                   const AppEntry& entry, bool pinned);

// The dock's list with the entry appended, or nothing when the entry is a
// settings page or already there (compared case-insensitively).
[[nodiscard]] std::optional<std::vector<std::wstring>> WithDockPin(
    const std::vector<std::wstring>& dockPinned, const AppEntry& entry);

// CorMenu's list before it was ever saved is a copy of the dock's.
struct MenuPinnedList {
    std::vector<std::wstring> identifiers;
    bool mustSave = false;  // first use: write the copy and PinnedSet = 1
};
[[nodiscard]] MenuPinnedList LoadMenuPinned(bool pinnedSet,
                                            const std::vector<std::wstring>& menuPinned,
                                            const std::vector<std::wstring>& dockPinned);

}  // namespace corvane
