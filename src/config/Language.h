#pragma once
// The process-wide language. Texts are looked up by id when they are needed
// (config/Texts.h), so that a language switch on reload needs no
// re-translation of stored state.

#include <cstdint>

namespace corvane {

enum class Language : uint8_t { English, Norwegian };

// Every language there is a text table for.
inline constexpr Language kLanguages[] = {Language::English, Language::Norwegian};

[[nodiscard]] Language CurrentLanguage() noexcept;
[[nodiscard]] bool IsNorwegian() noexcept;
void SetNorwegian(bool norwegian) noexcept;

}  // namespace corvane
