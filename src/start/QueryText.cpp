#include "start/QueryText.h"

namespace corvane {
namespace {

constexpr wchar_t kCharTab = 9;
constexpr wchar_t kCharEnter = 13;
constexpr wchar_t kCharEscape = 27;
constexpr wchar_t kFirstPrintable = 32;

// Ctrl+Backspace: the trailing blanks and the word before them, up to but
// not including the space that starts it.
bool DeleteWord(std::wstring& query) {
    const std::size_t before = query.size();
    while (!query.empty() && query.back() == L' ') {
        query.pop_back();
    }
    while (!query.empty() && query.back() != L' ') {
        query.pop_back();
    }
    return query.size() != before;
}

bool Paste(std::wstring& query, const std::wstring& text) {
    const std::size_t before = query.size();
    for (const wchar_t c : text) {
        if (query.size() >= kMaxQueryChars) {
            break;
        }
        // Line breaks and tabs of a multi-line clipboard would be invisible
        // in a one-line box.
        if (c >= kFirstPrintable) {
            query.push_back(c);
        }
    }
    return query.size() != before;
}

}  // namespace

bool EditQuery(std::wstring& query, wchar_t typed, const std::function<std::wstring()>& clipboard) {
    switch (typed) {
        case kCharTab:
        case kCharEnter:
        case kCharEscape:
            // These arrive as key presses too; the surfaces act on those.
            return false;
        case kCharWordBackspace:
            return DeleteWord(query);
        case kCharPaste:
            return clipboard ? Paste(query, clipboard()) : false;
        case kCharBackspace:
            if (query.empty()) {
                return false;
            }
            query.pop_back();
            return true;
        default:
            break;
    }
    if (typed < kFirstPrintable || query.size() >= kMaxQueryChars) {
        return false;
    }
    query.push_back(typed);
    return true;
}

}  // namespace corvane
