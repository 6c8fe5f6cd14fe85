#include "base/Utf8Text.h"

namespace corvane {
namespace {

constexpr uint32_t kReplacement = 0xFFFD;

void PutCodePoint(std::wstring& out, uint32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            const uint32_t v = cp - 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (v & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

bool InRange(uint8_t b, uint8_t low, uint8_t high) {
    return b >= low && b <= high;
}

// The range the second byte of a sequence may take after its lead byte;
// that is where over-long forms, surrogates and values past U+10FFFF are
// refused.
void SecondByteRange(uint8_t lead, uint8_t& low, uint8_t& high) {
    low = 0x80;
    high = 0xBF;
    if (lead == 0xE0) {
        low = 0xA0;
    } else if (lead == 0xED) {
        high = 0x9F;
    } else if (lead == 0xF0) {
        low = 0x90;
    } else if (lead == 0xF4) {
        high = 0x8F;
    }
}

void PutUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsSurrogate(uint32_t u) {
    return u >= 0xD800 && u <= 0xDFFF;
}

}  // namespace

std::wstring DecodeUtf8(const uint8_t* data, std::size_t size) {
    std::wstring out;
    out.reserve(size);
    std::size_t i = 0;
    while (i < size) {
        const uint8_t lead = data[i];
        if (lead < 0x80) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        std::size_t length = 0;
        uint32_t cp = 0;
        if (InRange(lead, 0xC2, 0xDF)) {
            length = 2;
            cp = lead & 0x1Fu;
        } else if (InRange(lead, 0xE0, 0xEF)) {
            length = 3;
            cp = lead & 0x0Fu;
        } else if (InRange(lead, 0xF0, 0xF4)) {
            length = 4;
            cp = lead & 0x07u;
        } else {
            // A stray continuation byte, C0, C1 or F5-FF.
            out.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        uint8_t low = 0;
        uint8_t high = 0;
        SecondByteRange(lead, low, high);
        std::size_t taken = 1;
        while (taken < length && i + taken < size && InRange(data[i + taken], low, high)) {
            cp = (cp << 6) | (data[i + taken] & 0x3Fu);
            ++taken;
            low = 0x80;
            high = 0xBF;
        }
        if (taken < length) {
            // The bytes taken so far are one ill-formed piece; decoding goes on
            // at the byte that broke it off.
            out.push_back(static_cast<wchar_t>(kReplacement));
        } else {
            PutCodePoint(out, cp);
        }
        i += taken;
    }
    return out;
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = static_cast<uint32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            cp &= 0xFFFF;
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size()) {
                const uint32_t low = static_cast<uint32_t>(text[i + 1]) & 0xFFFF;
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        if (IsSurrogate(cp) || cp > 0x10FFFF) {
            cp = kReplacement;
        }
        PutUtf8(out, cp);
    }
    return out;
}

}  // namespace corvane
