#pragma once
// CorLauncher's grid in DIPs of its client area: the layout of the pages,
// the display order, what the pointer is over, how the pages move and how
// the keyboard walks the grid. Portable, so the window only paints and
// forwards input.

#include "base/Geometry.h"
#include "identity/AppEntry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct LauncherCell {
    float x = 0;
    float y = 0;
    bool operator==(const LauncherCell&) const = default;
};

struct LauncherLayout {
    float width = 0;
    float height = 0;
    float icon = 0;
    float cellWidth = 0;
    float cellHeight = 0;
    float x0 = 0;
    float y0 = 0;
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t perPage = 0;
    bool operator==(const LauncherLayout&) const = default;

    // At least one page, also for an empty list.
    [[nodiscard]] int32_t Pages(std::size_t count) const noexcept;
    // The top-left corner of item i's cell when the pages stand at `scroll`.
    [[nodiscard]] LauncherCell CellOf(int32_t index, float scroll) const noexcept;
};

// `textScale` (Windows' text size) deepens the label band under each icon.
[[nodiscard]] LauncherLayout LayOutLauncher(float width, float height,
                                            float textScale = 1.0f) noexcept;

// The user's arrangement, stored as its keys joined with "|". Every stored
// key keeps its place, each once, also while the catalog lacks its app: an
// app that is briefly gone (mid-update, on a removed drive) or a catalog
// read from another source must not cost the user the places they chose.
// Apps the stored keys do not name follow in catalog order.
struct LauncherArrangement {
    std::vector<std::wstring> keys;  // what is saved
    std::vector<AppEntry> grid;      // the apps present, in the keys' order: what is shown
};

[[nodiscard]] LauncherArrangement ArrangeLauncher(std::wstring_view storedOrder,
                                                  std::span<const AppEntry> catalog);
[[nodiscard]] std::wstring JoinArrangement(const LauncherArrangement& arrangement);

// Moves a dragged grid entry to its drop slot; the entries between shift by
// one, and the keys of missing apps stay beside the neighbours they had.
void MoveArranged(LauncherArrangement& arrangement, int32_t from, int32_t to);

// An index into a list that may have shrunk since: -1 stays none, and one
// past the end falls back to the last entry (none in an empty list).
[[nodiscard]] int32_t KeepIndexIn(int32_t index, std::size_t count) noexcept;

// -1 or +1 while a drag holds the pointer near the left or right edge, where
// waiting turns the page that way; 0 elsewhere.
[[nodiscard]] int32_t EdgeUnderDrag(const LauncherLayout& layout, float x) noexcept;

[[nodiscard]] PointRect LauncherSearchBox(const LauncherLayout& layout) noexcept;

// The item under the point among the `count` shown, only on `page`; -1 for
// none.
[[nodiscard]] int32_t LauncherItemAt(const LauncherLayout& layout, std::size_t count, int32_t page,
                                     float scroll, float x, float y) noexcept;

// Where a dragged item would land: the cell under the point on `page`, held
// inside the grid and never past the last item.
[[nodiscard]] int32_t LauncherDropSlot(const LauncherLayout& layout, std::size_t count,
                                       int32_t page, float x, float y) noexcept;

// The centre of page dot k (painted only with more than one page).
[[nodiscard]] LauncherCell PageDotCentre(const LauncherLayout& layout, int32_t pages,
                                         int32_t k) noexcept;
// The page dot a click hits, or -1.
[[nodiscard]] int32_t PageDotAt(const LauncherLayout& layout, int32_t pages, float x,
                                float y) noexcept;

// The sideways motion of the pages. Times are milliseconds on one clock.
class PageMotion {
public:
    [[nodiscard]] int32_t Page() const noexcept { return page_; }
    [[nodiscard]] float Scroll() const noexcept { return scroll_; }
    [[nodiscard]] bool FreeScroll() const noexcept { return freeScroll_; }
    [[nodiscard]] bool IsAnimating() const noexcept {
        return scroll_ != static_cast<float>(page_) || freeScroll_;
    }

    // At rest on `page` at once.
    void Reset(int32_t page) noexcept;
    // Keeps the page inside a list that got shorter.
    void ClampToPages(int32_t pages) noexcept;
    // Slides to the clamped page from wherever the pages stand; false when
    // already at rest there.
    bool GoToPage(int32_t page, int32_t pages, double now) noexcept;
    void Tick(double now, int32_t pages) noexcept;
    // One wheel report; `signedDelta` is positive towards the next page.
    // True when the pages moved or will.
    bool Wheel(int32_t signedDelta, int32_t pages, double now) noexcept;

private:
    int32_t page_ = 0;
    float scroll_ = 0;
    float start_ = 0;
    float velocity_ = 0;  // pages per second
    double startTime_ = 0;
    double duration_ = 340;
    double lastPrecision_ = 0;
    double lastNotch_ = 0;
    bool notched_ = false;
    bool freeScroll_ = false;
};

enum class LauncherKey { Left, Right, Up, Down, PageUp, PageDown };

struct LauncherKeyMove {
    int32_t selection = -1;
    int32_t page = 0;  // to go to; GoToPage clamps it
};

// A navigation key over the `count` shown items. Page keys turn the page,
// taking a selection to the same cell there; arrows move the selection
// through the grid with the pages side by side (Right from a row's last
// column goes on in that row of the next page), or pick the page's first
// cell when nothing is selected. The page is the new selection's.
[[nodiscard]] LauncherKeyMove MoveInLauncher(const LauncherLayout& layout, std::size_t count,
                                             LauncherKey key, int32_t selection,
                                             int32_t page) noexcept;

}  // namespace corvane
