#include "start/SearchFold.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace corvane {
namespace {

// Letters with a stroke or ligatures are letters of their own in Unicode,
// not a base letter plus a mark, so no decomposition reaches them; yet in
// names people type them as the plain letter (Ørland as "orland", Łódź as
// "lodz"). Only the Latin letters a Nordic, German, Polish or Croatian
// keyboard puts on a key; the table is checked after lower-casing.
struct Spelled {
    wchar_t letter;
    const wchar_t* as;
};
constexpr Spelled kSpelled[] = {
    {L'\u00F8', L"o"},   // ø
    {L'\u00E6', L"ae"},  // æ
    {L'\u0153', L"oe"},  // œ
    {L'\u00DF', L"ss"},  // ß
    {L'\u0111', L"d"},   // đ
    {L'\u0142', L"l"},   // ł
};

// FoldStringW and LCMapStringEx with a buffer of the size they ask for; the
// input when the call fails.
template <typename Call>
std::wstring Mapped(const std::wstring& in, Call call) {
    if (in.empty() || in.size() > static_cast<std::size_t>(INT_MAX / 4)) {
        return in;
    }
    const int length = static_cast<int>(in.size());
    const int needed = call(in.c_str(), length, nullptr, 0);
    if (needed <= 0) {
        return in;
    }
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    const int written = call(in.c_str(), length, out.data(), needed);
    if (written <= 0) {
        return in;
    }
    out.resize(static_cast<std::size_t>(written));
    return out;
}

}  // namespace

std::wstring FoldForSearch(std::wstring_view text) {
    // Most names are plain ASCII, which none of the calls below changes but
    // for the case: a catalog is folded without a call per name.
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) {
        std::wstring folded(text);
        for (wchar_t& c : folded) {
            c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
        }
        return folded;
    }
    const std::wstring decomposed =
        Mapped(std::wstring(text), [](const wchar_t* in, int n, wchar_t* out, int size) {
            return ::FoldStringW(MAP_COMPOSITE | MAP_FOLDCZONE, in, n, out, size);
        });
    const std::wstring lower =
        Mapped(decomposed, [](const wchar_t* in, int n, wchar_t* out, int size) {
            return ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, in, n, out, size,
                                   nullptr, nullptr, 0);
        });
    std::vector<WORD> types(lower.size(), 0);
    if (!lower.empty() &&
        !::GetStringTypeW(CT_CTYPE3, lower.c_str(), static_cast<int>(lower.size()), types.data())) {
        types.assign(lower.size(), 0);
    }
    std::wstring folded;
    folded.reserve(lower.size());
    for (std::size_t i = 0; i < lower.size(); ++i) {
        const wchar_t c = lower[i];
        const Spelled* spelled = nullptr;
        for (const Spelled& s : kSpelled) {
            spelled = s.letter == c ? &s : spelled;
        }
        if (spelled != nullptr) {
            folded += spelled->as;
        } else if ((types[i] & C3_NONSPACING) == 0 || (types[i] & (C3_ALPHA | C3_VOWELMARK)) != 0) {
            // Marks that sit on the letter before are dropped; letters the
            // tables also call non-spacing (Ø is one) and vowel signs of
            // Indic scripts, which change the word, are kept.
            folded.push_back(c);
        }
    }
    return folded;
}

}  // namespace corvane
