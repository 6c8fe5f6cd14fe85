// The tiling shortcuts on the Tiling page: one choice of modifiers per
// shortcut, and a warning on any the keyboard layouts need for typing.

#include "config/Language.h"
#include "settings/SettingsPageRows.h"
#include "toolkit/ShortcutTyping.h"

#include <array>

namespace corvane::pages {
namespace {

struct ShortcutGroup {
    const wchar_t* key;  // in [Tiling]
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

}  // namespace

void AppendTilingShortcuts(std::vector<SettingsRow>& rows, PageContext& context) {
    rows.push_back(Header(Tr(L"Hurtigtaster", L"Keyboard shortcuts")));
    for (const ShortcutGroup& group : Groups()) {
        const wchar_t* keyName = Tr(group.keyNorwegian, group.keyEnglish);
        std::vector<std::wstring> options;
        for (int32_t choice = 0; choice < kShortcutChoiceOff; ++choice) {
            options.push_back(ShortcutText(choice, keyName));
        }
        options.emplace_back(Tr(L"Av", L"Off"));
        SettingsRow row = Choice(context, Tr(group.norwegian, group.english), L"", L"Tiling",
                                 group.key, std::move(options), [](PageContext& c) {
                                     c.host.ApplyTilingSettings();
                                     c.rebuild();
                                 });
        const std::wstring typed = TypedByGroup(context, group, row.getInt());
        if (!typed.empty()) {
            row.warning = true;
            row.description = Tr(L"Skriver «", L"Types “") + typed +
                              Tr(L"» med et av tastaturoppsettene dine, så den er ikke i bruk. "
                                 L"Velg en annen.",
                                 L"” in one of your keyboard layouts, so it is not in use. "
                                 L"Choose another.");
        }
        rows.push_back(std::move(row));
    }
}

}  // namespace corvane::pages
