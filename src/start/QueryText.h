#pragma once
// The one-line search text both start surfaces edit as an edit box does: a
// caret, a selection from an anchor to the caret, moves by character and by
// word, and cut, copy and paste through a clipboard the caller hands in.
// Positions are UTF-16 offsets and never fall between the halves of a
// surrogate pair. Portable.

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::size_t kMaxQueryChars = 120;

// The system clipboard's text, or a stand-in.
class QueryClipboard {
public:
    virtual ~QueryClipboard() = default;
    [[nodiscard]] virtual std::wstring Read() = 0;
    virtual void Write(std::wstring_view text) = 0;
};

enum class QueryMove { Left, Right, Home, End };

class QueryEdit {
public:
    QueryEdit() = default;
    // The text is cut to the length bound; the positions are kept inside it.
    QueryEdit(std::wstring_view text, std::size_t anchor, std::size_t caret);

    [[nodiscard]] const std::wstring& Text() const noexcept { return text_; }
    [[nodiscard]] std::size_t Caret() const noexcept { return caret_; }
    [[nodiscard]] std::size_t Anchor() const noexcept { return anchor_; }
    [[nodiscard]] std::wstring_view Selected() const noexcept;

    void Clear() noexcept;
    // Each returns whether the text (Insert, Erase, Type, Cut, Paste) or the
    // caret and selection (Move, SelectAll) changed.
    bool Move(QueryMove move, bool byWord, bool extend) noexcept;
    bool SelectAll() noexcept;
    // Replaces the selection. Line breaks and tabs become spaces, other
    // control characters and lone surrogate halves are dropped, and what
    // does not fit the bound is left off; with nothing left to insert the
    // selection stays.
    bool Insert(std::wstring_view text);
    // Backspace (backward) or Delete: the selection, else one character or
    // up to the next word start.
    bool Erase(bool forward, bool byWord);
    // One WM_CHAR: control characters are the keys' own business, and the
    // two halves of a pair arrive one after the other.
    bool Type(wchar_t typed);
    void Copy(QueryClipboard& clipboard) const;
    bool Cut(QueryClipboard& clipboard);
    bool Paste(QueryClipboard& clipboard);

private:
    [[nodiscard]] std::size_t Before(std::size_t at) const noexcept;
    [[nodiscard]] std::size_t After(std::size_t at) const noexcept;
    [[nodiscard]] std::size_t WordBefore(std::size_t at) const noexcept;
    [[nodiscard]] std::size_t WordAfter(std::size_t at) const noexcept;
    void EraseRange(std::size_t from, std::size_t to);

    std::wstring text_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    wchar_t pendingHigh_ = 0;
};

// The edit keys, named apart from any platform's key codes.
enum class QueryKey { Left, Right, Home, End, Backspace, Delete, Insert, A, C, V, X };
enum class QueryKeyResult { Ignored, Handled, CaretMoved, TextChanged };

// One key press with its modifiers; Ignored when the key is no edit key
// with these modifiers (a plain A is typed text).
QueryKeyResult ApplyQueryKey(QueryEdit& edit, QueryKey key, bool ctrl, bool shift,
                             QueryClipboard& clipboard);

// The horizontal scroll, in the text's units, that keeps the caret inside a
// box `boxWidth` wide: unchanged while the caret is in view, just far
// enough otherwise, and never past the point where the text's end shows.
[[nodiscard]] float QueryScroll(float scroll, float caretX, float textWidth,
                                float boxWidth) noexcept;

// Open and close animation: progress rises with an ease-out cubic over the
// open time and falls from where it was over the close time. t in 0..1.
[[nodiscard]] inline float OpeningProgress(float t) noexcept {
    const float u = 1.0f - t;
    return 1.0f - u * u * u;
}
[[nodiscard]] inline float ClosingProgress(float fromProgress, float t) noexcept {
    const float u = 1.0f - t;
    return fromProgress * u * u * u;
}

}  // namespace corvane
