#include "config/Texts.h"

#include "config/TextTable.h"

namespace corvane {
namespace {

const TextTable& TableOf(Language language) noexcept {
    switch (language) {
        case Language::Norwegian:
            return NorwegianTexts();
        case Language::English:
            break;
    }
    return EnglishTexts();
}

}  // namespace

const wchar_t* Text(TextId id) noexcept {
    return TextIn(CurrentLanguage(), id);
}

const wchar_t* TextIn(Language language, TextId id) noexcept {
    const TextTable& table = TableOf(language);
    const auto index = static_cast<std::size_t>(id);
    return index < table.size() ? table[index].text : L"";
}

}  // namespace corvane
