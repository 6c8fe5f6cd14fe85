#include "appmenus/MenuPopupPlan.h"

#include "appmenus/NativeMenuReader.h"

namespace corvane {
namespace {

std::vector<PopupEntry> PlanEntries(const std::vector<AppMenuItem>& items, int depth,
                                    bool windowOutOfReach, PopupPlan& plan) {
    std::vector<PopupEntry> entries;
    entries.reserve(items.size());
    for (const AppMenuItem& item : items) {
        PopupEntry entry;
        if (item.isSeparator) {
            entry.flags = kPopupSeparator;
            entries.push_back(std::move(entry));
            continue;
        }
        entry.label = item.name;
        if (!item.shortcutText.empty()) {
            entry.label += L'\t';
            entry.label += item.shortcutText;
        }
        if (item.disabled) {
            entry.flags |= kPopupGrayed;
        }
        if (item.checked) {
            entry.flags |= kPopupChecked;
        }
        if (!item.children.empty() && depth < kMaxNativeSubmenuDepth) {
            entry.submenu = PlanEntries(item.children, depth + 1, windowOutOfReach, plan);
            entry.flags |= kPopupSubmenu;
            plan.hasSubmenus = true;
        } else {
            if (windowOutOfReach && item.runTarget.empty()) {
                entry.flags |= kPopupGrayed;
            }
            plan.commands.push_back(&item);
            entry.command = static_cast<uint32_t>(plan.commands.size());
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace

PopupPlan PlanMenuPopup(const std::vector<AppMenuItem>& items, bool windowOutOfReach) {
    PopupPlan plan;
    plan.entries = PlanEntries(items, 0, windowOutOfReach, plan);
    return plan;
}

const AppMenuItem* ChosenEntry(const PopupPlan& plan, int64_t command) {
    if (command < 1 || command > static_cast<int64_t>(plan.commands.size())) {
        return nullptr;
    }
    return plan.commands[static_cast<std::size_t>(command - 1)];
}

}  // namespace corvane
