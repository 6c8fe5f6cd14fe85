#pragma once
// The installed applications, from the shell's Applications folder, or, when
// that cannot be listed, from the Start menu's Programs folders. GUI thread
// only; the list lives for the process and is rebuilt when asked for and
// older than the caller allows.

#include "identity/AppEntry.h"

#include <cstdint>
#include <functional>
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

    // The list, rebuilt first when it is empty or older than maxAgeMs. A
    // build that reaches neither source keeps the previous list.
    const std::vector<AppEntry>& GetApps(uint32_t maxAgeMs);
    // The entry for a stored pinned identifier; one made up from the
    // identifier itself when the catalog has none.
    [[nodiscard]] AppEntry ResolvePinned(const std::wstring& identifier);

    [[nodiscard]] const std::vector<AppEntry>& Entries() const noexcept { return entries_; }

private:
    std::function<std::vector<AppEntry>()> source_;
    std::vector<AppEntry> entries_;
    uint32_t lastBuild_ = 0;
};

// The two sources, for tests and benchmarks: an empty result when the source
// cannot be reached or lists nothing. Not sorted or de-duplicated.
[[nodiscard]] std::vector<AppEntry> ListAppsFolder();
[[nodiscard]] std::vector<AppEntry> ListStartMenuPrograms();
// A Programs folder tree, as ListStartMenuPrograms lists each of its two.
[[nodiscard]] std::vector<AppEntry> ListShortcutFolder(const std::wstring& folder);

}  // namespace corvane
