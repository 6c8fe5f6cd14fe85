#include "appmenus/NativeMenuReader.h"

#include <algorithm>
#include <utility>

namespace corvane {

std::wstring CleanMenuTitle(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'&') {
            out.push_back(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == L'&') {
            out.push_back(L'&');
            ++i;
        }
    }
    return out;
}

std::vector<AppMenu> ReadMenuBarTitles(NativeMenuSource& source, NativeMenuHandle menuBar) {
    std::vector<AppMenu> menus;
    const int count = std::min(source.ItemCount(menuBar), kMaxMenuBarTitles);
    for (int position = 0; position < count; ++position) {
        std::optional<NativeMenuEntry> entry = source.EntryAt(menuBar, position);
        if (!entry || entry->submenu == nullptr || entry->text.empty()) {
            continue;
        }
        AppMenu menu;
        menu.title = CleanMenuTitle(entry->text);
        menu.nativeSubmenu = entry->submenu;
        menu.nativePosition = position;
        menus.push_back(std::move(menu));
    }
    return menus;
}

namespace {

std::vector<AppMenuItem> ReadItems(NativeMenuSource& source, NativeMenuHandle submenu, int depth,
                                   int& budget) {
    std::vector<AppMenuItem> items;
    const int count = std::min(source.ItemCount(submenu), kMaxNativeMenuItems);
    for (int position = 0; position < count && budget > 0; ++position) {
        --budget;
        std::optional<NativeMenuEntry> entry = source.EntryAt(submenu, position);
        if (!entry) {
            continue;
        }
        if ((entry->type & kNativeSeparatorType) != 0) {
            if (!items.empty() && !items.back().isSeparator) {
                AppMenuItem separator;
                separator.isSeparator = true;
                items.push_back(std::move(separator));
            }
            continue;
        }
        if (entry->text.empty()) {
            continue;
        }
        AppMenuItem item;
        const std::size_t tab = entry->text.find(L'\t');
        if (tab == std::wstring::npos) {
            item.name = std::move(entry->text);
        } else {
            item.name = entry->text.substr(0, tab);
            item.shortcutText = entry->text.substr(tab + 1);
        }
        item.commandId = entry->id;
        item.disabled = (entry->state & kNativeDisabledState) != 0;
        item.checked = (entry->state & kNativeCheckedState) != 0;
        if (entry->submenu != nullptr && depth < kMaxNativeSubmenuDepth) {
            source.PrepareSubmenu(entry->submenu, position);
            item.children = ReadItems(source, entry->submenu, depth + 1, budget);
            item.commandId = 0;
        }
        items.push_back(std::move(item));
    }
    while (!items.empty() && items.back().isSeparator) {
        items.pop_back();
    }
    return items;
}

}  // namespace

std::vector<AppMenuItem> ReadNativeItems(NativeMenuSource& source, NativeMenuHandle submenu,
                                         int depth) {
    int budget = kMaxNativeEntriesPerDropDown;
    return ReadItems(source, submenu, depth, budget);
}

}  // namespace corvane
