#include "appmenus/KeyChordParser.h"

#include "base/TextHelpers.h"

#include <array>
#include <string>
#include <vector>

namespace corvane {
namespace {

struct KeyName {
    std::wstring_view name;
    NamedKey key;
};

constexpr std::array<KeyName, 24> kKeyNames = {{
    {L"tab", {0x09, 0}},
    {L"enter", {0x0D, 0}},
    {L"return", {0x0D, 0}},
    {L"esc", {0x1B, 0}},
    {L"escape", {0x1B, 0}},
    {L"space", {0x20, 0}},
    {L"backspace", {0x08, 0}},
    {L"delete", {0x2E, 1}},
    {L"del", {0x2E, 1}},
    {L"insert", {0x2D, 1}},
    {L"home", {0x24, 1}},
    {L"end", {0x23, 1}},
    {L"pageup", {0x21, 1}},
    {L"pgup", {0x21, 1}},
    {L"pagedown", {0x22, 1}},
    {L"pgdn", {0x22, 1}},
    {L"left", {0x25, 1}},
    {L"right", {0x27, 1}},
    {L"up", {0x26, 1}},
    {L"down", {0x28, 1}},
    // The plus/equals key of the main keyboard: "+" itself separates parts.
    {L"plus", {0xBB, 0}},
    {L"minus", {0xBD, 0}},
    {L"comma", {0xBC, 0}},
    {L"period", {0xBE, 0}},
}};

bool IsAsciiDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// F-number as a decimal prefix; saturates far above 24 so that a long run of
// digits cannot overflow.
std::optional<NamedKey> FunctionKey(std::wstring_view digits) {
    int number = 0;
    for (const wchar_t c : digits) {
        if (!IsAsciiDigit(c)) {
            break;
        }
        number = number * 10 + static_cast<int>(c - L'0');
        if (number > 1000) {
            number = 1000;
        }
    }
    if (number < 1 || number > 24) {
        return std::nullopt;
    }
    return NamedKey{static_cast<uint16_t>(vk::kF1 - 1 + number), 0};
}

}  // namespace

std::optional<NamedKey> KeyFromPart(std::wstring_view part) {
    if (part.size() == 1) {
        const wchar_t c = part[0];
        if (IsAsciiDigit(c)) {
            return NamedKey{static_cast<uint16_t>(c), 0};
        }
        if (c >= L'a' && c <= L'z') {
            return NamedKey{static_cast<uint16_t>(c - L'a' + L'A'), 0};
        }
    }
    if (part.size() >= 2 && part[0] == L'f' && IsAsciiDigit(part[1])) {
        return FunctionKey(part.substr(1));
    }
    for (const KeyName& entry : kKeyNames) {
        if (entry.name == part) {
            return entry.key;
        }
    }
    return std::nullopt;
}

std::optional<uint16_t> ModifierFromPart(std::wstring_view part) {
    if (part == L"ctrl" || part == L"control") {
        return vk::kControl;
    }
    if (part == L"shift") {
        return vk::kShift;
    }
    if (part == L"alt") {
        return vk::kAlt;
    }
    if (part == L"win") {
        return vk::kLeftWin;
    }
    return std::nullopt;
}

std::optional<KeyChord> ParseKeyChord(std::wstring_view piece) {
    KeyChord chord;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = piece.find(L'+', start);
        const bool last = plus == std::wstring_view::npos;
        const std::wstring part =
            ToLower(Trim(piece.substr(start, last ? std::wstring_view::npos : plus - start)));
        if (last) {
            const std::optional<NamedKey> key = KeyFromPart(part);
            if (!key) {
                return std::nullopt;
            }
            chord.key = key->key;
            chord.extended = key->extended;
            return chord;
        }
        const std::optional<uint16_t> modifier = ModifierFromPart(part);
        if (!modifier) {
            return std::nullopt;
        }
        chord.modifiers.push_back(*modifier);
        start = plus + 1;
    }
}

}  // namespace corvane
