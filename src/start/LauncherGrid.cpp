#include "start/LauncherGrid.h"

#include "base/TextHelpers.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace corvane {
namespace {

// Icons scale with the display's height within these bounds.
constexpr float kIconPerHeight = 11.0f;
constexpr float kMinIcon = 56.0f;
constexpr float kMaxIcon = 84.0f;
constexpr float kLabelBand = 50.0f;  // below the icon, inside the cell
constexpr float kUsedWidth = 0.86f;
constexpr int32_t kMinColumns = 4;
constexpr int32_t kMaxColumns = 9;
constexpr int32_t kMinRows = 2;
constexpr int32_t kMaxRows = 6;
// The search box band above the grid and the page dots below it.
constexpr float kGridTop = 140.0f;
constexpr float kReservedHeight = 236.0f;

constexpr wchar_t kOrderSeparator = L'|';

constexpr float kSearchHalfWidth = 150.0f;
constexpr float kSearchTop = 64.0f;
constexpr float kSearchBottom = 98.0f;

// Small jitter while clicking must not start a drag.
constexpr float kEdgeBand = 40.0f;

// The hit rectangle is narrower than the cell so neighbours do not touch.
constexpr float kHitInsetX = 8.0f;
constexpr float kHitCutBottom = 4.0f;

constexpr float kDotPitch = 18.0f;
constexpr float kDotsAboveBottom = 56.0f;
constexpr float kDotHalfReach = 4.0f + 5.0f;  // the dot's half box plus slack
constexpr float kDotBandTop = 68.0f;          // above the bottom edge
constexpr float kDotBandBottom = 44.0f;

constexpr double kPageDuration = 340.0;
constexpr double kFlingDuration = 300.0;
constexpr double kSettleAfter = 110.0;  // ms without precision reports
constexpr double kNotchInterval = 180.0;
constexpr int32_t kNotch = 120;
constexpr float kFlingReach = 0.18f;  // seconds of velocity carried on
constexpr float kFlingMax = 0.6f;
constexpr float kDeltaPerPage = 900.0f;
constexpr float kRubberBand = 0.3f;
constexpr float kOverscroll = 0.25f;
constexpr float kVelocityKeep = 0.6f;

int32_t ClampIndex(int64_t value, int64_t low, int64_t high) noexcept {
    return static_cast<int32_t>(std::clamp(value, low, high));
}

// Moves element `from` to `to`; the ones between shift by one.
template <typename T>
void MoveWithin(std::vector<T>& items, std::ptrdiff_t from, std::ptrdiff_t to) {
    const auto at = [&items](std::ptrdiff_t i) { return items.begin() + i; };
    if (from < to) {
        std::rotate(at(from), at(from + 1), at(to + 1));
    } else if (to < from) {
        std::rotate(at(to), at(from), at(from + 1));
    }
}

}  // namespace

int32_t LauncherLayout::Pages(std::size_t count) const noexcept {
    if (perPage <= 0 || count == 0) {
        return 1;
    }
    const std::size_t per = static_cast<std::size_t>(perPage);
    return static_cast<int32_t>((count + per - 1) / per);
}

LauncherCell LauncherLayout::CellOf(int32_t index, float scroll) const noexcept {
    if (perPage <= 0 || columns <= 0) {
        return {};
    }
    const int32_t page = index / perPage;
    const int32_t slot = index % perPage;
    return {static_cast<float>(slot % columns) * cellWidth + x0 +
                width * (static_cast<float>(page) - scroll),
            y0 + static_cast<float>(slot / columns) * cellHeight};
}

LauncherLayout LayOutLauncher(float width, float height, float textScale) noexcept {
    LauncherLayout layout;
    layout.width = width;
    layout.height = height;
    layout.icon = std::clamp(height / kIconPerHeight, kMinIcon, kMaxIcon);
    layout.cellWidth = 2.0f * layout.icon;
    layout.cellHeight = layout.icon + kLabelBand * textScale;
    const float columns = std::floor(kUsedWidth * width / layout.cellWidth);
    const float rows = std::floor((height - kReservedHeight) / layout.cellHeight);
    layout.columns = static_cast<int32_t>(
        std::clamp(columns, static_cast<float>(kMinColumns), static_cast<float>(kMaxColumns)));
    layout.rows = static_cast<int32_t>(
        std::clamp(rows, static_cast<float>(kMinRows), static_cast<float>(kMaxRows)));
    layout.perPage = layout.columns * layout.rows;
    layout.x0 = (width - static_cast<float>(layout.columns) * layout.cellWidth) / 2.0f;
    layout.y0 =
        (height - kReservedHeight - static_cast<float>(layout.rows) * layout.cellHeight) / 2.0f +
        kGridTop;
    return layout;
}

