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

std::wstring Initials(std::wstring_view text) {
    std::wstring initials;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsWordChar(text[i]) && (i == 0 || !IsWordChar(text[i - 1]))) {
            initials.push_back(text[i]);
        }
    }
    return initials;
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
    const std::wstring lower = ToLower(text);
    const std::wstring_view t = lower;
    if (query.empty()) {
        return 0;
    }
    if (t == query) {
        return 100;
    }
    if (t.starts_with(query)) {
        return 80;
    }
    if (AtWordStart(t, query)) {
        return 60;
    }
    if (query.size() >= 2 && std::wstring_view(Initials(t)).starts_with(query)) {
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
    std::vector<std::pair<int, const AppEntry*>> candidates;
    for (const AppEntry& entry : catalog) {
        int score = ScoreMatch(entry.name, q);
        if (score == 0 && !entry.exePath.empty()) {
            score = ScoreMatch(FileNameOf(entry.exePath), q) / kHalfForFileName;
        }
        if (score != 0) {
            candidates.emplace_back(score, &entry);
        }
    }
    for (const AppEntry& entry : settings) {
        const int score = std::max(ScoreMatch(entry.name, q), ScoreMatch(entry.altName, q));
        if (score != 0) {
            candidates.emplace_back(score - kSettingsPenalty, &entry);
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<AppEntry> result;
    for (std::size_t i = 0; i < candidates.size() && i < maxResults; ++i) {
        result.push_back(*candidates[i].second);
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
