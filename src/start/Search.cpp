#include "start/Search.h"

#include "config/Texts.h"
#include "start/LaunchRecords.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace corvane {
namespace {

constexpr int kHalfForFileName = 2;
constexpr int kSettingsPenalty = 15;
constexpr int kOtherOrderPenalty = 5;

// Letters and digits, the same on every system: ASCII ones, and above
// Latin-1's symbols everything that is not punctuation, a symbol or a space,
// so that names in other scripts split into words as users read them.
bool IsWordChar(wchar_t c) noexcept {
    const auto u = static_cast<uint32_t>(c);
    if (u < 0x80) {
        return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    }
    if (u < 0xC0 || u == 0xD7 || u == 0xF7) {
        return false;
    }
    const auto in = [u](uint32_t first, uint32_t last) { return u >= first && u <= last; };
    return !(in(0x2000, 0x2BFF) || in(0x3000, 0x303F) || in(0xFE30, 0xFE4F) || in(0xFF00, 0xFF0F) ||
             in(0xFFF0, 0xFFFF));
}

bool AtWordStart(std::wstring_view text, std::size_t p) noexcept {
    return IsWordChar(text[p]) && (p == 0 || !IsWordChar(text[p - 1]));
}

// Where the query matches at the start of a word after the first, or npos.
std::size_t FindAtWordStart(std::wstring_view text, std::wstring_view query) {
    for (std::size_t p = text.find(query, 1); p != std::wstring_view::npos;
         p = text.find(query, p + 1)) {
        if (!IsWordChar(text[p - 1])) {
            return p;
        }
    }
    return std::wstring_view::npos;
}

// Whether the first characters of the words from `from` on spell the query,
// compared as they are found: most names fail on the first initial.
bool InitialsFrom(std::wstring_view text, std::size_t from, std::wstring_view query) {
    std::size_t matched = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (AtWordStart(text, i)) {
            if (text[i] != query[matched]) {
                return false;
            }
            if (++matched == query.size()) {
                return true;
            }
        }
    }
    return false;
}

// Where a run of initials spelling the query starts, at any word, or npos.
std::size_t FindInitials(std::wstring_view text, std::wstring_view query) {
    for (std::size_t p = text.find(query.front()); p != std::wstring_view::npos;
         p = text.find(query.front(), p + 1)) {
        if (AtWordStart(text, p) && InitialsFrom(text, p, query)) {
            return p;
        }
    }
    return std::wstring_view::npos;
}

int ScoreWhole(std::wstring_view text, std::wstring_view query) {
    // Every rule needs at least as many characters as the query has (the
    // initials are never more than the text), and the query's first
    // character somewhere in the text, which rejects most names in one pass.
    if (query.empty() || text.size() < query.size() ||
        text.find(query.front()) == std::wstring_view::npos) {
        return 0;
    }
    if (text == query) {
        return 100;
    }
    if (text.starts_with(query)) {
        return 80;
    }
    if (FindAtWordStart(text, query) != std::wstring_view::npos) {
        return 60;
    }
    if (query.size() >= 2 && InitialsFrom(text, 0, query)) {
        return 50;
    }
    return text.find(query) != std::wstring_view::npos ? 40 : 0;
}

struct WordMatch {
    int score = 0;
    std::size_t at = 0;
};

// One word of several: at the name's start, at a word start or as initials.
WordMatch MatchWord(std::wstring_view text, std::wstring_view word) {
    if (text.starts_with(word)) {
        return {80, 0};
    }
    if (const std::size_t at = FindAtWordStart(text, word); at != std::wstring_view::npos) {
        return {60, at};
    }
    if (word.size() >= 2) {
        if (const std::size_t at = FindInitials(text, word); at != std::wstring_view::npos) {
            return {50, at};
        }
    }
    return {};
}

struct FoldedQuery {
    std::wstring whole;  // the words joined by one blank
    std::vector<std::wstring_view> words;
};

