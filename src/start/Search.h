#pragma once
// One search for both start surfaces: how well a name matches what the user
// typed, the ranked result, the settings pages it can find, and the hand-over
// of a query to the system's file search.
//
// Names and queries are compared folded: lower case, accents dropped and a
// few letters spelled out, so that "cafe" finds "Café" and "sprak" finds
// "Språk". The folding is the system's (FoldForSearch); it is handed in, and
// every name is folded once when its list is indexed, never per keystroke.
//
// Scores, for a query of one word: 100 equal, 80 prefix, 60 at a word start,
// 50 initials (two characters or more, from the first word), 40 anywhere.
// A query of several words (split at blanks) scores first as one string the
// same way; when that finds nothing, every word must match on its own, at
// the name's start (80), at a word start (60) or as initials from any word
// (50), in any order. The name then scores as its weakest word, 5 less when
// the words do not come in the name's order. An app that matches only
// through its program file counts half; a settings page counts 15 less than
// an app. Among equal scores, apps the user starts more often and more
// recently come first (LaunchRecords), then catalog order, then settings
// pages; the history only orders, it never makes a match.

#include "identity/AppEntry.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class LaunchRecords;

// Folds a name or a query for comparison.
using SearchFold = std::wstring (*)(std::wstring_view text);

// The score of a folded query in a folded name.
[[nodiscard]] int ScoreMatch(std::wstring_view text, std::wstring_view query);

// A list of entries with their names folded once. It refers to `entries`,
// which must stay unchanged while the index is used (IsFor tells).
class SearchIndex {
public:
    SearchIndex() = default;
    SearchIndex(const std::vector<AppEntry>& entries, SearchFold fold);

    [[nodiscard]] bool IsFor(const std::vector<AppEntry>& entries) const noexcept {
        return entries_ == &entries && data_ == entries.data() && folded_.size() == entries.size();
    }

private:
    friend std::vector<AppEntry> SearchEntries(const SearchIndex&, const SearchIndex&,
                                               const LaunchRecords&, std::wstring_view,
                                               std::size_t);
    struct Folded {
        std::wstring name;
        // Settings pages: the other language's name. Apps: the program
        // file's name, which counts half.
        std::wstring second;
    };
    const std::vector<AppEntry>* entries_ = nullptr;
    // A rebuilt list has a new buffer even where its vector stays.
    const AppEntry* data_ = nullptr;
    SearchFold fold_ = nullptr;
    std::vector<Folded> folded_;
    std::unordered_map<std::wstring_view, std::size_t> byKey_;
};

// The settings pages search can find, named in the current language with the
// other language as the alternative name.
[[nodiscard]] std::vector<AppEntry> SettingsEntries(bool norwegian);

// The best `maxResults` entries for a query as typed (folded here), ranked
// as the comment at the top describes.
[[nodiscard]] std::vector<AppEntry> SearchEntries(const SearchIndex& apps,
                                                  const SearchIndex& settings,
                                                  const LaunchRecords& launches,
                                                  std::wstring_view query, std::size_t maxResults);

// "search-ms:query=" and the text with everything but letters, digits and
// "-._" up to U+00FF percent-encoded.
[[nodiscard]] std::wstring SearchFilesUri(std::wstring_view text);

}  // namespace corvane
