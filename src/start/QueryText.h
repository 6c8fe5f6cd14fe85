#pragma once
// The one-line search text both start surfaces edit, character by
// character as WM_CHAR delivers them. Portable.

#include <cstddef>
#include <functional>
#include <string>

namespace corvane {

inline constexpr std::size_t kMaxQueryChars = 120;

inline constexpr wchar_t kCharBackspace = 8;
inline constexpr wchar_t kCharPaste = 22;           // Ctrl+V
inline constexpr wchar_t kCharWordBackspace = 127;  // Ctrl+Backspace

// Applies one typed character; true when the text changed. `clipboard` is
// asked only for Ctrl+V.
bool EditQuery(std::wstring& query, wchar_t typed, const std::function<std::wstring()>& clipboard);

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
