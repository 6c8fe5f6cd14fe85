// The shortcut notation: modifiers, key names, F-keys, and the key presses
// a chord turns into.

#include "appmenus/KeyChordParser.h"
#include "appmenus/KeyStrokes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using Mods = std::vector<uint16_t>;

KeyChord Chord(std::wstring_view text) {
    const std::optional<KeyChord> chord = ParseKeyChord(text);
    EXPECT_TRUE(chord.has_value()) << std::string(text.begin(), text.end());
    return chord.value_or(KeyChord{});
}

bool Invalid(std::wstring_view text) {
    return !ParseKeyChord(text).has_value();
}

TEST(KeyChord, ModifiersKeepTheirOrderAndRepeats) {
    EXPECT_EQ(Chord(L"Ctrl+Shift+T").modifiers, (Mods{0x11, 0x10}));
    EXPECT_EQ(Chord(L"Shift+Ctrl+T").modifiers, (Mods{0x10, 0x11}));
    EXPECT_EQ(Chord(L"Control+Alt+Win+Shift+A").modifiers, (Mods{0x11, 0x12, 0x5B, 0x10}));
    EXPECT_EQ(Chord(L"ctrl+CTRL+Ctrl+x").modifiers, (Mods{0x11, 0x11, 0x11}));
    EXPECT_TRUE(Chord(L"Q").modifiers.empty());
}

TEST(KeyChord, LettersAndDigitsAreTheirUpperCaseCodes) {
    for (wchar_t c = L'a'; c <= L'z'; ++c) {
        const std::wstring lower(1, c);
        const std::wstring upper(1, static_cast<wchar_t>(c - L'a' + L'A'));
        EXPECT_EQ(Chord(lower).key, static_cast<uint16_t>(upper[0]));
        EXPECT_EQ(Chord(upper).key, static_cast<uint16_t>(upper[0]));
        EXPECT_EQ(Chord(lower).extended, 0);
    }
    for (wchar_t c = L'0'; c <= L'9'; ++c) {
        EXPECT_EQ(Chord(std::wstring(L"Ctrl+") + c).key, static_cast<uint16_t>(c));
    }
    // A lone "f" is the letter, not a function key.
    EXPECT_EQ(Chord(L"Ctrl+F").key, 0x46);
}

TEST(KeyChord, FunctionKeysOneToTwentyFour) {
    EXPECT_EQ(Chord(L"F1").key, 0x70);
    EXPECT_EQ(Chord(L"f12").key, 0x7B);
    EXPECT_EQ(Chord(L"Shift+F24").key, 0x87);
    EXPECT_EQ(Chord(L"F11").extended, 0);
    // The number is a decimal prefix of the rest.
    EXPECT_EQ(Chord(L"F1x").key, 0x70);
    EXPECT_EQ(Chord(L"F05").key, 0x74);
    EXPECT_EQ(Chord(L"F2-3").key, 0x71);
    EXPECT_TRUE(Invalid(L"F25"));
    EXPECT_TRUE(Invalid(L"F0"));
    EXPECT_TRUE(Invalid(L"F00"));
    EXPECT_TRUE(Invalid(L"F100"));
    EXPECT_TRUE(Invalid(L"Fx1"));
    // Far too many digits still end as "outside 1-24", not as an overflow.
    EXPECT_TRUE(Invalid(L"F99999999999999999999999999999999999999"));
    EXPECT_TRUE(Invalid(L"F4294967297"));
}

