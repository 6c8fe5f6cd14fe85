#pragma once
// The shape of one language's texts. A table lists every id once, in the
// enum's order, so that a lookup is an index and a missing or misplaced
// text fails the build.

#include "config/TextId.h"

#include <array>

namespace corvane {

struct TextEntry {
    TextId id;
    const wchar_t* text;
};

using TextTable = std::array<TextEntry, kTextCount>;

[[nodiscard]] constexpr bool InIdOrder(const TextTable& table) noexcept {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (static_cast<std::size_t>(table[i].id) != i) {
            return false;
        }
    }
    return true;
}

// One per language, each in a file of its own (config/Texts<Language>.cpp).
[[nodiscard]] const TextTable& EnglishTexts() noexcept;
[[nodiscard]] const TextTable& NorwegianTexts() noexcept;

}  // namespace corvane
