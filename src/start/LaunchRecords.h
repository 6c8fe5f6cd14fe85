#pragma once
// How often and how lately each app was started from CorMenu or CorLauncher,
// as search orders equal matches by it, and its file's text.
//
// The file holds one line per app: starts, the last start in seconds since
// 1970 (UTC) and the app's key, separated by tabs. Lines that do not read
// that way are skipped, and at most kMaxRecords are kept: a damaged or
// edited file loses those lines, never the search.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct LaunchRecord {
    std::wstring key;
    uint32_t starts = 0;
    int64_t lastStart = 0;
};

class LaunchRecords {
public:
    static constexpr std::size_t kMaxRecords = 200;
    static constexpr uint32_t kMaxStarts = 1000000;
    static constexpr std::size_t kMaxKey = 2048;

    // One more start of `key` at `now`; when the list is full, the app
    // started longest ago makes room.
    void Record(std::wstring_view key, int64_t now);
    // Starts recorded here are added to `older` (read from the file after
    // they happened), and the sum replaces this list.
    void AddOnto(LaunchRecords older);

    // Best first: frecency, then the later last start. Frecency is the
    // starts weighted by how long before the history's latest start the
    // app's last one was: 4 within a day, 3 a week, 2 a month, else 1.
    // Measured against the latest start rather than the clock, the order
    // stays the same while nothing is started, and a clock set back or
    // forward does not upset it.
    [[nodiscard]] std::vector<const LaunchRecord*> Ranked() const;

    [[nodiscard]] const std::vector<LaunchRecord>& Items() const noexcept { return items_; }

    [[nodiscard]] std::wstring ToText() const;
    [[nodiscard]] static LaunchRecords FromText(std::wstring_view text);

private:
    void DropOldest();

    std::vector<LaunchRecord> items_;
};

}  // namespace corvane
