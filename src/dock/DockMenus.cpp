#include "dock/DockMenus.h"

#include "base/Utf16.h"
#include "base/TextHelpers.h"
#include "config/Texts.h"

#include <string_view>

namespace corvane {
namespace {

constexpr std::size_t kTitleUnits = 80;  // UTF-16 units, as GetWindowTextW would give

DockMenuEntry Separator() {
    return {};
}

}  // namespace

std::wstring DockMenuTitle(std::wstring title) {
    title.resize(Utf16Prefix(title, kTitleUnits));
    return title;
}

std::vector<DockMenuEntry> DockItemMenu(const std::vector<std::wstring>& titles,
                                        int foregroundIndex, bool pinned, bool closable) {
    std::vector<DockMenuEntry> menu;
    menu.reserve(titles.size() + 5);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        menu.push_back({kDockMenuWindowBase + static_cast<uint32_t>(i),
                        EscapeMenuText(DockMenuTitle(titles[i])),
                        static_cast<int>(i) == foregroundIndex});
    }
    const bool windows = !titles.empty();
    if (windows) {
        menu.push_back(Separator());
        menu.push_back({kDockMenuOpen, Text(TextId::NewWindow)});
    } else {
        menu.push_back({kDockMenuOpen, Text(TextId::Open)});
    }
    if (pinned) {
        menu.push_back({kDockMenuUnpin, Text(TextId::UnpinFromDock)});
    } else {
        menu.push_back({kDockMenuPin, Text(TextId::PinToDock)});
    }
    if (windows) {
        menu.push_back(Separator());
        menu.push_back(
            {kDockMenuClose,
             titles.size() == 1 ? Text(TextId::CloseWindow) : Text(TextId::CloseAllWindows), false,
             !closable});
    }
    return menu;
}

std::vector<DockMenuEntry> DockMenu(bool hideTaskbar) {
    std::vector<DockMenuEntry> menu;
    menu.push_back({kDockMenuSettings, Text(TextId::DockSettingsMenu)});
    menu.push_back({kDockMenuToggleTaskbar,
                    hideTaskbar ? Text(TextId::ShowTaskbarAgain) : Text(TextId::HideTaskbar)});
    return menu;
}

}  // namespace corvane
