#pragma once
// Whether a global shortcut would take a character away from typing. Ctrl+Alt
// is AltGr on many layouts (Polish AltGr+L is "ł"), so a chord registered
// there swallows a letter someone types every day. Portable: the keyboard
// layouts' answers arrive as plain numbers and text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Modifier bits as RegisterHotKey takes them.
inline constexpr uint32_t kShortcutAlt = 0x0001;
inline constexpr uint32_t kShortcutControl = 0x0002;
inline constexpr uint32_t kShortcutShift = 0x0004;
inline constexpr uint32_t kShortcutWin = 0x0008;

// One layout's translation of the chord's key with the chord's modifiers
// held: the translation call's result (> 0 characters written, < 0 a dead
// key, 0 nothing) and what it wrote.
struct LayoutAnswer {
    int32_t result = 0;
    std::wstring written;
};

// What the chord types in the first layout that types anything with it: its
// characters, or a dead key's spacing form. Empty when no layout types with
// it, and the chord may be registered. Control characters are not typing
// (Ctrl+letter gives them on every layout), and nobody types with the
// Windows key held.
[[nodiscard]] std::wstring TypedByChord(uint32_t modifiers,
                                        const std::vector<LayoutAnswer>& answers);

// The modifier sets a tiling shortcut can be given, by the number stored in
// [Tiling] *Keys: 0 Ctrl+Alt (the default), 1 Win+Alt, 2 Ctrl+Win+Alt,
// 3 none (the shortcut is off). Out-of-range numbers are off.
inline constexpr int32_t kShortcutChoiceOff = 3;
[[nodiscard]] uint32_t ShortcutModifiers(int32_t choice) noexcept;
// "Ctrl + Alt + " and the key's name; empty for off.
[[nodiscard]] std::wstring ShortcutText(int32_t choice, std::wstring_view keyName);

}  // namespace corvane
