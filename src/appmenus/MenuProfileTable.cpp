#include "appmenus/MenuProfileTable.h"

namespace corvane {

const MenuProfile* MenuProfileTable::Find(std::wstring_view key) const {
    const auto it = profiles_.find(key);
    if (it == profiles_.end() || !it->second) {
        return nullptr;
    }
    return it->second.get();
}

void MenuProfileTable::Set(std::wstring key, std::shared_ptr<const MenuProfile> profile) {
    if (!profile) {
        profile = std::make_shared<const MenuProfile>();
    }
    profiles_.insert_or_assign(std::move(key), std::move(profile));
}

std::vector<std::wstring> MenuProfileTable::Keys() const {
    std::vector<std::wstring> keys;
    keys.reserve(profiles_.size());
    for (const auto& entry : profiles_) {
        keys.push_back(entry.first);
    }
    return keys;
}

MenuProfileTable& TheMenuProfiles() noexcept {
    static MenuProfileTable table;
    return table;
}

}  // namespace corvane
