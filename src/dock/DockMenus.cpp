#include "dock/DockMenus.h"

#include "base/Utf16.h"
#include "config/Language.h"
#include "base/TextHelpers.h"

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
        menu.push_back({kDockMenuOpen, Tr(L"Nytt vindu", L"New Window")});
    } else {
        menu.push_back({kDockMenuOpen, Tr(L"\u00C5pne", L"Open")});
    }
    if (pinned) {
        menu.push_back({kDockMenuUnpin, Tr(L"Fjern fra dock", L"Unpin from dock")});
    } else {
        menu.push_back({kDockMenuPin, Tr(L"Fest i dock", L"Pin to dock")});
    }
    if (windows) {
        menu.push_back(Separator());
        menu.push_back({kDockMenuClose,
                        titles.size() == 1 ? Tr(L"Lukk vindu", L"Close Window")
                                           : Tr(L"Lukk alle vinduer", L"Close All Windows"),
                        false, !closable});
    }
    return menu;
}

std::vector<DockMenuEntry> DockMenu(bool hideTaskbar, bool settingsWindow) {
    std::vector<DockMenuEntry> menu;
    if (settingsWindow) {
        menu.push_back(
            {kDockMenuSettings, Tr(L"Dock-innstillinger\u2026", L"Dock Settings\u2026")});
    }
    menu.push_back({kDockMenuToggleTaskbar,
                    hideTaskbar
                        ? Tr(L"Vis Windows-oppgavelinjen igjen", L"Show Windows taskbar again")
                        : Tr(L"Skjul Windows-oppgavelinjen", L"Hide Windows taskbar")});
    return menu;
}

}  // namespace corvane
