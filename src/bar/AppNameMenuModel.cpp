#include "bar/AppNameMenuModel.h"

#include "base/TextHelpers.h"
#include "config/Texts.h"

#include <algorithm>

namespace corvane {
namespace {

AppNameMenuEntry Item(uint32_t id, std::wstring text, bool grayed = false, bool checked = false) {
    AppNameMenuEntry e;
    e.id = id;
    e.text = std::move(text);
    e.grayed = grayed;
    e.checked = checked;
    return e;
}

AppNameMenuEntry Separator() {
    AppNameMenuEntry e;
    e.kind = AppNameMenuEntry::Kind::Separator;
    return e;
}

bool Contains(const std::vector<std::wstring>& list, const std::wstring& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

std::vector<AppNameMenuEntry> BuildAppNameMenu(const AppNameMenuFacts& f) {
    std::vector<AppNameMenuEntry> menu;
    const bool grey = !f.targetValid;
    const bool beyondReach = f.targetValid && f.targetBeyondReach;
    if (beyondReach) {
        menu.push_back(Item(kMenuBeyondReachNote, Text(TextId::BeyondReachNote), true));
        menu.push_back(Separator());
    }
    menu.push_back(Item(kMenuMinimize, Text(TextId::Minimize), grey));
    menu.push_back(Item(kMenuMaximizeOrRestore,
                        f.targetMaximized ? Text(TextId::Restore) : Text(TextId::Maximize), grey));
    menu.push_back(Item(kMenuCloseWindow, Text(TextId::CloseWindow), grey || beyondReach));
    if (f.tilingActive && f.targetValid) {
        menu.push_back(Separator());
        menu.push_back(
            Item(kMenuFloatWindow, Text(TextId::FloatWindow), beyondReach, f.targetFloating));
        menu.push_back(Item(kMenuNeverTile,
                            std::wstring(Text(TextId::NeverTile)) + EscapeMenuText(f.displayName),
                            false, !f.exeName.empty() && Contains(f.floatList, f.exeName)));
    }
    menu.push_back(Separator());
    menu.push_back(Item(kMenuSettings, Text(TextId::Settings)));
    if (!f.hiddenTray.empty()) {
        AppNameMenuEntry popup;
        popup.kind = AppNameMenuEntry::Kind::Submenu;
        popup.text = Text(TextId::HiddenTrayIcons);
        const std::size_t count = std::min(f.hiddenTray.size(), kMaxHiddenTrayItems);
        for (std::size_t i = 0; i < count; ++i) {
            popup.children.push_back(Item(kMenuHiddenTrayFirst + static_cast<uint32_t>(i),
                                          EscapeMenuText(f.hiddenTray[i])));
        }
        popup.children.push_back(Separator());
        popup.children.push_back(Item(kMenuShowAllTray, Text(TextId::ShowAll)));
        menu.push_back(std::move(popup));
    }
    if (menu.back().kind != AppNameMenuEntry::Kind::Separator) {
        menu.push_back(Separator());
    }
    menu.push_back(Item(kMenuQuit, Text(TextId::QuitCorvane)));
    return menu;
}

std::optional<std::wstring> HiddenTrayEntryOf(uint32_t menuId,
                                              const std::vector<std::wstring>& hidden) {
    if (menuId == kMenuShowAllTray) {
        return std::wstring();
    }
    if (menuId < kMenuHiddenTrayFirst) {
        return std::nullopt;
    }
    const std::size_t index = menuId - kMenuHiddenTrayFirst;
    if (index >= kMaxHiddenTrayItems || index >= hidden.size()) {
        return std::nullopt;
    }
    return hidden[index];
}

std::vector<std::wstring> ToggleNeverTile(std::vector<std::wstring> floatList,
                                          const std::wstring& exeName) {
    if (!exeName.empty() && !Contains(floatList, exeName)) {
        floatList.push_back(exeName);
        return floatList;
    }
    floatList.erase(std::remove(floatList.begin(), floatList.end(), exeName), floatList.end());
    return floatList;
}

}  // namespace corvane
