#pragma once
// The process-wide language flag. Every user-visible text exists as a
// Norwegian/English pair and is chosen when it is needed, so that a language
// switch on reload needs no re-translation of stored state.

namespace corvane {

[[nodiscard]] bool IsNorwegian() noexcept;
void SetNorwegian(bool norwegian) noexcept;

// Picks the text of the current language.
[[nodiscard]] inline const wchar_t* Tr(const wchar_t* norwegian, const wchar_t* english) noexcept {
    return IsNorwegian() ? norwegian : english;
}

}  // namespace corvane
