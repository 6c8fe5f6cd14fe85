#include "dock/DockMenus.h"

#include "config/Language.h"

#include <string_view>

namespace corvane {
namespace {

constexpr std::size_t kTitleUnits = 80;  // UTF-16 units, as GetWindowTextW would give

struct Character {
    std::size_t units;  // in UTF-16
    std::size_t chars;  // in wchar_t
};

// wchar_t is UTF-16 on Windows and UTF-32 elsewhere; the code point is taken
// as 32 bits so that the same test compiles for both.
Character CharacterAt(std::wstring_view text, std::size_t i) noexcept {
    const auto c = static_cast<uint32_t>(text[i]);
    if (c >= 0x10000) {
        return {2, 1};
    }
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
        const auto next = static_cast<uint32_t>(text[i + 1]);
        if (next >= 0xDC00 && next <= 0xDFFF) {
            return {2, 2};
        }
    }
    return {1, 1};
}

DockMenuEntry Separator() {
    return {};
}

}  // namespace

std::wstring DockMenuTitle(std::wstring title) {
    // Never cut between the two halves of a surrogate pair.
    std::size_t units = 0;
    std::size_t i = 0;
    while (i < title.size()) {
        const Character c = CharacterAt(title, i);
        if (units + c.units > kTitleUnits) {
            break;
        }
        units += c.units;
        i += c.chars;
    }
    title.resize(i);
    return title;
}

std::vector<DockMenuEntry> DockItemMenu(const std::vector<std::wstring>& titles,
                                        int foregroundIndex, bool pinned) {
    std::vector<DockMenuEntry> menu;
    menu.reserve(titles.size() + 5);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        menu.push_back({kDockMenuWindowBase + static_cast<uint32_t>(i), DockMenuTitle(titles[i]),
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
        menu.push_back({kDockMenuClose, titles.size() == 1
                                            ? Tr(L"Lukk vindu", L"Close Window")
                                            : Tr(L"Lukk alle vinduer", L"Close All Windows")});
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
