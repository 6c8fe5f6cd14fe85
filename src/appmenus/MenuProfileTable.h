#pragma once
// Executable name -> menu profile, as parsed from menus.txt.

#include "appmenus/AppMenu.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class MenuProfileTable {
public:
    // The profile stored under an exact key (a lower-case executable name, or
    // "*"), or null. Callers copy what they keep: the table may be rebuilt.
    [[nodiscard]] const MenuProfile* Find(std::wstring_view key) const;

    // Stores a profile under a key, replacing an earlier one. Profiles are
    // immutable and shared, so a section naming many executables costs one
    // copy of its menus, not one per name.
    void Set(std::wstring key, std::shared_ptr<const MenuProfile> profile);

    void Clear() noexcept { profiles_.clear(); }
    [[nodiscard]] bool Empty() const noexcept { return profiles_.empty(); }
    [[nodiscard]] std::size_t Size() const noexcept { return profiles_.size(); }
    // Every key in order.
    [[nodiscard]] std::vector<std::wstring> Keys() const;

private:
    std::map<std::wstring, std::shared_ptr<const MenuProfile>, std::less<>> profiles_;
};

// The process-wide table; the UI thread alone reads and rebuilds it.
[[nodiscard]] MenuProfileTable& TheMenuProfiles() noexcept;

}  // namespace corvane
