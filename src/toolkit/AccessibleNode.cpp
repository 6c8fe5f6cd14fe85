#include "toolkit/AccessibleNode.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace corvane {
namespace {

struct Center {
    int64_t x = 0;
    int64_t y = 0;
};

Center CenterOf(const PixelRect& r) noexcept {
    return {(static_cast<int64_t>(r.left) + r.right) / 2,
            (static_cast<int64_t>(r.top) + r.bottom) / 2};
}

// How far `to` lies in `direction` from `from`: along the direction first,
// across it second; nothing when it does not lie that way at all.
std::optional<std::pair<int64_t, int64_t>> DistanceTowards(Center from, Center to,
                                                           AccessibleDirection direction) noexcept {
    const bool horizontal =
        direction == AccessibleDirection::Left || direction == AccessibleDirection::Right;
    const bool backwards =
        direction == AccessibleDirection::Left || direction == AccessibleDirection::Up;
    int64_t along = horizontal ? to.x - from.x : to.y - from.y;
    along = backwards ? -along : along;
    if (along <= 0) {
        return std::nullopt;
    }
    const int64_t across = horizontal ? to.y - from.y : to.x - from.x;
    return std::pair<int64_t, int64_t>{along, across < 0 ? -across : across};
}

}  // namespace

PixelRect AccessiblePixels(const PointRect& rect, uint32_t dpi) noexcept {
    const float scale = static_cast<float>(dpi) / 96.0f;
    const auto round = [scale](float dips) {
        return static_cast<int32_t>(std::lround(dips * scale));
    };
    return {round(rect.left), round(rect.top), round(rect.right), round(rect.bottom)};
}

AccessibleTree::AccessibleTree(AccessibleNode root)
    : root_(std::make_unique<const AccessibleNode>(std::move(root))) {
    Add(*root_, kNoAccessibleNode);
}

int AccessibleTree::Add(const AccessibleNode& node, int parent) {
    const int id = Count();
    nodes_.push_back(Entry{&node, parent, {}});
    std::vector<int> children;
    children.reserve(node.children.size());
    for (const AccessibleNode& child : node.children) {
        children.push_back(Add(child, id));
    }
    nodes_[static_cast<std::size_t>(id)].children = std::move(children);
    return id;
}

int AccessibleTree::Parent(int id) const noexcept {
    return Valid(id) ? nodes_[static_cast<std::size_t>(id)].parent : kNoAccessibleNode;
}

std::span<const int> AccessibleTree::Children(int id) const noexcept {
    if (!Valid(id)) {
        return {};
    }
    return nodes_[static_cast<std::size_t>(id)].children;
}

int AccessibleTree::ChildAt(int id, long number) const noexcept {
    const std::span<const int> children = Children(id);
    if (!Valid(id) || number < 0 || static_cast<std::size_t>(number) > children.size()) {
        return kNoAccessibleNode;
    }
    return number == 0 ? id : children[static_cast<std::size_t>(number - 1)];
}

long AccessibleTree::ChildNumber(int id) const noexcept {
    const std::span<const int> siblings = Children(Parent(id));
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i] == id) {
            return static_cast<long>(i + 1);
        }
    }
    return 0;
}

int AccessibleTree::Navigate(int id, AccessibleDirection direction) const noexcept {
    if (!Valid(id)) {
        return kNoAccessibleNode;
    }
    if (direction == AccessibleDirection::FirstChild ||
        direction == AccessibleDirection::LastChild) {
        const std::span<const int> children = Children(id);
        if (children.empty()) {
            return kNoAccessibleNode;
        }
        return direction == AccessibleDirection::FirstChild ? children.front() : children.back();
    }
    const std::span<const int> siblings = Children(Parent(id));
    std::size_t at = 0;
    while (at < siblings.size() && siblings[at] != id) {
        ++at;
    }
    if (at == siblings.size()) {
        return kNoAccessibleNode;  // the root has no siblings
    }
    if (direction == AccessibleDirection::Next) {
        return at + 1 < siblings.size() ? siblings[at + 1] : kNoAccessibleNode;
    }
    if (direction == AccessibleDirection::Previous) {
        return at > 0 ? siblings[at - 1] : kNoAccessibleNode;
    }
    const Center from = CenterOf(Node(id).location);
    int best = kNoAccessibleNode;
    std::optional<std::pair<int64_t, int64_t>> bestDistance;
    for (const int sibling : siblings) {
        const auto d = DistanceTowards(from, CenterOf(Node(sibling).location), direction);
        if (sibling != id && d && (!bestDistance || *d < *bestDistance)) {
            best = sibling;
            bestDistance = d;
        }
    }
    return best;
}

int AccessibleTree::HitTest(int id, int32_t x, int32_t y) const noexcept {
    if (!Valid(id) || !Contains(Node(id).location, x, y)) {
        return kNoAccessibleNode;
    }
    for (const int child : Children(id)) {
        if (const int hit = HitTest(child, x, y); hit != kNoAccessibleNode) {
            return hit;
        }
    }
    return id;
}

int AccessibleTree::FindAction(int32_t actionId) const noexcept {
    if (actionId == kNoAccessibleAction) {
        return kNoAccessibleNode;
    }
    for (int id = 0; id < Count(); ++id) {
        if (Node(id).actionId == actionId) {
            return id;
        }
    }
    return kNoAccessibleNode;
}

int AccessibleTree::FindState(uint32_t states) const noexcept {
    for (int id = 0; id < Count(); ++id) {
        if ((Node(id).states & states) == states) {
            return id;
        }
    }
    return kNoAccessibleNode;
}

std::vector<int> AccessibleTree::AllWithState(uint32_t states) const {
    std::vector<int> found;
    for (int id = 0; id < Count(); ++id) {
        if ((Node(id).states & states) == states) {
            found.push_back(id);
        }
    }
    return found;
}

}  // namespace corvane