FoldedQuery SplitQuery(const std::wstring& folded) {
    std::vector<std::wstring_view> parts;
    std::wstring_view rest(folded);
    for (std::size_t start = rest.find_first_not_of(L' '); start != std::wstring_view::npos;
         start = rest.find_first_not_of(L' ')) {
        rest.remove_prefix(start);
        const std::size_t end = std::min(rest.find(L' '), rest.size());
        parts.push_back(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    FoldedQuery query;
    for (const std::wstring_view part : parts) {
        query.whole += query.whole.empty() ? L"" : L" ";
        query.whole += part;
    }
    // Views into `whole`, which does not change again.
    std::size_t at = 0;
    for (const std::wstring_view part : parts) {
        query.words.push_back(std::wstring_view(query.whole).substr(at, part.size()));
        at += part.size() + 1;
    }
    return query;
}

int ScoreQuery(std::wstring_view text, const FoldedQuery& query) {
    const int whole = ScoreWhole(text, query.whole);
    if (whole != 0 || query.words.size() < 2) {
        return whole;
    }
    int weakest = 100;
    std::size_t last = 0;
    bool inOrder = true;
    for (const std::wstring_view word : query.words) {
        const WordMatch match = MatchWord(text, word);
        if (match.score == 0) {
            return 0;
        }
        weakest = std::min(weakest, match.score);
        inOrder = inOrder && match.at >= last;
        last = match.at;
    }
    return inOrder ? weakest : weakest - kOtherOrderPenalty;
}

std::wstring_view FileNameOf(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

struct SettingsPage {
    const wchar_t* uri;
    TextId name;
};

constexpr std::array<SettingsPage, 27> kSettingsPages = {{
    {L"ms-settings:display", TextId::WinDisplay},
    {L"ms-settings:sound", TextId::WinSound},
    {L"ms-settings:bluetooth", TextId::WinBluetooth},
    {L"ms-settings:network", TextId::WinNetwork},
    {L"ms-settings:network-wifi", TextId::WinWifi},
    {L"ms-settings:personalization", TextId::WinPersonalization},
    {L"ms-settings:personalization-background", TextId::WinBackground},
    {L"ms-settings:colors", TextId::WinColors},
    {L"ms-settings:nightlight", TextId::WinNightLight},
    {L"ms-settings:appsfeatures", TextId::WinInstalledApps},
    {L"ms-settings:defaultapps", TextId::WinDefaultApps},
    {L"ms-settings:startupapps", TextId::WinStartupApps},
    {L"ms-settings:windowsupdate", TextId::WinUpdate},
    {L"ms-settings:privacy", TextId::WinPrivacy},
    {L"ms-settings:dateandtime", TextId::WinDateTime},
    {L"ms-settings:regionlanguage", TextId::WinLanguage},
    {L"ms-settings:mousetouchpad", TextId::WinMouse},
    {L"ms-settings:typing", TextId::WinTyping},
    {L"ms-settings:printers", TextId::WinPrinters},
    {L"ms-settings:powersleep", TextId::WinPower},
    {L"ms-settings:storagesense", TextId::WinStorage},
    {L"ms-settings:yourinfo", TextId::WinAccount},
    {L"ms-settings:gaming-gamebar", TextId::WinGaming},
    {L"ms-settings:taskbar", TextId::WinTaskbar},
    {L"ms-settings:notifications", TextId::WinNotifications},
    {L"ms-settings:about", TextId::WinAbout},
    {L"corvane:settings", TextId::CorvaneSettings},
}};

}  // namespace

int ScoreMatch(std::wstring_view text, std::wstring_view query) {
    return ScoreQuery(text, SplitQuery(std::wstring(query)));
}

SearchIndex::SearchIndex(const std::vector<AppEntry>& entries, SearchFold fold)
    : entries_(&entries), data_(entries.data()), fold_(fold) {
    folded_.reserve(entries.size());
    byKey_.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const AppEntry& entry = entries[i];
        folded_.push_back({fold(entry.name), fold(entry.isSetting ? std::wstring_view(entry.altName)
                                                                  : FileNameOf(entry.exePath))});
        byKey_.emplace(entry.key, i);
    }
}

std::vector<AppEntry> SettingsEntries(bool norwegian) {
    std::vector<AppEntry> entries;
    entries.reserve(kSettingsPages.size());
    const Language shown = norwegian ? Language::Norwegian : Language::English;
    const Language other = norwegian ? Language::English : Language::Norwegian;
    for (const SettingsPage& page : kSettingsPages) {
        AppEntry entry;
        entry.name = TextIn(shown, page.name);
        entry.altName = TextIn(other, page.name);
        entry.target = page.uri;
        entry.key = page.uri;
        entry.isSetting = true;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<AppEntry> SearchEntries(const SearchIndex& apps, const SearchIndex& settings,
                                    const LaunchRecords& launches, std::wstring_view query,
                                    std::size_t maxResults) {
    const SearchFold fold = apps.fold_ != nullptr ? apps.fold_ : settings.fold_;
    if (fold == nullptr || maxResults == 0) {
        return {};
    }
    const std::wstring folded = fold(query);
    const FoldedQuery q = SplitQuery(folded);
    if (q.words.empty()) {
        return {};
    }
    // Each app's place in the history, higher first; 0 for the rest.
    std::vector<uint32_t> started(apps.folded_.size(), 0);
    if (!started.empty()) {
        const std::vector<const LaunchRecord*> ranked = launches.Ranked();
        for (std::size_t i = 0; i < ranked.size(); ++i) {
            const auto found = apps.byKey_.find(ranked[i]->key);
            if (found != apps.byKey_.end()) {
                started[found->second] = static_cast<uint32_t>(ranked.size() - i);
            }
        }
    }
    struct Candidate {
        int score;
        uint32_t started;
        std::size_t order;  // catalog order, then the settings pages
        const AppEntry* entry;
    };
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < apps.folded_.size(); ++i) {
        int score = ScoreQuery(apps.folded_[i].name, q);
        if (score == 0 && !apps.folded_[i].second.empty()) {
            score = ScoreQuery(apps.folded_[i].second, q) / kHalfForFileName;
        }
        if (score != 0) {
            candidates.push_back({score, started[i], candidates.size(), &(*apps.entries_)[i]});
        }
    }
    for (std::size_t i = 0; i < settings.folded_.size(); ++i) {
        const int score = std::max(ScoreQuery(settings.folded_[i].name, q),
                                   ScoreQuery(settings.folded_[i].second, q));
        if (score != 0) {
            candidates.push_back(
                {score - kSettingsPenalty, 0, candidates.size(), &(*settings.entries_)[i]});
        }
    }
    // Only the first few are shown: a partial sort, made stable by the order
    // the candidates were found in.
    const std::size_t count = std::min(maxResults, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(count),
                      candidates.end(), [](const Candidate& a, const Candidate& b) {
                          if (a.score != b.score) {
                              return a.score > b.score;
                          }
                          return a.started != b.started ? a.started > b.started : a.order < b.order;
                      });
    std::vector<AppEntry> result;
    result.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        result.push_back(*candidates[i].entry);
    }
    return result;
}

std::wstring SearchFilesUri(std::wstring_view text) {
    std::wstring uri = L"search-ms:query=";
    for (const wchar_t c : text) {
        const auto u = static_cast<uint32_t>(c);
        if (u > 0xFF || IsWordChar(c) || c == L'-' || c == L'.' || c == L'_') {
            uri.push_back(c);
        } else {
            wchar_t hex[4] = {};
            std::swprintf(hex, 4, L"%%%02X", static_cast<unsigned>(u));
            uri += hex;
        }
    }
    return uri;
}

}  // namespace corvane
