#include "start/MenuSelection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

namespace corvane {
namespace {

// Items whose tops lie this close share a row.
constexpr float kSameRow = 0.5f;

constexpr std::array<MenuZone, 4> kZoneOrder = {MenuZone::Search, MenuZone::List, MenuZone::Side,
                                                MenuZone::Power};

// An item the keyboard can select.
struct Stop {
    MenuItemId id;
    PointRect rect;  // a row that scrolls: where it lies at scroll 0
    bool scrolls = false;
};

bool IsHeaderButton(const MenuItemId& id) noexcept {
    return id.kind == MenuHit::AllAppsButton || id.kind == MenuHit::BackButton;
}

// A zone's items in reading order. The header button comes before the
// rows, which scroll beneath it.
std::vector<Stop> ZoneStops(const MenuLayout& layout, MenuZone zone) {
    std::vector<Stop> stops;
    const auto fixed = [&](std::initializer_list<MenuHit> kinds) {
        for (const MenuRegion& region : layout.regions) {
            if (std::find(kinds.begin(), kinds.end(), region.id.kind) != kinds.end()) {
                stops.push_back({region.id, region.rect, false});
            }
        }
    };
    switch (zone) {
        case MenuZone::Search:
            break;
        case MenuZone::List:
            stops.reserve(layout.listItems.size() + 1);
            fixed({MenuHit::AllAppsButton, MenuHit::BackButton, MenuHit::LetterCell});
            for (const MenuRegion& item : layout.listItems) {
                stops.push_back({item.id, item.rect, true});
            }
            break;
        case MenuZone::Side:
            fixed({MenuHit::UserCard, MenuHit::Place});
            break;
        case MenuZone::Power:
            fixed({MenuHit::Power});
            break;
    }
    return stops;
}

PointRect OnScreen(const Stop& stop, float scroll) noexcept {
    const PointRect& r = stop.rect;
    return stop.scrolls ? PointRect{r.left, r.top - scroll, r.right, r.bottom - scroll} : r;
}

float CentreX(const PointRect& r) noexcept {
    return (r.left + r.right) / 2.0f;
}

float CentreY(const PointRect& r) noexcept {
    return (r.top + r.bottom) / 2.0f;
}

std::optional<std::size_t> Find(const std::vector<Stop>& stops, const MenuItemId& id) {
    if (id.kind == MenuHit::None) {
        return std::nullopt;
    }
    const auto it =
        std::find_if(stops.begin(), stops.end(), [&id](const Stop& s) { return s.id == id; });
    return it == stops.end() ? std::nullopt
                             : std::optional<std::size_t>(
                                   static_cast<std::size_t>(std::distance(stops.begin(), it)));
}

// The nearest row above (-1) or below (+1), and in it the item nearest
// across. Rows keep to rows by their own order, which the scroll does not
// change; between a row and the fixed header what is seen counts.
std::optional<std::size_t> NearestAcross(const std::vector<Stop>& stops, std::size_t from,
                                         int direction, float scroll, bool sameKind) {
    const Stop& current = stops[from];
    const auto place = [&](const Stop& s) { return sameKind ? s.rect : OnScreen(s, scroll); };
    const PointRect here = place(current);
    const auto dir = static_cast<float>(direction);
    std::optional<std::size_t> best;
    float bestTop = 0;
    float bestDistance = 0;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if ((stops[i].scrolls == current.scrolls) != sameKind) {
            continue;
        }
        const PointRect r = place(stops[i]);
        if ((CentreY(r) - CentreY(here)) * dir <= kSameRow) {
            continue;
        }
        const float distance = std::fabs(CentreX(r) - CentreX(here));
        const bool nearerRow = best && (r.top - bestTop) * dir < -kSameRow;
        const bool sameRow = best && std::fabs(r.top - bestTop) <= kSameRow;
        if (!best || nearerRow || (sameRow && distance < bestDistance)) {
            best = i;
            bestTop = sameRow ? bestTop : r.top;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<std::size_t> Vertical(const std::vector<Stop>& stops, std::size_t from, int direction,
                                    float scroll) {
    const std::optional<std::size_t> near = NearestAcross(stops, from, direction, scroll, true);
    return near ? near : NearestAcross(stops, from, direction, scroll, false);
}

// About one list height on, without passing the list's end.
std::optional<std::size_t> Page(const std::vector<Stop>& stops, std::size_t from, int direction,
                                const MenuLayout& layout) {
    if (!stops[from].scrolls) {
        return Vertical(stops, from, direction, layout.scroll);
    }
    const auto dir = static_cast<float>(direction);
    const float target = stops[from].rect.top + dir * (layout.listBottom - layout.listTop);
    std::optional<std::size_t> pick;
    for (std::size_t i = from; direction > 0 ? i + 1 < stops.size() : i > 0;) {
        i = direction > 0 ? i + 1 : i - 1;
        if (!stops[i].scrolls || (stops[i].rect.top - target) * dir > 0) {
            break;
        }
        pick = i;
    }
    return pick ? pick : Vertical(stops, from, direction, layout.scroll);
}

// The first item that is not the header button, else the button.
std::size_t FirstItem(const std::vector<Stop>& stops) {
    const auto it = std::find_if(stops.begin(), stops.end(),
                                 [](const Stop& s) { return !IsHeaderButton(s.id); });
    return it == stops.end() ? 0 : static_cast<std::size_t>(std::distance(stops.begin(), it));
}

// Where the focus lands in a zone: the item it had there, else the first
// item in sight that is not the header button, else the first at all.
std::size_t Entry(const std::vector<Stop>& stops, const MenuItemId& kept,
                  const MenuLayout& layout) {
    if (const std::optional<std::size_t> at = Find(stops, kept)) {
        return *at;
    }
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (IsHeaderButton(stops[i].id)) {
            continue;
        }
        const PointRect r = OnScreen(stops[i], layout.scroll);
        if (!stops[i].scrolls ||
            (r.top >= layout.listTop - kSameRow && r.bottom <= layout.listBottom + kSameRow)) {
            return i;
        }
    }
    return FirstItem(stops);
}

// Selects `to` and scrolls it into sight: at the top no higher than the
// first row rests, at the bottom down to the list's end.
void Select(MenuState& state, MenuZone zone, const std::vector<Stop>& stops, std::size_t to,
            const MenuLayout& layout) {
    const Stop& stop = stops[to];
    if (zone == MenuZone::Side) {
        state.sideSelection = stop.id;
    } else if (zone == MenuZone::List) {
        state.selection = stop.id;
    }
    if (!stop.scrolls) {
        return;
    }
    const auto first =
        std::find_if(stops.begin(), stops.end(), [](const Stop& s) { return s.scrolls; });
    const float restTop = std::max(first->rect.top, layout.listTop);
    float scroll = std::min(layout.scroll, stop.rect.top - restTop);
    scroll = std::max(scroll, stop.rect.bottom - layout.listBottom);
    state.scroll = std::clamp(scroll, 0.0f, layout.maxScroll);
}

MenuItemId& Kept(MenuState& state, MenuZone zone) noexcept {
    return zone == MenuZone::Side ? state.sideSelection : state.selection;
}

bool EnterZone(MenuState& state, const MenuLayout& layout, MenuZone zone) {
    if (zone == MenuZone::Search) {
        state.focus = zone;
        return true;
    }
    const std::vector<Stop> stops = ZoneStops(layout, zone);
    if (stops.empty()) {
        return false;
    }
    state.focus = zone;
    Select(state, zone, stops, Entry(stops, Kept(state, zone), layout), layout);
    return true;
}

bool CycleZone(MenuState& state, const MenuLayout& layout, int direction) {
    const auto count = static_cast<int>(kZoneOrder.size());
    const auto at = static_cast<int>(std::find(kZoneOrder.begin(), kZoneOrder.end(), state.focus) -
                                     kZoneOrder.begin());
    for (int step = 1; step <= count; ++step) {
        const MenuZone next =
            kZoneOrder[static_cast<std::size_t>(((at + direction * step) % count + count) % count)];
        if (EnterZone(state, layout, next)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool MoveMenuFocus(MenuState& state, const MenuLayout& layout, MenuKey key) {
    if (key == MenuKey::Tab || key == MenuKey::BackTab) {
        return CycleZone(state, layout, key == MenuKey::Tab ? 1 : -1);
    }
    MenuZone zone = state.focus;
    if (zone == MenuZone::Search) {
        const bool walk = key == MenuKey::Up || key == MenuKey::Down || key == MenuKey::PageUp ||
                          key == MenuKey::PageDown;
        if (layout.view != MenuView::Results) {
            return key == MenuKey::Down && EnterZone(state, layout, MenuZone::List);
        }
        if (!walk) {
            return false;  // the text's own keys
        }
        zone = MenuZone::List;  // the results, while the box keeps the focus
    }
    const std::vector<Stop> stops = ZoneStops(layout, zone);
    if (stops.empty()) {
        return false;
    }
    const MenuItemId current = zone == MenuZone::Power ? stops.front().id : Kept(state, zone);
    const std::optional<std::size_t> from = Find(stops, current);
    if (!from) {
        // The list changed under the selection: start again where the
        // focus lands.
        Select(state, zone, stops, Entry(stops, {}, layout), layout);
        return true;
    }
    std::optional<std::size_t> to;
    switch (key) {
        case MenuKey::Up:
        case MenuKey::Down:
            to = Vertical(stops, *from, key == MenuKey::Up ? -1 : 1, layout.scroll);
            if (!to && key == MenuKey::Up && state.focus != MenuZone::Search) {
                state.focus = MenuZone::Search;
                return true;
            }
            break;
        case MenuKey::Left:
            to = *from > 0 ? std::optional<std::size_t>(*from - 1) : std::nullopt;
            break;
        case MenuKey::Right:
            to = *from + 1 < stops.size() ? std::optional<std::size_t>(*from + 1) : std::nullopt;
            break;
        case MenuKey::Home:
            to = FirstItem(stops);
            break;
        case MenuKey::End:
            to = stops.size() - 1;
            break;
        case MenuKey::PageUp:
        case MenuKey::PageDown:
            to = Page(stops, *from, key == MenuKey::PageUp ? -1 : 1, layout);
            break;
        case MenuKey::Tab:
        case MenuKey::BackTab:
            break;
    }
    if (to) {
        Select(state, zone, stops, *to, layout);
    }
    return true;
}

void FocusNewView(MenuState& state, const MenuLayout& layout, const MenuItemId& from) {
    if (state.focus != MenuZone::List) {
        if (layout.view != MenuView::Results) {
            state.selection = {};
        }
        return;
    }
    MenuItemId wanted;
    if (from.kind == MenuHit::LetterHeader) {
        wanted = {MenuHit::LetterCell, from.index};
    } else if (from.kind == MenuHit::LetterCell) {
        wanted = {MenuHit::LetterHeader, from.index};
    }
    state.selection = wanted;
    if (!EnterZone(state, layout, MenuZone::List)) {
        state.focus = MenuZone::Search;
    }
}

void KeepResultSelection(MenuState& state, std::size_t resultCount) noexcept {
    const auto count = static_cast<int32_t>(resultCount);
    if (state.selection.kind == MenuHit::AppRow && state.selection.index >= 0 &&
        state.selection.index < count) {
        return;
    }
    state.selection = {MenuHit::SearchFiles, count};
}

MenuMark MarkedItem(const MenuState& state, const MenuLayout& layout) {
    MenuZone zone = state.focus;
    if (zone == MenuZone::Search) {
        if (layout.view != MenuView::Results) {
            return {};
        }
        zone = MenuZone::List;
    }
    const std::vector<Stop> stops = ZoneStops(layout, zone);
    const std::optional<std::size_t> at =
        zone == MenuZone::Power
            ? (stops.empty() ? std::nullopt : std::optional<std::size_t>(0))
            : Find(stops, zone == MenuZone::Side ? state.sideSelection : state.selection);
    if (!at) {
        return {};
    }
    const Stop& stop = stops[*at];
    return {stop.id, OnScreen(stop, layout.scroll), state.focus != MenuZone::Search};
}

}  // namespace corvane
