#include "start/QueryText.h"

#include <algorithm>
#include <utility>

namespace corvane {
namespace {

constexpr wchar_t kFirstPrintable = 32;
constexpr wchar_t kDelete = 127;

bool IsHigh(wchar_t c) noexcept {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLow(wchar_t c) noexcept {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Words are separated by blanks, as in the system's edit control.
bool IsBlank(wchar_t c) noexcept {
    return c == L' ' || c == 0x00A0 || c == 0x3000;
}

// What a one-line box can hold of `text`: every line break and tab one
// space, a CR LF pair included, and only whole surrogate pairs.
std::wstring OneLine(std::wstring_view text) {
    std::wstring line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            continue;
        }
        if (c == L'\r' || c == L'\n' || c == L'\t') {
            line.push_back(L' ');
        } else if (IsHigh(c)) {
            if (i + 1 < text.size() && IsLow(text[i + 1])) {
                line.push_back(c);
                line.push_back(text[++i]);
            }
        } else if (c >= kFirstPrintable && c != kDelete && !IsLow(c)) {
            line.push_back(c);
        }
    }
    return line;
}

// The longest start of `text` within `room` that ends on a whole character.
std::wstring_view Fit(std::wstring_view text, std::size_t room) noexcept {
    if (text.size() <= room) {
        return text;
    }
    if (room > 0 && IsHigh(text[room - 1])) {
        --room;
    }
    return text.substr(0, room);
}

}  // namespace

QueryEdit::QueryEdit(std::wstring_view text, std::size_t anchor, std::size_t caret)
    : text_(Fit(text, kMaxQueryChars)) {
    const auto snap = [this](std::size_t at) {
        at = std::min(at, text_.size());
        return at > 0 && at < text_.size() && IsHigh(text_[at - 1]) && IsLow(text_[at]) ? at - 1
                                                                                        : at;
    };
    anchor_ = snap(anchor);
    caret_ = snap(caret);
}

std::wstring_view QueryEdit::Selected() const noexcept {
    const std::size_t from = std::min(anchor_, caret_);
    const std::size_t to = std::max(anchor_, caret_);
    return std::wstring_view(text_).substr(from, to - from);
}

void QueryEdit::Clear() noexcept {
    text_.clear();
    caret_ = anchor_ = 0;
    pendingHigh_ = 0;
}

std::size_t QueryEdit::Before(std::size_t at) const noexcept {
    if (at == 0) {
        return 0;
    }
    --at;
    return at > 0 && IsLow(text_[at]) && IsHigh(text_[at - 1]) ? at - 1 : at;
}

std::size_t QueryEdit::After(std::size_t at) const noexcept {
    if (at >= text_.size()) {
        return text_.size();
    }
    ++at;
    return at < text_.size() && IsHigh(text_[at - 1]) && IsLow(text_[at]) ? at + 1 : at;
}

std::size_t QueryEdit::WordBefore(std::size_t at) const noexcept {
    while (at > 0 && IsBlank(text_[at - 1])) {
        --at;
    }
    while (at > 0 && !IsBlank(text_[at - 1])) {
        --at;
    }
    return at;
}

std::size_t QueryEdit::WordAfter(std::size_t at) const noexcept {
    while (at < text_.size() && !IsBlank(text_[at])) {
        ++at;
    }
    while (at < text_.size() && IsBlank(text_[at])) {
        ++at;
    }
    return at;
}

bool QueryEdit::Move(QueryMove move, bool byWord, bool extend) noexcept {
    const std::size_t caret = caret_;
    const std::size_t anchor = anchor_;
    const bool back = move == QueryMove::Left || move == QueryMove::Home;
    std::size_t to = back ? 0 : text_.size();
    if (!extend && !byWord && caret_ != anchor_ &&
        (move == QueryMove::Left || move == QueryMove::Right)) {
        // A plain arrow puts the caret at that end of the selection.
        to = back ? std::min(caret_, anchor_) : std::max(caret_, anchor_);
    } else if (move == QueryMove::Left) {
        to = byWord ? WordBefore(caret_) : Before(caret_);
    } else if (move == QueryMove::Right) {
        to = byWord ? WordAfter(caret_) : After(caret_);
    }
    caret_ = to;
    if (!extend) {
        anchor_ = to;
    }
    return caret_ != caret || anchor_ != anchor;
}

bool QueryEdit::SelectAll() noexcept {
    const bool changed = anchor_ != 0 || caret_ != text_.size();
    anchor_ = 0;
    caret_ = text_.size();
    return changed;
}

void QueryEdit::EraseRange(std::size_t from, std::size_t to) {
    text_.erase(from, to - from);
    caret_ = anchor_ = from;
}

bool QueryEdit::Insert(std::wstring_view text) {
    const std::wstring line = OneLine(text);
    const std::size_t from = std::min(anchor_, caret_);
    const std::size_t to = std::max(anchor_, caret_);
    const std::wstring_view fitting = Fit(line, kMaxQueryChars - (text_.size() - (to - from)));
    if (fitting.empty()) {
        return false;
    }
    text_.replace(from, to - from, fitting);
    caret_ = anchor_ = from + fitting.size();
    return true;
}

bool QueryEdit::Erase(bool forward, bool byWord) {
    std::size_t from = std::min(anchor_, caret_);
    std::size_t to = std::max(anchor_, caret_);
    if (from == to) {
        if (forward) {
            to = byWord ? WordAfter(caret_) : After(caret_);
        } else {
            from = byWord ? WordBefore(caret_) : Before(caret_);
        }
    }
    if (from == to) {
        return false;
    }
    EraseRange(from, to);
    return true;
}

bool QueryEdit::Type(wchar_t typed) {
    if (IsHigh(typed)) {
        pendingHigh_ = typed;
        return false;
    }
    const wchar_t high = std::exchange(pendingHigh_, wchar_t{0});
    if (IsLow(typed)) {
        const wchar_t pair[] = {high, typed};
        return high != 0 && Insert(std::wstring_view(pair, 2));
    }
    if (typed < kFirstPrintable || typed == kDelete) {
        return false;
    }
    return Insert(std::wstring_view(&typed, 1));
}

void QueryEdit::Copy(QueryClipboard& clipboard) const {
    if (caret_ != anchor_) {
        clipboard.Write(Selected());
    }
}

bool QueryEdit::Cut(QueryClipboard& clipboard) {
    if (caret_ == anchor_) {
        return false;
    }
    Copy(clipboard);
    return Erase(false, false);
}

bool QueryEdit::Paste(QueryClipboard& clipboard) {
    return Insert(clipboard.Read());
}

QueryKeyResult ApplyQueryKey(QueryEdit& edit, QueryKey key, bool ctrl, bool shift,
                             QueryClipboard& clipboard) {
    const auto moved = [](bool changed) {
        return changed ? QueryKeyResult::CaretMoved : QueryKeyResult::Handled;
    };
    const auto edited = [](bool changed) {
        return changed ? QueryKeyResult::TextChanged : QueryKeyResult::Handled;
    };
    switch (key) {
        case QueryKey::Left:
            return moved(edit.Move(QueryMove::Left, ctrl, shift));
        case QueryKey::Right:
            return moved(edit.Move(QueryMove::Right, ctrl, shift));
        case QueryKey::Home:
            return moved(edit.Move(QueryMove::Home, false, shift));
        case QueryKey::End:
            return moved(edit.Move(QueryMove::End, false, shift));
        case QueryKey::Backspace:
            return edited(edit.Erase(false, ctrl));
        case QueryKey::Delete:
            // Shift+Delete cuts, as in the system's edit control.
            return edited(shift && !ctrl ? edit.Cut(clipboard) : edit.Erase(true, ctrl));
        case QueryKey::Insert:
            if (ctrl == shift) {
                return QueryKeyResult::Ignored;
            }
            if (ctrl) {
                edit.Copy(clipboard);
                return QueryKeyResult::Handled;
            }
            return edited(edit.Paste(clipboard));
        default:
            break;
    }
    if (!ctrl) {
        return QueryKeyResult::Ignored;
    }
    switch (key) {
        case QueryKey::A:
            return moved(edit.SelectAll());
        case QueryKey::C:
            edit.Copy(clipboard);
            return QueryKeyResult::Handled;
        case QueryKey::X:
            return edited(edit.Cut(clipboard));
        case QueryKey::V:
            return edited(edit.Paste(clipboard));
        default:
            return QueryKeyResult::Ignored;
    }
}

float QueryScroll(float scroll, float caretX, float textWidth, float boxWidth) noexcept {
    const float most = std::max(textWidth - boxWidth, 0.0f);
    scroll = std::clamp(scroll, 0.0f, most);
    if (caretX < scroll) {
        return std::max(caretX, 0.0f);
    }
    if (caretX > scroll + boxWidth) {
        return std::min(caretX - boxWidth, most);
    }
    return scroll;
}

}  // namespace corvane
