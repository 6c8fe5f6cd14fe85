#pragma once
// The system's folding for search: what a person typing a name without
// accents or capitals still expects to find.

#include <string>
#include <string_view>

namespace corvane {

// Decomposed (FoldStringW MAP_COMPOSITE, with full-width Latin and digits
// folded to ASCII), lower-cased invariantly, accents dropped and a few
// letters that Unicode does not decompose spelled as their base letters.
// When a call fails, that step is left out: the text still compares, only
// less forgivingly.
[[nodiscard]] std::wstring FoldForSearch(std::wstring_view text);

}  // namespace corvane
