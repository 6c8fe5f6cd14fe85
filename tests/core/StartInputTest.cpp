#include "start/QueryText.h"
#include "start/WinKeyTap.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

struct FakeClipboard final : QueryClipboard {
    std::wstring text;
    std::wstring Read() override { return text; }
    void Write(std::wstring_view written) override { text = written; }
};

// "|" marks the caret, "[" the anchor when it stands elsewhere.
QueryEdit Marked(std::wstring_view marked) {
    std::wstring text;
    std::size_t caret = 0;
    std::size_t anchor = std::wstring::npos;
    for (const wchar_t c : marked) {
        if (c == L'|') {
            caret = text.size();
        } else if (c == L'[') {
            anchor = text.size();
        } else {
            text.push_back(c);
        }
    }
    return QueryEdit(text, anchor == std::wstring::npos ? caret : anchor, caret);
}

std::wstring Marks(const QueryEdit& edit) {
    std::wstring marked;
    for (std::size_t i = 0; i <= edit.Text().size(); ++i) {
        marked += i == edit.Anchor() && i != edit.Caret() ? L"[" : L"";
        marked += i == edit.Caret() ? L"|" : L"";
        marked += i < edit.Text().size() ? std::wstring(1, edit.Text()[i]) : L"";
    }
    return marked;
}

const std::wstring kPair = L"\xD83D\xDE00";  // one character beyond the BMP

TEST(QueryEdit, KeysMoveSelectEraseAndUseTheClipboard) {
    using K = QueryKey;
    using R = QueryKeyResult;
    struct Case {
        K key;
        bool ctrl, shift;
        std::wstring before, after;
        R result;
        std::wstring clipboard = L"x\r\ny\tz";  // afterwards
    };
    const Case cases[] = {
        {K::Left, false, false, L"ab|c", L"a|bc", R::CaretMoved},
        {K::Left, false, false, L"a" + kPair + L"|x", L"a|" + kPair + L"x", R::CaretMoved},
        {K::Right, false, false, L"a|" + kPair + L"x", L"a" + kPair + L"|x", R::CaretMoved},
        {K::Left, false, false, L"|ab", L"|ab", R::Handled},
        {K::Left, false, false, L"a[bc|d", L"a|bcd", R::CaretMoved},
        {K::Right, false, false, L"a|bc[d", L"abc|d", R::CaretMoved},
        {K::Left, false, true, L"ab|c", L"a|b[c", R::CaretMoved},
        {K::Home, false, true, L"ab|c", L"|ab[c", R::CaretMoved},
        {K::End, false, false, L"a[b|c", L"abc|", R::CaretMoved},
        {K::Left, true, false, L"foo bar|", L"foo |bar", R::CaretMoved},
        {K::Left, true, false, L"foo  |bar", L"|foo  bar", R::CaretMoved},
        {K::Right, true, false, L"f|oo  bar", L"foo  |bar", R::CaretMoved},
        {K::Right, true, true, L"|foo bar", L"[foo |bar", R::CaretMoved},
        {K::Backspace, false, false, L"x" + kPair + L"|", L"x|", R::TextChanged},
        {K::Backspace, false, false, L"a[bc|d", L"a|d", R::TextChanged},
        {K::Backspace, true, false, L"foo bar |", L"foo |", R::TextChanged},
        {K::Backspace, true, false, L"foo ba|r", L"foo |r", R::TextChanged},
        {K::Delete, false, false, L"a|" + kPair + L"x", L"a|x", R::TextChanged},
        {K::Delete, true, false, L"|foo bar", L"|bar", R::TextChanged},
        {K::Delete, false, false, L"ab|", L"ab|", R::Handled},
        {K::A, true, false, L"ab|c", L"[abc|", R::CaretMoved},
        {K::A, false, false, L"ab|c", L"ab|c", R::Ignored},
        {K::C, true, false, L"a[bc|d", L"a[bc|d", R::Handled, L"bc"},
        {K::Insert, true, false, L"a|bc[d", L"a|bc[d", R::Handled, L"bc"},
        {K::X, true, false, L"a[bc|d", L"a|d", R::TextChanged, L"bc"},
        {K::Delete, false, true, L"a[bc|d", L"a|d", R::TextChanged, L"bc"},
        {K::X, true, false, L"ab|c", L"ab|c", R::Handled},
        {K::V, true, false, L"a|b", L"ax y z|b", R::TextChanged},
        {K::Insert, false, true, L"a[bc|d", L"ax y z|d", R::TextChanged}};
    for (const Case& c : cases) {
        QueryEdit edit = Marked(c.before);
        FakeClipboard clipboard;
        clipboard.text = L"x\r\ny\tz";
        EXPECT_EQ(ApplyQueryKey(edit, c.key, c.ctrl, c.shift, clipboard), c.result) << c.before;
        EXPECT_EQ(Marks(edit), c.after)
            << int(c.key) << " " << c.ctrl << c.shift << " " << c.before;
        EXPECT_EQ(clipboard.text, c.clipboard) << c.before;
    }
}

