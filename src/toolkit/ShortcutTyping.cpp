#include "toolkit/ShortcutTyping.h"

#include <algorithm>
#include <array>

namespace corvane {
namespace {

bool IsControlCharacter(wchar_t c) noexcept {
    return c < 0x20 || c == 0x7F;
}

struct ModifierChoice {
    uint32_t modifiers;
    const wchar_t* text;
};

constexpr std::array<ModifierChoice, 3> kChoices = {
    {{kShortcutControl | kShortcutAlt, L"Ctrl + Alt + "},
     {kShortcutWin | kShortcutAlt, L"Win + Alt + "},
     {kShortcutControl | kShortcutWin | kShortcutAlt, L"Ctrl + Win + Alt + "}}};

}  // namespace

std::wstring TypedByChord(uint32_t modifiers, const std::vector<LayoutAnswer>& answers) {
    if ((modifiers & kShortcutWin) != 0) {
        return {};
    }
    for (const LayoutAnswer& answer : answers) {
        if (answer.result < 0) {
            // A dead key types nothing yet, but takes the chord all the same;
            // a layout that wrote no spacing form gets the dotted circle.
            const bool shown = !answer.written.empty() && !IsControlCharacter(answer.written[0]);
            return shown ? answer.written.substr(0, 1) : std::wstring(L"\u25CC");
        }
        // The count may exceed what was written; only what is there counts.
        const std::wstring typed =
            answer.written.substr(0, static_cast<std::size_t>(answer.result));
        if (std::any_of(typed.begin(), typed.end(),
                        [](wchar_t c) { return !IsControlCharacter(c); })) {
            return typed;
        }
    }
    return {};
}

uint32_t ShortcutModifiers(int32_t choice) noexcept {
    if (choice < 0 || choice >= static_cast<int32_t>(kChoices.size())) {
        return 0;
    }
    return kChoices[static_cast<std::size_t>(choice)].modifiers;
}

std::wstring ShortcutText(int32_t choice, std::wstring_view keyName) {
    if (ShortcutModifiers(choice) == 0) {
        return {};
    }
    return kChoices[static_cast<std::size_t>(choice)].text + std::wstring(keyName);
}

}  // namespace corvane
