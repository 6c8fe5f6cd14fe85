#pragma once
// The pinned lists of CorMenu and the dock as lists of identifiers. An entry
// is pinned by its target, which starts it as Start would (a shortcut with
// its arguments, an app by its AppUserModelID), so that apps running one
// program file (a console and its developer prompt, a browser and its
// profiles) are pinned, shown and started apart. Lists kept when pins named
// program files still count: such an identifier names the one entry it
// resolves to (FindPinnedEntry).

#include "identity/AppEntry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

[[nodiscard]] std::wstring PinIdentifier(const AppEntry& entry);

// Neither a settings page nor a target that a stored list cannot hold.
[[nodiscard]] bool CanPin(const AppEntry& entry);

// The identifier is the entry's key, or a program file that the catalog
// resolves to the entry.
[[nodiscard]] bool NamesEntry(std::wstring_view identifier, const AppEntry& entry,
                              const std::vector<AppEntry>& catalog);

[[nodiscard]] bool IsPinned(const std::vector<std::wstring>& identifiers, const AppEntry& entry,
                            const std::vector<AppEntry>& catalog);

// The identifiers naming the entry removed, every other one left as it was
// where it was (pins the catalog does not list now among them), and the
// entry's own appended when pinning.
[[nodiscard]] std::vector<std::wstring> WithPinned(std::vector<std::wstring> identifiers,
                                                   const AppEntry& entry, bool pinned,
                                                   const std::vector<AppEntry>& catalog);

// The dock's list with the entry appended, or nothing when it cannot be
// pinned or is there already (compared case-insensitively): by its target,
// or by its program file when the target is that program itself.
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
