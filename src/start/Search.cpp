#include "start/Search.h"

#include "config/SettingsText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace corvane {
namespace {

constexpr int kHalfForFileName = 2;
constexpr int kSettingsPenalty = 15;
constexpr std::size_t kInlineName = 160;

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

bool AtWordStart(std::wstring_view text, std::wstring_view query) {
    for (std::size_t p = text.find(query, 1); p != std::wstring_view::npos;
         p = text.find(query, p + 1)) {
        if (!IsWordChar(text[p - 1])) {
            return true;
        }
    }
    return false;
}

// The first character of every run of word characters, compared as it is
// found: most names fail on the first initial.
bool InitialsStartWith(std::wstring_view text, std::wstring_view query) {
    std::size_t matched = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsWordChar(text[i]) && (i == 0 || !IsWordChar(text[i - 1]))) {
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

wchar_t LowerFast(wchar_t c) noexcept {
    if (c < 0x80) {
        return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 0x20) : c;
    }
    return LowerChar(c);
}

std::wstring_view FileNameOf(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

struct SettingsPage {
    const wchar_t* uri;
    const wchar_t* norwegian;
    const wchar_t* english;
};

constexpr std::array<SettingsPage, 27> kSettingsPages = {{
    {L"ms-settings:display", L"Skjerm", L"Display"},
    {L"ms-settings:sound", L"Lyd", L"Sound"},
    {L"ms-settings:bluetooth", L"Bluetooth og enheter", L"Bluetooth & devices"},
    {L"ms-settings:network", L"Nettverk og Internett", L"Network & internet"},
    {L"ms-settings:network-wifi", L"Wi-Fi", L"Wi-Fi"},
    {L"ms-settings:personalization", L"Personalisering", L"Personalization"},
    {L"ms-settings:personalization-background", L"Bakgrunn", L"Background"},
    {L"ms-settings:colors", L"Farger", L"Colors"},
    {L"ms-settings:nightlight", L"Nattlys", L"Night light"},
    {L"ms-settings:appsfeatures", L"Installerte apper", L"Installed apps"},
    {L"ms-settings:defaultapps", L"Standardapper", L"Default apps"},
    {L"ms-settings:startupapps", L"Oppstartsapper", L"Startup apps"},
    {L"ms-settings:windowsupdate", L"Windows Update", L"Windows Update"},
    {L"ms-settings:privacy", L"Personvern og sikkerhet", L"Privacy & security"},
    {L"ms-settings:dateandtime", L"Dato og klokkeslett", L"Date & time"},
    {L"ms-settings:regionlanguage", L"Språk og område", L"Language & region"},
    {L"ms-settings:mousetouchpad", L"Mus", L"Mouse"},
    {L"ms-settings:typing", L"Skriving og tastatur", L"Typing & keyboard"},
    {L"ms-settings:printers", L"Skrivere og skannere", L"Printers & scanners"},
    {L"ms-settings:powersleep", L"Strøm og batteri", L"Power & battery"},
    {L"ms-settings:storagesense", L"Lagring", L"Storage"},
    {L"ms-settings:yourinfo", L"Kontoen din", L"Your account"},
    {L"ms-settings:gaming-gamebar", L"Spill", L"Gaming"},
    {L"ms-settings:taskbar", L"Oppgavelinje", L"Taskbar"},
    {L"ms-settings:notifications", L"Varsler", L"Notifications"},
    {L"ms-settings:about", L"Om PC-en", L"About this PC"},
    {L"corvane:settings", L"Corvane-innstillinger", L"Corvane settings"},
}};

}  // namespace

int ScoreMatch(std::wstring_view text, std::wstring_view query) {
    // Every rule needs at least as many characters as the query has (the
    // initials are never more than the text).
    if (query.empty() || text.size() < query.size()) {
        return 0;
    }
    // Search scores the whole catalog on every keystroke. Every rule needs
    // the query's first character somewhere in the text, which rejects most
    // names in one pass; the rest are lower-cased onto the stack.
    const wchar_t first = query.front();
    if (std::none_of(text.begin(), text.end(),
                     [first](wchar_t c) { return LowerFast(c) == first; })) {
        return 0;
    }
    std::array<wchar_t, kInlineName> inlineBuffer;
    std::wstring longName;
    wchar_t* lower = inlineBuffer.data();
    if (text.size() > inlineBuffer.size()) {
        longName.resize(text.size());
        lower = longName.data();
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        lower[i] = LowerFast(text[i]);
    }
    const std::wstring_view t(lower, text.size());
    if (t == query) {
        return 100;
    }
    if (t.starts_with(query)) {
        return 80;
    }
    if (AtWordStart(t, query)) {
        return 60;
    }
    if (query.size() >= 2 && InitialsStartWith(t, query)) {
        return 50;
    }
    return t.find(query) != std::wstring_view::npos ? 40 : 0;
}

std::vector<AppEntry> SettingsEntries(bool norwegian) {
    std::vector<AppEntry> entries;
    entries.reserve(kSettingsPages.size());
    for (const SettingsPage& page : kSettingsPages) {
        AppEntry entry;
        entry.name = norwegian ? page.norwegian : page.english;
        entry.altName = norwegian ? page.english : page.norwegian;
        entry.target = page.uri;
        entry.key = page.uri;
        entry.isSetting = true;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<AppEntry> SearchEntries(const std::vector<AppEntry>& catalog,
                                    const std::vector<AppEntry>& settings, std::wstring_view query,
                                    std::size_t maxResults) {
    std::wstring q = ToLower(query);
    while (!q.empty() && q.back() == L' ') {
        q.pop_back();
    }
    const std::size_t first = q.find_first_not_of(L' ');
    q.erase(0, first == std::wstring::npos ? q.size() : first);
    if (q.empty() || maxResults == 0) {
        return {};
    }
    struct Candidate {
        int score;
        std::size_t order;  // catalog order, then the settings pages
        const AppEntry* entry;
    };
    std::vector<Candidate> candidates;
    for (const AppEntry& entry : catalog) {
        int score = ScoreMatch(entry.name, q);
        if (score == 0 && !entry.exePath.empty()) {
            score = ScoreMatch(FileNameOf(entry.exePath), q) / kHalfForFileName;
        }
        if (score != 0) {
            candidates.push_back({score, candidates.size(), &entry});
        }
    }
    for (const AppEntry& entry : settings) {
        const int score = std::max(ScoreMatch(entry.name, q), ScoreMatch(entry.altName, q));
        if (score != 0) {
            candidates.push_back({score - kSettingsPenalty, candidates.size(), &entry});
        }
    }
    // Only the first few are shown: a partial sort, made stable by the order
    // the candidates were found in.
    const std::size_t count = std::min(maxResults, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(count),
                      candidates.end(), [](const Candidate& a, const Candidate& b) {
                          return a.score != b.score ? a.score > b.score : a.order < b.order;
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
