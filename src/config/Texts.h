#pragma once
// The texts the user sees, by id, in the current language or a given one.

#include "config/Language.h"
#include "config/TextId.h"

namespace corvane {

[[nodiscard]] const wchar_t* Text(TextId id) noexcept;
[[nodiscard]] const wchar_t* TextIn(Language language, TextId id) noexcept;

}  // namespace corvane