TEST(KeyChord, KeyNameTable) {
    struct Row {
        const wchar_t* name;
        uint16_t key;
        uint8_t extended;
    };
    const Row rows[] = {
        {L"Tab", 0x09, 0},    {L"Enter", 0x0D, 0},  {L"Return", 0x0D, 0},    {L"Esc", 0x1B, 0},
        {L"Escape", 0x1B, 0}, {L"Space", 0x20, 0},  {L"Backspace", 0x08, 0}, {L"Delete", 0x2E, 1},
        {L"Del", 0x2E, 1},    {L"Insert", 0x2D, 1}, {L"Home", 0x24, 1},      {L"End", 0x23, 1},
        {L"PageUp", 0x21, 1}, {L"PgUp", 0x21, 1},   {L"PageDown", 0x22, 1},  {L"PgDn", 0x22, 1},
        {L"Left", 0x25, 1},   {L"Right", 0x27, 1},  {L"Up", 0x26, 1},        {L"Down", 0x28, 1},
        {L"Plus", 0xBB, 0},   {L"Minus", 0xBD, 0},  {L"Comma", 0xBC, 0},     {L"Period", 0xBE, 0},
    };
    for (const Row& row : rows) {
        const KeyChord chord = Chord(std::wstring(L"Alt+") + row.name);
        EXPECT_EQ(chord.key, row.key) << row.name;
        EXPECT_EQ(chord.extended, row.extended) << row.name;
    }
    EXPECT_EQ(Chord(L"PAGEUP"), Chord(L"pageup"));
    EXPECT_EQ(Chord(L"PageUp").key, 0x21);
}

TEST(KeyChord, PlusIsWrittenAsAName) {
    EXPECT_EQ(Chord(L"ctrl+PLUS").key, 0xBB);
    EXPECT_TRUE(Invalid(L"Ctrl++"));
    EXPECT_TRUE(Invalid(L"+"));
    EXPECT_TRUE(Invalid(L"Ctrl+"));
    EXPECT_TRUE(Invalid(L"+A"));
}

TEST(KeyChord, UnknownOrEmptyPartsInvalidateTheChord) {
    EXPECT_TRUE(Invalid(L"Hyper+A"));
    EXPECT_TRUE(Invalid(L"Ctrl+Hyper"));
    EXPECT_TRUE(Invalid(L"Ctrl"));  // a modifier is not a key
    EXPECT_TRUE(Invalid(L"Ctrl+Shift"));
    EXPECT_TRUE(Invalid(L"A+Ctrl"));  // a key is not a modifier
    EXPECT_TRUE(Invalid(L""));
    EXPECT_TRUE(Invalid(L"ab"));
    EXPECT_TRUE(Invalid(L"Ctrl+PageUpp"));
    EXPECT_TRUE(Invalid(L"\u00F8"));  // letters outside a-z are not keys
    EXPECT_TRUE(Invalid(L"Ctrl+\u00C6"));
    EXPECT_TRUE(Invalid(L"Ctrl+!"));
    EXPECT_TRUE(Invalid(std::wstring(L"Ctrl+A\0", 7)));
}

TEST(KeyChord, PartsAreTrimmed) {
    const KeyChord chord = Chord(L"\tCtrl\t+\tEnd\t");
    EXPECT_EQ(chord.modifiers, (Mods{0x11}));
    EXPECT_EQ(chord.key, 0x23);
    EXPECT_EQ(chord.extended, 1);
}

TEST(KeyChord, VeryLongChordsStayWhole) {
    std::wstring text;
    for (int i = 0; i < 5000; ++i) {
        text += L"Shift+";
    }
    text += L"Z";
    const KeyChord chord = Chord(text);
    EXPECT_EQ(chord.modifiers.size(), 5000u);
    EXPECT_EQ(chord.key, 0x5A);
}

TEST(KeyStrokes, ModifiersDownKeyDownUpModifiersUpInReverse) {
    const std::vector<KeyStroke> expected = {
        {0x11, 0},
        {0x10, 0},
        {0x54, 0},
        {0x54, kStrokeKeyUp},
        {0x10, kStrokeKeyUp},
        {0x11, kStrokeKeyUp},
    };
    EXPECT_EQ(ChordKeyStrokes(Chord(L"Ctrl+Shift+T")), expected);
}

TEST(KeyStrokes, ExtendedKeysCarryTheFlagDownAndUpButModifiersDoNot) {
    const std::vector<KeyStroke> expected = {
        {0x12, 0},
        {0x25, kStrokeExtended},
        {0x25, kStrokeExtended | kStrokeKeyUp},
        {0x12, kStrokeKeyUp},
    };
    EXPECT_EQ(ChordKeyStrokes(Chord(L"Alt+Left")), expected);
    EXPECT_EQ(ChordKeyStrokes(Chord(L"F5")),
              (std::vector<KeyStroke>{{0x74, 0}, {0x74, kStrokeKeyUp}}));
}

}  // namespace
}  // namespace corvane
