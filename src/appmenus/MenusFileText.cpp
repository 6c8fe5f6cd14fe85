#include "appmenus/MenusFileText.h"

#include "base/Utf8Text.h"

namespace corvane {

std::wstring DecodeMenusFileBytes(const uint8_t* data, std::size_t size) {
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        data += 3;
        size -= 3;
    }
    return DecodeUtf8(data, size);
}

std::vector<uint8_t> EncodeMenusFileBytes(std::wstring_view text) {
    const std::string utf8 = EncodeUtf8(text);
    std::vector<uint8_t> bytes = {0xEF, 0xBB, 0xBF};
    bytes.reserve(3 + utf8.size() + utf8.size() / 16);
    for (const char c : utf8) {
        if (c == '\n') {
            bytes.push_back(0x0D);
        }
        bytes.push_back(static_cast<uint8_t>(c));
    }
    return bytes;
}

std::wstring NormaliseMenusText(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (const wchar_t c : text) {
        if (c != L'\r') {
            out.push_back(c);
        }
    }
    while (!out.empty() && (out.back() == L' ' || out.back() == L'\n')) {
        out.pop_back();
    }
    if (!out.empty() && out.front() == static_cast<wchar_t>(0xFEFF)) {
        out.erase(0, 1);
    }
    return out;
}

MenusTextChoice ChooseMenusText(std::wstring_view fileText, std::wstring_view otherDefault) {
    MenusTextChoice choice;
    if (fileText.empty()) {
        choice.useCurrentDefault = true;
        return choice;
    }
    if (NormaliseMenusText(fileText) == NormaliseMenusText(otherDefault)) {
        choice.useCurrentDefault = true;
        choice.rewriteFile = true;
    }
    return choice;
}

}  // namespace corvane
