// The global shortcuts: the tiling ones on the Tiling page, the ones that
// give the keyboard to the top bar and the dock on their pages. One choice
// of modifiers per shortcut, and a warning on any the keyboard layouts need
// for typing.

#include "config/Texts.h"
#include "settings/SettingsPageRows.h"
#include "toolkit/KeyboardFocus.h"
#include "toolkit/ShortcutTyping.h"

#include <array>
#include <optional>

namespace corvane::pages {
namespace {

struct ShortcutGroup {
    const wchar_t* key;  // in its page's section
    TextId name;
    const wchar_t* keyCap;          // a key written the same in every language
    std::optional<TextId> keyWord;  // or one named in words
    std::vector<uint32_t> virtualKeys;
    bool withShiftToo;  // the same keys with Shift do the group's second job
};

const std::array<ShortcutGroup, 5>& Groups() {
    static const std::array<ShortcutGroup, 5> groups = {{
        {L"ToggleKeys", TextId::ShortcutToggleTiling, L"T", std::nullopt, {'T'}, false},
        {L"ArrowKeys",
         TextId::ShortcutMoveFocus,
         nullptr,
         TextId::ArrowKeys,
         {0x25, 0x26, 0x27, 0x28},
         true},
        {L"FloatKeys", TextId::ShortcutFloat, L"F", std::nullopt, {'F'}, false},
        {L"LayoutKeys", TextId::ShortcutNextLayout, L"L", std::nullopt, {'L'}, false},
        {L"ArrangeKeys", TextId::ShortcutArrange, nullptr, TextId::SpaceKey, {0x20}, false},
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
    const wchar_t* keyName = group.keyWord ? Text(*group.keyWord) : group.keyCap;
    std::vector<std::wstring> options;
    for (int32_t choice = 0; choice < kShortcutChoiceOff; ++choice) {
        options.push_back(ShortcutText(choice, keyName));
    }
    options.emplace_back(Text(TextId::Off));
    SettingsRow row = Choice(context, Text(group.name), description, section, group.key,
                             std::move(options), std::move(after));
    const std::wstring typed = TypedByGroup(context, group, row.getInt());
    if (!typed.empty()) {
        row.warning = true;
        row.description = Text(TextId::ShortcutTypes) + typed + Text(TextId::ShortcutTypesRest);
    }
    return row;
}

}  // namespace

void AppendTilingShortcuts(std::vector<SettingsRow>& rows, PageContext& context) {
    rows.push_back(Header(Text(TextId::KeyboardShortcuts)));
    for (const ShortcutGroup& group : Groups()) {
        rows.push_back(ShortcutRow(context, L"Tiling", group, L"", [](PageContext& c) {
            c.host.ApplyTilingSettings();
            c.rebuild();
        }));
    }
}

void AppendFocusShortcut(std::vector<SettingsRow>& rows, PageContext& context, bool dock) {
    static const ShortcutGroup bar = {L"FocusKeys", TextId::ShortcutBarKeys, L"F2",
                                      std::nullopt, {kBarFocusKey},          false};
    static const ShortcutGroup dockGroup = {L"FocusKeys", TextId::ShortcutDockKeys, L"F3",
                                            std::nullopt, {kDockFocusKey},          false};
    const wchar_t* description = dock ? Text(TextId::DockKeysHint) : Text(TextId::BarKeysHint);
    rows.push_back(ShortcutRow(context, dock ? L"Dock" : L"Bar", dock ? dockGroup : bar,
                               description, [](PageContext& c) {
                                   c.host.ApplyFocusShortcuts();
                                   c.rebuild();
                               }));
}

}  // namespace corvane::pages
