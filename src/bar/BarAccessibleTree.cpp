#include "bar/BarAccessibleTree.h"

#include "bar/BarClicks.h"
#include "bar/StatusText.h"
#include "config/Texts.h"

namespace corvane {
namespace {

constexpr int32_t kKindsPerIndex = 8;

// A tooltip's lines as one spoken phrase.
std::wstring JoinLines(std::wstring_view text) {
    std::wstring out;
    for (const wchar_t c : text) {
        if (c == L'\n') {
            if (!out.empty()) {
                out += L", ";
            }
        } else {
            out += c;
        }
    }
    return out;
}

void FillItem(const BarAccessibleFacts& facts, const BarItem& item, AccessibleNode& node) {
    const std::wstring press = Text(TextId::Press);
    const std::wstring open = Text(TextId::Open);
    switch (item.kind) {
        case BarItemKind::AppNameItem:
            node.role = AccessibleRole::PushButton;
            node.name = facts.appName;
            node.states |= kAccHasPopup | kAccFocusable;
            node.defaultAction = open;
            break;
        case BarItemKind::MenuTitleItem:
            node.role = AccessibleRole::MenuItem;
            if (facts.menus != nullptr && item.menuIndex >= 0 &&
                static_cast<std::size_t>(item.menuIndex) < facts.menus->size()) {
                node.name = (*facts.menus)[static_cast<std::size_t>(item.menuIndex)].title;
            }
            node.states |= kAccHasPopup | kAccFocusable;
            node.defaultAction = open;
            break;
        case BarItemKind::TrayIconItem:
            node.role = AccessibleRole::PushButton;
            node.name = facts.trayName ? JoinLines(facts.trayName(item)) : std::wstring();
            node.defaultAction = press;
            break;
        case BarItemKind::TilingButtonItem:
            node.role = AccessibleRole::CheckButton;
            node.name = Text(facts.tilingOn ? TextId::TilingOn : TextId::TilingOff);
            node.states |= facts.tilingOn ? kAccChecked : 0u;
            node.defaultAction = press;
            break;
        case BarItemKind::StatusItem:
            node.role = AccessibleRole::PushButton;
            if (facts.status != nullptr) {
                node.name = StatusAccessibleName(*facts.status);
                // Each indicator on its own too, so that a reader walking the
                // cluster hears "Volume 40 %" apart from the network.
                for (const std::wstring& line :
                     {NetworkStatusLine(*facts.status), SoundStatusLine(*facts.status),
                      BatteryStatusLine(*facts.status)}) {
                    if (std::wstring name = JoinLines(line); !name.empty()) {
                        AccessibleNode& indicator = node.children.emplace_back();
                        indicator.role = AccessibleRole::Text;
                        indicator.name = std::move(name);
                        indicator.location = node.location;
                    }
                }
            }
            node.description = JoinLines(Text(TextId::ScrollForVolumeLine));
            node.defaultAction = press;
            break;
        case BarItemKind::ClockItem:
            node.role = AccessibleRole::Clock;
            node.name = facts.clockText;
            if (!facts.longDate.empty() &&
                facts.clockText.find(facts.longDate) == std::wstring::npos) {
                node.name += L", ";
                node.name += facts.longDate;
            }
            node.defaultAction = press;
            break;
        case BarItemKind::NowPlayingItem:
        default:
            node.role = AccessibleRole::PushButton;
            node.name = facts.nowPlayingText;
            node.states |= kAccHasPopup;
            node.defaultAction = open;
            break;
    }
}

}  // namespace

int32_t BarActionId(int index, BarItemKind kind) noexcept {
    return index * kKindsPerIndex + static_cast<int32_t>(kind);
}

std::optional<int> BarActionItem(int32_t actionId, const std::vector<BarItem>& items) noexcept {
    if (actionId < 0) {
        return std::nullopt;
    }
    const int index = actionId / kKindsPerIndex;
    if (static_cast<std::size_t>(index) >= items.size() ||
        BarActionId(index, items[static_cast<std::size_t>(index)].kind) != actionId) {
        return std::nullopt;
    }
    return index;
}

std::wstring StatusAccessibleName(const StatusModel& status) {
    return JoinLines(NetworkStatusLine(status) + SoundStatusLine(status) +
                     BatteryStatusLine(status));
}

AccessibleNode BarAccessibleTree(const BarAccessibleFacts& facts) {
    AccessibleNode root;
    root.role = AccessibleRole::ToolBar;
    root.name = Text(TextId::TopBar);
    root.location = facts.client;
    root.states = facts.shown ? 0u : kAccInvisible;
    if (facts.items == nullptr) {
        return root;
    }
    root.children.reserve(facts.items->size());
    for (std::size_t i = 0; i < facts.items->size(); ++i) {
        const BarItem& item = (*facts.items)[i];
        const int index = static_cast<int>(i);
        AccessibleNode node;
        node.location = ItemPixelBox(item, facts.dpi);
        node.actionId = BarActionId(index, item.kind);
        node.states = root.states;
        node.states |= index == facts.focusIndex ? kAccFocused : 0u;
        node.states |= index == facts.openMenuIndex ? kAccExpanded : 0u;
        node.states |= index == facts.pressedIndex ? kAccPressed : 0u;
        FillItem(facts, item, node);
        root.children.push_back(std::move(node));
    }
    return root;
}

}  // namespace corvane
