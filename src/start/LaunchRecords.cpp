#include "start/LaunchRecords.h"

#include <algorithm>
#include <charconv>

namespace corvane {
namespace {

constexpr int64_t kDay = 24 * 60 * 60;

uint64_t Frecency(const LaunchRecord& record, int64_t latest) {
    const int64_t age = latest - record.lastStart;
    const uint64_t weight = age <= kDay ? 4 : age <= 7 * kDay ? 3 : age <= 30 * kDay ? 2 : 1;
    return weight * record.starts;
}

// A decimal number of the field up to the next tab; false when it is not one.
template <typename Number>
bool ReadField(std::wstring_view& line, Number& value) {
    const std::size_t tab = line.find(L'\t');
    if (tab == std::wstring_view::npos || tab == 0 || tab > 20) {
        return false;
    }
    char digits[21] = {};
    for (std::size_t i = 0; i < tab; ++i) {
        if (line[i] < L'0' || line[i] > L'9') {
            return false;
        }
        digits[i] = static_cast<char>(line[i]);
    }
    const auto [end, error] = std::from_chars(digits, digits + tab, value);
    line.remove_prefix(tab + 1);
    return error == std::errc() && end == digits + tab;
}

}  // namespace

void LaunchRecords::Record(std::wstring_view key, int64_t now) {
    if (key.empty() || key.size() > kMaxKey) {
        return;
    }
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [key](const LaunchRecord& r) { return r.key == key; });
    if (found != items_.end()) {
        found->starts = std::min(found->starts + 1, kMaxStarts);
        found->lastStart = std::max(found->lastStart, now);
        return;
    }
    items_.push_back({std::wstring(key), 1, now});
    DropOldest();
}

void LaunchRecords::AddOnto(LaunchRecords older) {
    for (const LaunchRecord& record : items_) {
        const auto found =
            std::find_if(older.items_.begin(), older.items_.end(),
                         [&record](const LaunchRecord& r) { return r.key == record.key; });
        if (found != older.items_.end()) {
            found->starts = std::min(found->starts + record.starts, kMaxStarts);
            found->lastStart = std::max(found->lastStart, record.lastStart);
        } else {
            older.items_.push_back(record);
        }
    }
    items_ = std::move(older.items_);
    DropOldest();
}

void LaunchRecords::DropOldest() {
    if (items_.size() <= kMaxRecords) {
        return;
    }
    std::stable_sort(
        items_.begin(), items_.end(),
        [](const LaunchRecord& a, const LaunchRecord& b) { return a.lastStart > b.lastStart; });
    items_.resize(kMaxRecords);
}

std::vector<const LaunchRecord*> LaunchRecords::Ranked() const {
    int64_t latest = 0;
    for (const LaunchRecord& record : items_) {
        latest = std::max(latest, record.lastStart);
    }
    std::vector<const LaunchRecord*> ranked;
    ranked.reserve(items_.size());
    for (const LaunchRecord& record : items_) {
        ranked.push_back(&record);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [latest](const LaunchRecord* a, const LaunchRecord* b) {
                         const uint64_t fa = Frecency(*a, latest);
                         const uint64_t fb = Frecency(*b, latest);
                         return fa != fb ? fa > fb : a->lastStart > b->lastStart;
                     });
    return ranked;
}

std::wstring LaunchRecords::ToText() const {
    std::wstring text = L"; Corvane: starts, last start (seconds since 1970 UTC), app\r\n";
    for (const LaunchRecord& record : items_) {
        text += std::to_wstring(record.starts) + L'\t' + std::to_wstring(record.lastStart) + L'\t' +
                record.key + L"\r\n";
    }
    return text;
}

LaunchRecords LaunchRecords::FromText(std::wstring_view text) {
    LaunchRecords records;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(L"\r\n");
        std::wstring_view line = text.substr(0, end);
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
        LaunchRecord record;
        if (!ReadField(line, record.starts) || !ReadField(line, record.lastStart) ||
            record.starts == 0 || line.empty() || line.size() > kMaxKey ||
            line.find(L'\t') != std::wstring_view::npos) {
            continue;
        }
        record.starts = std::min(record.starts, kMaxStarts);
        record.key = line;
        // A key twice (an edited file): the lines add up as two starts would.
        LaunchRecords one;
        one.items_.push_back(std::move(record));
        one.AddOnto(std::move(records));
        records = std::move(one);
    }
    return records;
}

}  // namespace corvane