LauncherArrangement ArrangeLauncher(std::wstring_view storedOrder,
                                    std::span<const AppEntry> catalog) {
    std::unordered_map<std::wstring_view, std::size_t> byKey;
    byKey.reserve(catalog.size());
    for (std::size_t i = 0; i < catalog.size(); ++i) {
        byKey.try_emplace(catalog[i].key, i);
    }
    std::vector<bool> placed(catalog.size(), false);
    std::unordered_set<std::wstring> kept;
    LauncherArrangement arrangement;
    arrangement.grid.reserve(catalog.size());
    for (std::wstring& key : SplitListUntrimmed(storedOrder, kOrderSeparator)) {
        if (key.empty() || !kept.insert(key).second) {
            continue;
        }
        if (const auto found = byKey.find(key); found != byKey.end()) {
            placed[found->second] = true;
            arrangement.grid.push_back(catalog[found->second]);
        }
        arrangement.keys.push_back(std::move(key));
    }
    for (std::size_t i = 0; i < catalog.size(); ++i) {
        if (placed[i]) {
            continue;
        }
        arrangement.grid.push_back(catalog[i]);
        if (kept.insert(catalog[i].key).second) {
            arrangement.keys.push_back(catalog[i].key);
        }
    }
    return arrangement;
}

std::wstring JoinArrangement(const LauncherArrangement& arrangement) {
    return JoinList(arrangement.keys, std::wstring_view(&kOrderSeparator, 1));
}

void MoveArranged(LauncherArrangement& arrangement, int32_t from, int32_t to) {
    std::vector<AppEntry>& grid = arrangement.grid;
    const auto size = static_cast<int32_t>(grid.size());
    if (from < 0 || to < 0 || from >= size || to >= size || from == to) {
        return;
    }
    std::vector<std::wstring>& keys = arrangement.keys;
    const auto moved =
        std::find(keys.begin(), keys.end(), grid[static_cast<std::size_t>(from)].key);
    const auto passed = std::find(keys.begin(), keys.end(), grid[static_cast<std::size_t>(to)].key);
    if (moved != keys.end() && passed != keys.end()) {
        // Just behind the last entry it passes going on, just before it
        // going back.
        MoveWithin(keys, moved - keys.begin(), passed - keys.begin());
    }
    MoveWithin(grid, from, to);
}

int32_t KeepIndexIn(int32_t index, std::size_t count) noexcept {
    if (index < 0 || count == 0) {
        return -1;
    }
    return ClampIndex(index, 0, static_cast<int64_t>(count) - 1);
}

int32_t EdgeUnderDrag(const LauncherLayout& layout, float x) noexcept {
    if (x <= kEdgeBand) {
        return -1;
    }
    return x >= layout.width - kEdgeBand ? 1 : 0;
}

PointRect LauncherSearchBox(const LauncherLayout& layout) noexcept {
    const float middle = layout.width / 2.0f;
    return {middle - kSearchHalfWidth, kSearchTop, middle + kSearchHalfWidth, kSearchBottom};
}

