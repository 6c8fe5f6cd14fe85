#include "base/TextHelpers.h"

#include <cstdint>
#include <cwctype>

namespace corvane {
std::wstring JoinList(const std::vector<std::wstring>& items, std::wstring_view separator) {
    std::wstring out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i != 0) {
            out += separator;
        }
        out += items[i];
    }
    return out;
}

std::vector<std::wstring> SplitList(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring> out;
    for (std::wstring& piece : SplitListUntrimmed(text, separator)) {
        std::wstring trimmed = Trim(piece);
        if (!trimmed.empty()) {
            out.push_back(std::move(trimmed));
        }
    }
    return out;
}

std::vector<std::wstring> SplitListUntrimmed(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        if (end > start) {
            out.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return out;
}

// towlower in the "C" locale the program runs in maps only A-Z, which kept
// "Ø" and "ø" apart.
wchar_t LowerChar(wchar_t c) noexcept {
    const auto u = static_cast<uint32_t>(c);
    const auto in = [u](uint32_t first, uint32_t last) { return u >= first && u <= last; };
    uint32_t delta = 0;
    if (in(L'A', L'Z') || (in(0xC0, 0xDE) && u != 0xD7) || (in(0x391, 0x3AB) && u != 0x3A2) ||
        in(0x410, 0x42F)) {
        delta = 0x20;
    } else if (in(0x400, 0x40F)) {
        delta = 0x50;
    } else if (in(0x388, 0x38A)) {
        delta = 0x25;
    } else if (in(0x38E, 0x38F)) {
        delta = 0x3F;
    } else if (in(0x100, 0x17F)) {
        // Latin Extended-A: each capital followed by its small letter, in
        // runs that start on even and on odd code points; "ĸ" has no capital.
        const bool oddRun = in(0x139, 0x148) || in(0x179, 0x17E);
        delta = u != 0x138 && u % 2 == (oddRun ? 1u : 0u) ? 1 : 0;
    }
    switch (u) {
        case 0x130:
            return L'i';
        case 0x178:
            return static_cast<wchar_t>(0xFF);
        case 0x386:
            return static_cast<wchar_t>(0x3AC);
        case 0x38C:
            return static_cast<wchar_t>(0x3CC);
        default:
            return static_cast<wchar_t>(u + delta);
    }
}

std::wstring ToLower(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) {
        c = LowerChar(c);
    }
    return out;
}

std::wstring Trim(std::wstring_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && std::iswspace(static_cast<wint_t>(text[begin]))) {
        ++begin;
    }
    while (end > begin && std::iswspace(static_cast<wint_t>(text[end - 1]))) {
        --end;
    }
    return std::wstring(text.substr(begin, end - begin));
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerChar(a[i]) != LowerChar(b[i])) {
            return false;
        }
    }
    return true;
}

std::wstring EscapeMenuText(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() + 4);
    for (const wchar_t c : text) {
        out.push_back(c);
        if (c == L'&') {
            out.push_back(L'&');
        }
    }
    return out;
}

}  // namespace corvane
