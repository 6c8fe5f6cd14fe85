// menus.txt from arbitrary bytes: decoding and parsing must never crash,
// leak or hang, and what they produce must keep the model's invariants.

#include "base/TextHelpers.h"
#include "appmenus/KeyStrokes.h"
#include "appmenus/MenuPopupPlan.h"
#include "appmenus/MenusFileText.h"
#include "appmenus/MenusParser.h"
#include "resources/DefaultMenusText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace corvane;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckItem(const AppMenuItem& item) {
    Require(item.commandId == 0 && !item.disabled && !item.checked && item.children.empty());
    if (item.isSeparator) {
        Require(item.name.empty() && item.shortcutText.empty() && item.chords.empty() &&
                item.runTarget.empty());
        return;
    }
    if (!item.chords.empty()) {
        Require(item.runTarget.empty() && !item.shortcutText.empty());
        Require(Trim(item.shortcutText) == item.shortcutText);
        for (const KeyChord& chord : item.chords) {
            Require(chord.key != 0 && chord.extended <= 1);
            Require(ChordKeyStrokes(chord).size() == chord.modifiers.size() * 2 + 2);
        }
        return;
    }
    // A run item; its target may be empty ("Name = run:").
    Require(item.shortcutText.empty());
    Require(Trim(item.runTarget) == item.runTarget);
}

void CheckTable(const MenuProfileTable& table) {
    for (const std::wstring& key : table.Keys()) {
        Require(!key.empty() && key.find(L',') == std::wstring::npos);
        Require(Trim(key) == key && ToLower(key) == key);
        const MenuProfile* profile = table.Find(key);
        Require(profile != nullptr);
        for (const AppMenu& menu : *profile) {
            Require(!menu.title.empty() && Trim(menu.title) == menu.title);
            Require(menu.nativeSubmenu == nullptr && menu.nativePosition == -1);
            std::size_t selectable = 0;
            for (const AppMenuItem& item : menu.items) {
                CheckItem(item);
                selectable += item.isSeparator ? 0 : 1;
            }
            const PopupPlan plan = PlanMenuPopup(menu.items);
            Require(plan.commands.size() == selectable && !plan.hasSubmenus);
        }
    }
}

std::wstring WithCrLf(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        if (c == L'\n') {
            out += L'\r';
        }
        out += c;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size > kMaxMenusFileBytes) {
        return 0;  // never read
    }
    const std::wstring text = DecodeMenusFileBytes(data, size);
    CheckTable(ParseAppMenus(text));

    // Writing the text and reading it back gives it again, with CR LF.
    const std::vector<uint8_t> written = EncodeMenusFileBytes(text);
    Require(DecodeMenusFileBytes(written.data(), written.size()) == WithCrLf(text));

    const MenusTextChoice choice = ChooseMenusText(text, DefaultMenusText(true));
    Require(!choice.rewriteFile || choice.useCurrentDefault);
    Require(choice.useCurrentDefault == (text.empty() || choice.rewriteFile));
    return 0;
}
