#pragma once
// What a screen reader learns about a surface drawn with Direct2D: a tree of
// nodes the surface builds from its own layout whenever it is asked, and the
// answers Active Accessibility wants from that tree (ids, navigation, hit
// testing). The Win32 side (toolkit/AccessibleWindow.h) serves a snapshot of
// it through IAccessible.
//
// Ids: the surface's window itself is 0, every other node its place in a
// pre-order walk of the snapshot (1, 2, ...). The ids stay the same as long
// as the surface's layout does, so an event and the reader's question that
// follows it name the same node.

#include "base/Geometry.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// Mapped to the ROLE_SYSTEM_* constants on the Win32 side.
enum class AccessibleRole : uint8_t {
    Client,
    Window,
    ToolBar,
    MenuBar,
    PushButton,
    MenuItem,
    List,
    ListItem,
    Text,
    EditableText,
    Slider,
    CheckButton,
    ComboBox,
    PageTab,
    Grouping,
    Clock,
};

// Mapped to the STATE_SYSTEM_* bits on the Win32 side.
enum AccessibleState : uint32_t {
    kAccFocused = 1u << 0,
    kAccSelected = 1u << 1,
    kAccChecked = 1u << 2,
    kAccPressed = 1u << 3,
    kAccExpanded = 1u << 4,
    kAccHasPopup = 1u << 5,
    kAccUnavailable = 1u << 6,
    kAccInvisible = 1u << 7,
    kAccOffscreen = 1u << 8,
    kAccFocusable = 1u << 9,
    kAccSelectable = 1u << 10,
};

// No action: the node's default action is absent.
inline constexpr int32_t kNoAccessibleAction = -1;

struct AccessibleNode {
    AccessibleRole role = AccessibleRole::Text;
    uint32_t states = 0;  // AccessibleState bits
    std::wstring name;    // in the current language
    std::wstring value;
    std::wstring description;
    std::wstring shortcut;       // keyboard shortcut, as the user types it
    std::wstring defaultAction;  // the action's name; empty: none
    // What the surface runs for the default action (its own number, handed
    // back to it), and how events find the node.
    int32_t actionId = kNoAccessibleAction;
    PixelRect location;  // window client pixels
    std::vector<AccessibleNode> children;
};

// The directions of accNavigate: siblings in order, the first or last child,
// and the nearest sibling on the screen.
enum class AccessibleDirection : uint8_t {
    Next,
    Previous,
    FirstChild,
    LastChild,
    Left,
    Right,
    Up,
    Down,
};

inline constexpr int kNoAccessibleNode = -1;

// A rectangle a surface lays out in DIPs as a node's location, rounded to the
// window's pixels at `dpi`.
[[nodiscard]] PixelRect AccessiblePixels(const PointRect& rect, uint32_t dpi) noexcept;

// A snapshot of a surface's tree, with every node numbered.
class AccessibleTree {
public:
    explicit AccessibleTree(AccessibleNode root);

    [[nodiscard]] int Count() const noexcept { return static_cast<int>(nodes_.size()); }
    [[nodiscard]] bool Valid(int id) const noexcept { return id >= 0 && id < Count(); }
    // `id` must be Valid.
    [[nodiscard]] const AccessibleNode& Node(int id) const noexcept {
        return *nodes_[static_cast<std::size_t>(id)].node;
    }
    [[nodiscard]] int Parent(int id) const noexcept;
    // The ids of a node's children in order; empty for an unknown id.
    [[nodiscard]] std::span<const int> Children(int id) const noexcept;
    // A reader's child number below `id`: 0 is `id` itself, n its n-th
    // child; kNoAccessibleNode when there is no such child.
    [[nodiscard]] int ChildAt(int id, long number) const noexcept;
    // The reverse: the place of `id` among its parent's children, from 1;
    // 0 for the root.
    [[nodiscard]] long ChildNumber(int id) const noexcept;
    // The node `direction` leads to from `id`, or kNoAccessibleNode.
    [[nodiscard]] int Navigate(int id, AccessibleDirection direction) const noexcept;
    // The deepest node under a client point, starting at `id`; kNoAccessibleNode
    // when the point lies outside it.
    [[nodiscard]] int HitTest(int id, int32_t x, int32_t y) const noexcept;
    // The first node (pre-order) with this action id, or kNoAccessibleNode.
    [[nodiscard]] int FindAction(int32_t actionId) const noexcept;
    // The first node with all of these state bits, or kNoAccessibleNode.
    [[nodiscard]] int FindState(uint32_t states) const noexcept;
    // Every node with all of these state bits, in order.
    [[nodiscard]] std::vector<int> AllWithState(uint32_t states) const;

private:
    struct Entry {
        const AccessibleNode* node = nullptr;
        int parent = kNoAccessibleNode;
        std::vector<int> children;
    };
    int Add(const AccessibleNode& node, int parent);

    std::unique_ptr<const AccessibleNode> root_;
    std::vector<Entry> nodes_;
};

}  // namespace corvane
