#include "config/SettingsText.h"

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

std::wstring ToLower(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
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
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace corvane
