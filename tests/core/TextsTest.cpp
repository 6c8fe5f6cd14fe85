#include "config/Texts.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace corvane {
namespace {

// What the code around a text relies on: its printf conversions in order,
// and the spaces and line breaks at its ends, where it is joined to names
// and numbers.
std::wstring Joins(std::wstring_view text) {
    constexpr std::wstring_view kSpace = L" \n";
    const std::size_t first = text.find_first_not_of(kSpace);
    const std::size_t last = text.find_last_not_of(kSpace);
    std::wstring joins(text.substr(0, first));
    joins += L'|';
    for (std::size_t i = text.find(L'%'); i != std::wstring_view::npos; i = text.find(L'%', i)) {
        const std::size_t letter = text.find_first_not_of(L"0123456789.-+ #hlLjzt", i + 1);
        const std::size_t end = letter == std::wstring_view::npos ? text.size() : letter + 1;
        joins.append(text.substr(i, end - i)) += L' ';
        i = end;
    }
    joins += L'|';
    joins += last == std::wstring_view::npos ? std::wstring_view() : text.substr(last + 1);
    return joins;
}

TEST(Texts, EveryLanguageHasEveryTextJoinedLikeTheEnglish) {
    for (std::size_t i = 0; i < kTextCount; ++i) {
        const auto id = static_cast<TextId>(i);
        const std::wstring english = Joins(TextIn(Language::English, id));
        for (const Language language : kLanguages) {
            SCOPED_TRACE(testing::Message() << "text " << i << " (" << TextIn(Language::English, id)
                                            << "), language " << static_cast<int>(language));
            const wchar_t* text = TextIn(language, id);
            ASSERT_NE(text, nullptr);
            EXPECT_NE(*text, L'\0');
            EXPECT_EQ(Joins(text), english);
        }
    }
}

}  // namespace
}  // namespace corvane