TEST(QueryEdit, TypingKeepsTheBoundAndWholeSurrogatePairsAndScrollFollowsTheCaret) {
    const std::wstring almostFull(kMaxQueryChars - 2, L'a');
    QueryEdit edit(almostFull, 0, 0);
    EXPECT_TRUE(edit.Insert(L"b" + kPair + L"c"));  // room for b and half a pair
    EXPECT_EQ(edit.Text(), L"b" + almostFull);
    EXPECT_FALSE(edit.Type(kPair[0]) || edit.Type(kPair[1]));  // one unit of room left
    EXPECT_TRUE(edit.Type(L'c'));
    EXPECT_FALSE(edit.Type(L'd'));
    EXPECT_TRUE(edit.SelectAll() && edit.Insert(L"\xDE00xy\r"));  // a lone half is dropped
    EXPECT_EQ(Marks(edit), L"xy |");
    for (const wchar_t control : {L'\b', L'\r', L'\x1B', L'\x16', L'\x7F', L'\xDE00'}) {
        EXPECT_FALSE(edit.Type(control)) << int(control);
    }
    EXPECT_FALSE(edit.Type(kPair[0]));
    EXPECT_TRUE(edit.Type(kPair[1]));
    EXPECT_FALSE(edit.Type(kPair[0]));
    EXPECT_TRUE(edit.Type(L'!'));  // the half before it is forgotten
    EXPECT_EQ(Marks(edit), L"xy " + kPair + L"!|");
    EXPECT_EQ(Marks(QueryEdit(L"a" + kPair, 9, 2)), L"a|" + kPair + L"[");

    // Scroll follows the caret and never shows blank past the end.
    // scroll, caret, text width, box width; scroll after
    const float cases[][5] = {{0, 50, 80, 100, 0},     {0, 150, 200, 100, 50},
                              {60, 80, 200, 100, 60},  {60, 30, 200, 100, 30},
                              {90, 100, 120, 100, 20}, {50, 0, 200, 100, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(QueryScroll(c[0], c[1], c[2], c[3]), c[4]) << c[0] << " " << c[1] << " " << c[2];
    }
}

constexpr uint32_t L = kVkLeftWin;
constexpr uint32_t R = kVkRightWin;
constexpr uint32_t E = 0x45;
constexpr uint32_t M = kVkMaskKey;

KeyEvent Down(uint32_t vk, bool injected = false) {
    return {vk, true, injected};
}
KeyEvent Up(uint32_t vk, bool injected = false) {
    return {vk, false, injected};
}

TEST(WinKeyTap, OnlyAPersonsLoneWindowsKeyOpensASurfaceWhileTheHookIsActive) {
    // Name, keys, hook active; positions in the keys that open a surface.
    const std::tuple<const char*, std::vector<KeyEvent>, bool, std::vector<std::size_t>> cases[] = {
        {"tap", {Down(L), Up(L)}, true, {1}},
        {"right key", {Down(R), Up(R)}, true, {1}},
        {"inactive", {Down(L), Up(L)}, false, {}},
        {"injected", {Down(L, true), Up(L, true)}, true, {}},
        // Our own keys after a tap leave the next tap alone.
        {"after a tap",
         {Down(L), Up(L), Down(M, true), Up(M, true), Up(L, true), Down(L), Up(L)},
         true,
         {1, 6}},
        {"Win+E", {Down(L), Down(E), Up(E), Up(L)}, true, {}},
        {"injected key between", {Down(L), Down(E, true), Up(L)}, true, {}},
        {"Win+E, then a tap", {Down(L), Down(E), Up(L), Up(E), Down(L), Up(L)}, true, {5}},
        {"auto-repeat", {Down(L), Down(L), Down(L), Up(L)}, true, {3}},
        {"mask key between", {Down(L), Down(M), Up(M), Up(L)}, true, {3}},
        {"other Windows key's release", {Down(L), Up(R)}, true, {}}};
    for (const auto& [name, keys, active, expected] : cases) {
        WinKeyTap tap;
        std::vector<std::size_t> opens;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (tap.OnKey(keys[i], active) == WinKeyTap::Decision::OpenSurface) {
                opens.push_back(i);
            }
        }
        EXPECT_EQ(opens, expected) << name;
    }
}

}  // namespace
}  // namespace corvane