int32_t LauncherItemAt(const LauncherLayout& layout, std::size_t count, int32_t page, float scroll,
                       float x, float y) noexcept {
    if (page < 0) {
        return -1;
    }
    const int64_t first = int64_t{page} * layout.perPage;
    const int64_t end = std::min<int64_t>(first + layout.perPage, static_cast<int64_t>(count));
    for (int64_t i = first; i < end; ++i) {
        const LauncherCell cell = layout.CellOf(static_cast<int32_t>(i), scroll);
        if (x >= cell.x + kHitInsetX && x < cell.x + layout.cellWidth - kHitInsetX && y >= cell.y &&
            y < cell.y + layout.cellHeight - kHitCutBottom) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

int32_t LauncherDropSlot(const LauncherLayout& layout, std::size_t count, int32_t page, float x,
                         float y) noexcept {
    if (count == 0 || layout.cellWidth <= 0 || layout.cellHeight <= 0) {
        return -1;
    }
    const auto along = [](float offset, float size, int32_t cells) {
        const float cell = std::floor(offset / size);
        return static_cast<int32_t>(std::clamp(cell, 0.0f, static_cast<float>(cells - 1)));
    };
    const int32_t column = along(x - layout.x0, layout.cellWidth, layout.columns);
    const int32_t row = along(y - layout.y0, layout.cellHeight, layout.rows);
    const int64_t slot = int64_t{page} * layout.perPage + int64_t{row} * layout.columns + column;
    return ClampIndex(slot, 0, static_cast<int64_t>(count) - 1);
}

LauncherCell PageDotCentre(const LauncherLayout& layout, int32_t pages, int32_t k) noexcept {
    return {kDotPitch * static_cast<float>(k) - kDotPitch / 2.0f * static_cast<float>(pages) +
                layout.width / 2.0f + kDotPitch / 2.0f,
            layout.height - kDotsAboveBottom};
}

int32_t PageDotAt(const LauncherLayout& layout, int32_t pages, float x, float y) noexcept {
    if (pages <= 1 || y < layout.height - kDotBandTop || y > layout.height - kDotBandBottom) {
        return -1;
    }
    for (int32_t k = 0; k < pages; ++k) {
        if (std::abs(x - PageDotCentre(layout, pages, k).x) <= kDotHalfReach) {
            return k;
        }
    }
    return -1;
}

void PageMotion::Reset(int32_t page) noexcept {
    page_ = page;
    scroll_ = static_cast<float>(page);
    start_ = scroll_;
    velocity_ = 0;
    freeScroll_ = false;
}

void PageMotion::ClampToPages(int32_t pages) noexcept {
    if (page_ > pages - 1) {
        Reset(std::max(pages - 1, 0));
    }
}

bool PageMotion::GoToPage(int32_t page, int32_t pages, double now) noexcept {
    page = std::clamp(page, 0, std::max(pages - 1, 0));
    if (page == page_ && scroll_ == static_cast<float>(page_) && !freeScroll_) {
        return false;
    }
    freeScroll_ = false;
    page_ = page;
    start_ = scroll_;
    startTime_ = now;
    return true;
}

void PageMotion::Tick(double now, int32_t pages) noexcept {
    if (freeScroll_) {
        if (now - lastPrecision_ < kSettleAfter) {
            return;
        }
        // The swipe's momentum decides which page it settles on, at most
        // one page past where the fingers left it.
        const float carried = std::clamp(velocity_ * kFlingReach, -kFlingMax, kFlingMax);
        const float target = std::round(scroll_ + carried);
        freeScroll_ = false;
        page_ = std::clamp(static_cast<int32_t>(target), 0, std::max(pages - 1, 0));
        duration_ = kFlingDuration;
        start_ = scroll_;
        startTime_ = now;
        return;
    }
    const float page = static_cast<float>(page_);
    if (scroll_ == page) {
        return;
    }
    const double t = std::max((now - startTime_) / duration_, 0.0);
    if (t >= 1.0) {
        scroll_ = page;
        return;
    }
    const double ease = 1.0 - std::pow(1.0 - t, 3.0);
    scroll_ = start_ + (page - start_) * static_cast<float>(ease);
}

bool PageMotion::Wheel(int32_t signedDelta, int32_t pages, double now) noexcept {
    if (pages <= 1 || signedDelta == 0) {
        return false;
    }
    if (signedDelta % kNotch == 0) {
        // Wheels that report several notches at once still turn one page,
        // and a quick burst counts as one.
        if (notched_ && now - lastNotch_ < kNotchInterval) {
            return false;
        }
        notched_ = true;
        lastNotch_ = now;
        duration_ = kPageDuration;
        return GoToPage(page_ + (signedDelta > 0 ? 1 : -1), pages, now);
    }
    if (!freeScroll_) {
        freeScroll_ = true;
        velocity_ = 0;
    }
    const float last = static_cast<float>(pages - 1);
    float change = static_cast<float>(signedDelta) / kDeltaPerPage;
    if ((change < 0 && scroll_ <= 0) || (change > 0 && scroll_ >= last)) {
        change *= kRubberBand;
    }
    scroll_ = std::clamp(scroll_ + change, -kOverscroll, last + kOverscroll);
    const double elapsed = std::max(now - lastPrecision_, 1.0);
    velocity_ = kVelocityKeep * velocity_ +
                (1.0f - kVelocityKeep) * static_cast<float>(change * 1000.0 / elapsed);
    lastPrecision_ = now;
    return true;
}

LauncherKeyMove MoveInLauncher(const LauncherLayout& layout, std::size_t count, LauncherKey key,
                               int32_t selection, int32_t page) noexcept {
    const int64_t per = layout.perPage;
    const int64_t columns = layout.columns;
    const auto last = static_cast<int64_t>(count) - 1;
    if (key == LauncherKey::PageUp || key == LauncherKey::PageDown) {
        const int32_t to = page + (key == LauncherKey::PageUp ? -1 : 1);
        if (selection < 0 || per <= 0 || to < 0 || to * per > last) {
            return {selection, to};
        }
        // The same cell on the other page, or its last one.
        const int32_t moved = ClampIndex(to * per + selection % per, 0, last);
        return {moved, to};
    }
    if (count == 0 || per <= 0 || columns <= 0) {
        return {selection, page};
    }
    if (selection < 0 || selection > last) {
        const int32_t first = ClampIndex(int64_t{page} * per, 0, last);
        return {first, static_cast<int32_t>(first / per)};
    }
    const int64_t at = selection;
    const int64_t pageStart = at / per * per;
    const int64_t column = at % per % columns;
    const int64_t row = at % per / columns;
    int64_t next = at;
    switch (key) {
        case LauncherKey::Left:
            // The pages lie side by side: past the first column lies the
            // previous page's last one, in the same row.
            next = column > 0      ? at - 1
                   : pageStart > 0 ? pageStart - per + row * columns + columns - 1
                                   : at;
            break;
        case LauncherKey::Right:
            if (column < columns - 1) {
                next = std::min(at + 1, last);
            } else if (pageStart + per <= last) {
                next = std::min(pageStart + per + row * columns, last);
            }
            break;
        case LauncherKey::Up:
            next = row > 0 ? at - columns : at;
            break;
        default:
            // Down: into a shorter last row at its end, never onto the next page.
            if (row < layout.rows - 1 && pageStart + (row + 1) * columns <= last) {
                next = std::min(at + columns, last);
            }
            break;
    }
    return {static_cast<int32_t>(next), static_cast<int32_t>(next / per)};
}

}  // namespace corvane
