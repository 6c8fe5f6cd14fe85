#pragma once
// One search for both start surfaces: how well a name matches what the user
// typed, the ranked result, the settings pages it can find, and the hand-over
// of a query to the system's file search.

#include "identity/AppEntry.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// 100 equal, 80 prefix, 60 at a word start, 50 initials (two characters or
// more), 40 anywhere, 0 no match. `query` is lower case already.
[[nodiscard]] int ScoreMatch(std::wstring_view text, std::wstring_view query);

// The settings pages search can find, named in the current language with the
// other language as the alternative name.
[[nodiscard]] std::vector<AppEntry> SettingsEntries(bool norwegian);

// The best `maxResults` entries for a query, apps in catalog order before
// settings pages on equal scores. An app that matches only through its
// program file counts half; a settings page counts 15 less than an app.
[[nodiscard]] std::vector<AppEntry> SearchEntries(const std::vector<AppEntry>& catalog,
                                                  const std::vector<AppEntry>& settings,
                                                  std::wstring_view query, std::size_t maxResults);

// "search-ms:query=" and the text with everything but letters, digits and
// "-._" up to U+00FF percent-encoded.
[[nodiscard]] std::wstring SearchFilesUri(std::wstring_view text);

}  // namespace corvane
