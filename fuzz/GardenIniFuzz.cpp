// garden.ini from arbitrary bytes: whatever the user's file holds, the beds
// read from it stay within their limits, every item ends up in exactly one
// bed, and a save followed by a load gives back the same beds.
//
// Input: a byte choosing which of the ids read become items of the desktop,
// a byte giving the length in KiB of one long item id (0 for none), then the
// file's text, one character per byte; 0xF0 to 0xFB stand for the file's
// section and key names, so that mutations keep its shape.

#include "config/SettingsText.h"
#include "garden/GardenFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace corvane;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The profile functions over the file's text. The tests' FakeProfileStore
// keeps written values in a map and reads them back untouched; a round trip
// through the file must meet the read rules (blanks trimmed, one pair of
// enclosing quotes dropped, values cut to the buffer) on what was written.
class IniStore final : public ProfileStore {
public:
    explicit IniStore(std::wstring text) : exists_(!text.empty()) {
        std::replace(text.begin(), text.end(), L'\r', L'\n');
        for (const std::wstring& line : SplitList(text, L'\n')) {
            const std::size_t eq = line.find(L'=');
            if (line.front() == L'[') {
                sections_.push_back({line.substr(1, line.rfind(L']') - 1), {}});
            } else if (eq != std::wstring::npos && !sections_.empty()) {
                sections_.back().second.emplace_back(Trim(line.substr(0, eq)), line.substr(eq + 1));
            }
        }
    }
    bool FileExists() override { return exists_; }
    int32_t GetInt(std::wstring_view section, std::wstring_view key, int32_t fallback) override {
        const std::wstring value = GetString(section, key, L"", kGardenBufferChars);
        if (value.empty()) {
            return fallback;
        }
        const bool negative = value[0] == L'-';
        uint32_t number = 0;  // wraps at 32 bits, as Windows does
        for (std::size_t i = negative || value[0] == L'+'; i < value.size(); ++i) {
            if (value[i] < L'0' || value[i] > L'9') {
                break;
            }
            number = number * 10 + static_cast<uint32_t>(value[i] - L'0');
        }
        return static_cast<int32_t>(negative ? 0 - number : number);
    }
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view fallback, std::size_t bufferChars) override {
        const std::wstring* raw = Find(section, key);
        std::wstring value = raw ? Trim(*raw) : std::wstring(fallback);
        if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') &&
            value.back() == value[0]) {
            value = value.substr(1, value.size() - 2);
        }
        return value.substr(0, bufferChars == 0 ? 0 : bufferChars - 1);
    }
    bool WriteString(std::wstring_view section, std::wstring_view key,
                     std::optional<std::wstring_view> value) override {
        // Anything else would break the file's lines.
        Require(!value || value->find_first_of(L"\r\n") == std::wstring_view::npos);
        exists_ = true;
        if (!Find(section, key)) {
            auto s = std::find_if(sections_.begin(), sections_.end(),
                                  [&](const auto& s) { return EqualsNoCase(s.first, section); });
            if (s == sections_.end()) {
                s = sections_.insert(s, {std::wstring(section), {}});
            }
            s->second.emplace_back(key, L"");
        }
        *Find(section, key) = value.value_or(L"");
        return true;
    }
    bool CreateNew(const std::vector<uint8_t>&) override { return !std::exchange(exists_, true); }

private:
    // The first section of that name and its first key of that name.
    std::wstring* Find(std::wstring_view section, std::wstring_view key) {
        for (auto& [name, keys] : sections_) {
            if (EqualsNoCase(Trim(name), section)) {
                for (auto& [k, v] : keys) {
                    if (EqualsNoCase(k, key)) {
                        return &v;
                    }
                }
                return nullptr;
            }
        }
        return nullptr;
    }

    bool exists_;
    std::vector<std::pair<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>>>
        sections_;
};

constexpr PixelRect kVirtualScreen{-1920, 0, 1920, 1080};
constexpr std::array<const wchar_t*, 12> kTokens{L"\n[Garden]\nCount=",
                                                 L"\n[Bed",
                                                 L"]\n",
                                                 L"\nName=",
                                                 L"\nX=",
                                                 L"\nY=",
                                                 L"\nW=",
                                                 L"\nH=",
                                                 L"\nCollapsed=",
                                                 L"\nCatchAll=",
                                                 L"\nItems=",
                                                 L"|"};

void CheckBeds(const std::vector<Bed>& beds) {
    Require(beds.size() <= kMaxBeds);
    for (const Bed& bed : beds) {
        Require(!bed.name.empty());
        Require(bed.rect.left >= -kBedCoordinateLimit && bed.rect.left <= kBedCoordinateLimit);
        Require(bed.rect.top >= -kBedCoordinateLimit && bed.rect.top <= kBedCoordinateLimit);
        Require(bed.rect.Width() >= 120 && bed.rect.Width() <= kMaxBedSize);
        Require(bed.rect.Height() >= 80 && bed.rect.Height() <= kMaxBedSize);
    }
}

void CheckAssigned(const std::vector<Bed>& beds, const GardenItems& items, std::size_t catchAll) {
    CheckBeds(beds);
    std::set<std::wstring> listed;
    for (std::size_t i = 0; i < beds.size(); ++i) {
        Require(beds[i].catchAll == (i == catchAll));
        for (const std::wstring& id : beds[i].items) {
            Require(listed.insert(id).second);
        }
    }
    for (const auto& [id, item] : items) {
        Require(beds.empty() || listed.contains(id));
    }
}

bool SameBeds(const std::vector<Bed>& a, const std::vector<Bed>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Bed& x, const Bed& y) {
        return x.name == y.name && x.rect == y.rect && x.collapsed == y.collapsed &&
               x.catchAll == y.catchAll && x.items == y.items;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    std::wstring text;
    for (std::size_t i = 2; i < size; ++i) {
        text += data[i] >= 0xF0 && data[i] < 0xF0 + kTokens.size() ? kTokens[data[i] - 0xF0]
                                                                   : std::wstring(1, data[i]);
    }
    IniStore file(text);
    std::vector<Bed> beds = ReadBeds(file, kVirtualScreen);
    CheckBeds(beds);

    // Some of the listed ids exist, some files are new, one may be long.
    GardenItems items;
    std::size_t n = 0;
    for (const Bed& bed : beds) {
        for (const std::wstring& id : bed.items) {
            if ((++n + data[0]) % 3 != 0) {
                items[id];
            }
        }
    }
    for (uint8_t i = 0; i < data[0] % 4; ++i) {
        items[L"c:\\users\\u\\desktop\\new" + std::to_wstring(i)];
    }
    if (data[1] != 0) {
        items[L"c:\\" + std::wstring(std::size_t{data[1]} * 1024, L'x')];
    }
    const std::size_t catchAll = AssignItems(beds, items);
    CheckAssigned(beds, items, catchAll);

    IniStore saved(L"");
    Require(WriteBeds(saved, beds));
    std::vector<Bed> reread = ReadBeds(saved, kVirtualScreen);
    // The save leaves out what the Items line cannot hold; the next
    // assignment returns those items to the end of the catch-all bed.
    for (Bed& bed : beds) {
        std::erase_if(bed.items, [](const std::wstring& id) { return !IsStorableId(id); });
    }
    Require(SameBeds(reread, beds));
    for (const auto& [id, item] : items) {
        if (!IsStorableId(id)) {
            beds[catchAll].items.push_back(id);
        }
    }
    Require(AssignItems(reread, items) == catchAll);
    CheckAssigned(reread, items, catchAll);
    Require(SameBeds(reread, beds));
    return 0;
}
