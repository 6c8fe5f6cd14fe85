#include "base/Utf16.h"

namespace corvane {
namespace {

void PutUnit(std::vector<uint8_t>& out, uint32_t unit) {
    out.push_back(static_cast<uint8_t>(unit & 0xFF));
    out.push_back(static_cast<uint8_t>((unit >> 8) & 0xFF));
}

}  // namespace

std::size_t Utf16Prefix(std::wstring_view text, std::size_t maxUnits) noexcept {
    std::size_t units = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<uint32_t>(text[i]);
        std::size_t chars = 1;
        std::size_t width = c >= 0x10000 ? 2 : 1;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const auto next = static_cast<uint32_t>(text[i + 1]);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                chars = 2;
                width = 2;
            }
        }
        if (units + width > maxUnits) {
            break;
        }
        units += width;
        i += chars;
    }
    return i;
}

std::vector<uint8_t> EncodeUtf16LeWithBom(std::wstring_view text) {
    std::vector<uint8_t> out;
    out.reserve(2 + text.size() * 2);
    PutUnit(out, 0xFEFF);
    for (wchar_t c : text) {
        const auto cp = static_cast<uint32_t>(c);
        if constexpr (sizeof(wchar_t) == 4) {
            if (cp >= 0x10000 && cp <= 0x10FFFF) {
                const uint32_t v = cp - 0x10000;
                PutUnit(out, 0xD800 + (v >> 10));
                PutUnit(out, 0xDC00 + (v & 0x3FF));
                continue;
            }
            if (cp > 0x10FFFF) {
                PutUnit(out, 0xFFFD);
                continue;
            }
        }
        PutUnit(out, cp & 0xFFFF);
    }
    return out;
}

std::wstring DecodeUtf16Le(const uint8_t* data, std::size_t size) {
    std::wstring out;
    std::size_t i = 0;
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        i = 2;
    }
    auto unitAt = [&](std::size_t pos) -> uint32_t {
        return static_cast<uint32_t>(data[pos]) | (static_cast<uint32_t>(data[pos + 1]) << 8);
    };
    for (; i + 1 < size; i += 2) {
        const uint32_t u = unitAt(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < size) {
            const uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                if constexpr (sizeof(wchar_t) == 4) {
                    out.push_back(
                        static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00)));
                } else {
                    out.push_back(static_cast<wchar_t>(u));
                    out.push_back(static_cast<wchar_t>(low));
                }
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF) {
            out.push_back(static_cast<wchar_t>(0xFFFD));
            continue;
        }
        out.push_back(static_cast<wchar_t>(u));
    }
    return out;
}

}  // namespace corvane
