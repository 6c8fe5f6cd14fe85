// The catalog's lists as search reads them: folded when they change, never
// per keystroke.

#include "start/AppCatalog.h"
#include "start/SearchFold.h"

namespace corvane {

const SearchIndex& AppCatalog::Searchable(uint32_t maxAgeMs) {
    const std::vector<AppEntry>& apps = GetApps(maxAgeMs);
    if (!index_.IsFor(apps)) {
        index_ = SearchIndex(apps, FoldForSearch);
    }
    return index_;
}

const SearchIndex& AppCatalog::SearchableSettings(bool norwegian) {
    const int wanted = norwegian ? 1 : 0;
    if (settingsFor_ != wanted) {
        settings_ = SettingsEntries(norwegian);
        settingsIndex_ = SearchIndex(settings_, FoldForSearch);
        settingsFor_ = wanted;
    }
    return settingsIndex_;
}

}  // namespace corvane
