#pragma once
// The installed applications, from the shell's Applications folder, or, when
// that cannot be listed, from the Start menu's Programs folders. GUI thread
// only; the list lives for the process and is rebuilt when asked for and
// older than the caller allows. With a worker the GUI thread never lists a
// folder or reads a file itself: builds and the names of pins the catalog
// does not know run there, and the caller hears when they arrive.

#include "base/Worker.h"
#include "identity/AppEntry.h"
#include "start/Search.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

inline constexpr uint32_t kBuildOnlyWhenEmpty = 0xFFFFFFFF;
inline constexpr uint32_t kCatalogWarmUpAgeMs = 30000;
inline constexpr uint32_t kCatalogInUseAgeMs = 60000;

class AppCatalog {
public:
    // `source` replaces the system's lists (tests and benchmarks give their
    // own entries); it is sorted and de-duplicated as they would be.
    explicit AppCatalog(std::function<std::vector<AppEntry>()> source = {})
        : source_(std::move(source)) {}
    ~AppCatalog();
    AppCatalog(const AppCatalog&) = delete;
    AppCatalog& operator=(const AppCatalog&) = delete;

    // From now on builds and pin names are made on `worker`; `changed` runs
    // on the GUI thread whenever a new list or a name arrived.
    void UseWorker(Worker& worker, std::function<void()> changed);
    // Benchmarks: the next build lists these instead, and the list is
    // built again at the next ask.
    void SetSource(std::function<std::vector<AppEntry>()> source);

    // The list, rebuilt when it is empty or older than maxAgeMs: at once
    // without a worker, else in the background (this returns what there is
    // now). A build that reaches neither source keeps the previous list, and
    // one that found nothing is not tried again for a while.
    const std::vector<AppEntry>& GetApps(uint32_t maxAgeMs);
    // The entry for a stored pinned identifier; one made up from the
    // identifier itself when the catalog has none, named readably until
    // the worker found its real name.
    [[nodiscard]] AppEntry ResolvePinned(const std::wstring& identifier);

    [[nodiscard]] const std::vector<AppEntry>& Entries() const noexcept { return entries_; }

    // GetApps(maxAgeMs) with the names folded for search, once per build.
    [[nodiscard]] const SearchIndex& Searchable(uint32_t maxAgeMs);
    // The settings pages search offers, folded once per language.
    [[nodiscard]] const SearchIndex& SearchableSettings(bool norwegian);

private:
    void Rebuilt(std::vector<AppEntry> built);
    void RequestPinName(const std::wstring& identifier);

    std::function<std::vector<AppEntry>()> source_;
    std::vector<AppEntry> entries_;
    uint32_t lastBuild_ = 0;
    Worker* worker_ = nullptr;
    uint32_t channel_ = 0;
    std::function<void()> changed_;
    bool building_ = false;
    // The last build found nothing, at this tick.
    bool foundNothing_ = false;
    uint32_t foundNothingAt_ = 0;
    // Names of pins the catalog does not list; empty while asked for.
    std::map<std::wstring, std::wstring> pinNames_;
    SearchIndex index_;
    std::vector<AppEntry> settings_;
    SearchIndex settingsIndex_;
    int settingsFor_ = -1;  // 1 when built in Norwegian
};

// The two sources, for tests and benchmarks: an empty result when the source
// cannot be reached or lists nothing. Not sorted or de-duplicated.
[[nodiscard]] std::vector<AppEntry> ListAppsFolder();
[[nodiscard]] std::vector<AppEntry> ListStartMenuPrograms();
// A Programs folder tree, as ListStartMenuPrograms lists each of its two.
[[nodiscard]] std::vector<AppEntry> ListShortcutFolder(const std::wstring& folder);

}  // namespace corvane
