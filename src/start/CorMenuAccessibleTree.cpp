#include "start/CorMenuAccessibleTree.h"

#include "config/Texts.h"

#include <string>
#include <utility>

namespace corvane {
namespace {

constexpr int kKindShift = 24;
constexpr int kViewShift = 22;
constexpr int32_t kIndexMask = (1 << kViewShift) - 1;

class MenuTreeBuilder {
public:
    explicit MenuTreeBuilder(const CorMenuAccessibleFacts& facts) : f_(facts) {}

    AccessibleNode Build() {
        const MenuLayout& layout = *f_.layout;
        AccessibleNode root;
        root.role = AccessibleRole::Client;
        root.name = Text(TextId::PageStart);
        root.location = PointsToPixels({0, 0, layout.width, layout.height}, f_.dpi);

        AccessibleNode search =
            Node(AccessibleRole::EditableText, Text(TextId::SearchAppsAndSettings), layout.search);
        search.value = f_.query;
        search.actionId = kMenuSearchAction;
        search.states = kAccFocusable | (f_.state->focus == MenuZone::Search ? kAccFocused : 0u);
        root.children.push_back(std::move(search));

        if (layout.button.id.kind != MenuHit::None) {
            root.children.push_back(
                Button(Text(MenuButtonLabel(layout.view)), layout.button.rect, layout.button.id));
        }
        root.children.push_back(List());
        root.children.push_back(Button(f_.userName, layout.userCard, {MenuHit::UserCard, -1}));
        for (const MenuPlaceRow& row : layout.places) {
            if (row.place->action >= 0) {
                root.children.push_back(
                    Button(Text(row.place->name), row.rect, {MenuHit::Place, row.place->action}));
            }
        }
        AccessibleNode power = Button(Text(TextId::Power), layout.power, {MenuHit::Power, -1});
        power.states |= kAccHasPopup;
        root.children.push_back(std::move(power));
        return root;
    }

private:
    AccessibleNode Node(AccessibleRole role, std::wstring_view name, const PointRect& rect) const {
        AccessibleNode node;
        node.role = role;
        node.name = name;
        node.location = PointsToPixels(rect, f_.dpi);
        return node;
    }

    // Selected (and focused with the keyboard's focus) when it is the mark.
    AccessibleNode Item(AccessibleRole role, std::wstring_view name, const PointRect& rect,
                        const MenuItemId& id, TextId action = TextId::Press) const {
        AccessibleNode node = Node(role, name, rect);
        node.states = kAccFocusable;
        if (id == f_.mark.id) {
            node.states |= kAccSelected | (f_.mark.focused ? kAccFocused : 0u);
        }
        node.defaultAction = Text(action);
        node.actionId = MenuActionId(f_.layout->view, id);
        return node;
    }

    AccessibleNode Button(std::wstring_view name, const PointRect& rect,
                          const MenuItemId& id) const {
        return Item(AccessibleRole::PushButton, name, rect, id);
    }

    AccessibleNode List() const {
        const MenuLayout& layout = *f_.layout;
        AccessibleNode list = Node(AccessibleRole::List, Text(MenuSectionTitle(layout.view)),
                                   {0, layout.listTop, layout.split, layout.listBottom});
        if (layout.view == MenuView::LetterIndex) {
            for (const MenuLetterCell& cell : layout.cells) {
                AccessibleNode node = ListItem(std::wstring(1, cell.letter), cell.rect,
                                               {MenuHit::LetterCell, cell.letter});
                if (!cell.present) {
                    node.states = kAccUnavailable;
                    node.defaultAction.clear();
                    node.actionId = kNoAccessibleAction;
                }
                list.children.push_back(std::move(node));
            }
            return list;
        }
        for (const MenuRow& row : layout.rows) {
            if (row.kind == MenuRowKind::Hint) {
                list.children.push_back(
                    Node(AccessibleRole::Text, Text(TextId::PinHereHint), row.rect));
            }
        }
        // Every row, also those scrolled out of the band, as readers walk
        // the whole list.
        for (const MenuRegion& region : layout.listItems) {
            const PointRect rect{region.rect.left, region.rect.top - layout.scroll,
                                 region.rect.right, region.rect.bottom - layout.scroll};
            if (std::optional<AccessibleNode> node = Row(region.id, rect)) {
                if (rect.bottom <= layout.listTop || rect.top >= layout.listBottom) {
                    node->states |= kAccOffscreen;
                }
                list.children.push_back(std::move(*node));
            }
        }
        return list;
    }

    std::optional<AccessibleNode> Row(const MenuItemId& id, const PointRect& rect) const {
        switch (id.kind) {
            case MenuHit::AppRow: {
                if (id.index < 0 || static_cast<std::size_t>(id.index) >= f_.entries.size()) {
                    return std::nullopt;
                }
                const AppEntry& entry = f_.entries[static_cast<std::size_t>(id.index)];
                AccessibleNode node = ListItem(entry.name, rect, id, TextId::Open);
                if (entry.isSetting) {
                    node.description = Text(TextId::Setting);
                }
                return node;
            }
            case MenuHit::LetterHeader:
                return ListItem(std::wstring(1, static_cast<wchar_t>(id.index)), rect, id);
            case MenuHit::SearchFiles: {
                std::wstring name = Text(TextId::SearchFilesFor);
                name.append(f_.query).append(Text(TextId::SearchFilesForEnd));
                return ListItem(name, rect, id);
            }
            default:
                return std::nullopt;
        }
    }

    AccessibleNode ListItem(std::wstring_view name, const PointRect& rect, const MenuItemId& id,
                            TextId action = TextId::Press) const {
        AccessibleNode node = Item(AccessibleRole::ListItem, name, rect, id, action);
        node.states |= kAccSelectable;
        return node;
    }

    const CorMenuAccessibleFacts& f_;
};

}  // namespace

int32_t MenuActionId(MenuView view, const MenuItemId& item) noexcept {
    return (static_cast<int32_t>(item.kind) << kKindShift) |
           (static_cast<int32_t>(view) << kViewShift) | ((item.index + 1) & kIndexMask);
}

std::optional<MenuItemId> MenuActionItem(int32_t actionId, MenuView view) noexcept {
    const int32_t kind = actionId >> kKindShift;
    if (actionId < 0 || kind <= static_cast<int32_t>(MenuHit::None) ||
        kind > static_cast<int32_t>(MenuHit::SearchFiles) ||
        ((actionId >> kViewShift) & 3) != static_cast<int32_t>(view)) {
        return std::nullopt;
    }
    return MenuItemId{static_cast<MenuHit>(kind), (actionId & kIndexMask) - 1};
}

AccessibleNode CorMenuAccessibleTree(const CorMenuAccessibleFacts& facts) {
    if (facts.layout == nullptr || facts.state == nullptr) {
        return {};
    }
    return MenuTreeBuilder(facts).Build();
}

}  // namespace corvane
