// The global shortcuts: the tiling ones on the Tiling page, the ones that
// give the keyboard to the top bar and the dock on their pages. One choice
// of modifiers per shortcut, and a warning on any the keyboard layouts need
// for typing.

#include "config/Language.h"
#include "settings/SettingsPageRows.h"
#include "toolkit/KeyboardFocus.h"
#include "toolkit/ShortcutTyping.h"

#include <array>

namespace corvane::pages {
namespace {

struct ShortcutGroup {
    const wchar_t* key;  // in its page's section
    const wchar_t* norwegian;
    const wchar_t* english;
    const wchar_t* keyNorwegian;
    const wchar_t* keyEnglish;
    std::vector<uint32_t> virtualKeys;
    bool withShiftToo;  // the same keys with Shift do the group's second job
};

const std::array<ShortcutGroup, 5>& Groups() {
    static const std::array<ShortcutGroup, 5> groups = {{
        {L"ToggleKeys",
         L"Slå tiling av og på",
         L"Turn tiling on and off",
         L"T",
         L"T",
         {'T'},
         false},
        {L"ArrowKeys",
         L"Flytt fokus til vinduet ved siden av (med Shift: bytt plass)",
         L"Move focus to the adjacent window (with Shift: swap places)",
         L"piltaster",
         L"arrow keys",
         {0x25, 0x26, 0x27, 0x28},
         true},
        {L"FloatKeys",
         L"Gjør vinduet flytende / tile det igjen",
         L"Float the window / tile it again",
         L"F",
         L"F",
         {'F'},
         false},
        {L"LayoutKeys", L"Neste oppsett", L"Next layout", L"L", L"L", {'L'}, false},
        {L"ArrangeKeys",
         L"Ordne vinduene nå",
         L"Arrange windows now",
         L"Mellomrom",
         L"Space",
         {0x20},
         false},
    }};
    return groups;
}

// What the first of the group's chords that a layout types with gives.
std::wstring TypedByGroup(PageContext& context, const ShortcutGroup& group, int32_t choice) {
    const uint32_t modifiers = ShortcutModifiers(choice);
    if (modifiers == 0) {
        return {};
    }
    for (const uint32_t key : group.virtualKeys) {
        for (const uint32_t extra : {0u, group.withShiftToo ? kShortcutShift : 0u}) {
            std::wstring typed = context.host.TypedByShortcut(modifiers | extra, key);
            if (!typed.empty()) {
                return typed;
            }
        }
    }
    return {};
}

SettingsRow ShortcutRow(PageContext& context, const wchar_t* section, const ShortcutGroup& group,
                        const wchar_t* description, After after) {
    const wchar_t* keyName = Tr(group.keyNorwegian, group.keyEnglish);
    std::vector<std::wstring> options;
    for (int32_t choice = 0; choice < kShortcutChoiceOff; ++choice) {
        options.push_back(ShortcutText(choice, keyName));
    }
    options.emplace_back(Tr(L"Av", L"Off"));
    SettingsRow row = Choice(context, Tr(group.norwegian, group.english), description, section,
                             group.key, std::move(options), std::move(after));
    const std::wstring typed = TypedByGroup(context, group, row.getInt());
    if (!typed.empty()) {
        row.warning = true;
        row.description = Tr(L"Skriver «", L"Types “") + typed +
                          Tr(L"» med et av tastaturoppsettene dine, så den er ikke i bruk. "
                             L"Velg en annen.",
                             L"” in one of your keyboard layouts, so it is not in use. "
                             L"Choose another.");
    }
    return row;
}

}  // namespace

void AppendTilingShortcuts(std::vector<SettingsRow>& rows, PageContext& context) {
    rows.push_back(Header(Tr(L"Hurtigtaster", L"Keyboard shortcuts")));
    for (const ShortcutGroup& group : Groups()) {
        rows.push_back(ShortcutRow(context, L"Tiling", group, L"", [](PageContext& c) {
            c.host.ApplyTilingSettings();
            c.rebuild();
        }));
    }
}

void AppendFocusShortcut(std::vector<SettingsRow>& rows, PageContext& context, bool dock) {
    static const ShortcutGroup bar = {
        L"FocusKeys", L"Menyene med tastaturet", L"Menus by keyboard", L"F2", L"F2", {kBarFocusKey},
        false};
    static const ShortcutGroup dockGroup = {L"FocusKeys",
                                            L"Docken med tastaturet",
                                            L"The dock by keyboard",
                                            L"F3",
                                            L"F3",
                                            {kDockFocusKey},
                                            false};
    const wchar_t* description =
        dock ? Tr(L"Piltastene flytter, Enter åpner, menytasten eller Shift+F10 viser menyen, "
                  L"Esc går tilbake",
                  L"The arrow keys move, Enter opens, the menu key or Shift+F10 shows the menu, "
                  L"Esc goes back")
             : Tr(L"Piltastene flytter, Pil ned eller Enter åpner menyen, Esc går tilbake",
                  L"The arrow keys move, Down or Enter opens the menu, Esc goes back");
    rows.push_back(ShortcutRow(context, dock ? L"Dock" : L"Bar", dock ? dockGroup : bar,
                               description, [](PageContext& c) {
                                   c.host.ApplyFocusShortcuts();
                                   c.rebuild();
                               }));
}

}  // namespace corvane::pages
