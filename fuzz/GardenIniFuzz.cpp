// garden.ini from arbitrary bytes: whatever the user's file holds, the beds
// read from it stay within their limits, every item ends up in exactly one
// bed, and a save followed by a load gives back the same beds.
//
// Input: a byte choosing which of the ids read become items of the desktop,
// a byte giving the length in KiB of one long item id (0 for none), then the
// file's text, one character per byte; 0xF0 to 0xFB stand for the file's
// section and key names, so that mutations keep its shape.

#include "core/FakeProfileStore.h"
#include "garden/GardenFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace corvane;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The tests' INI file, which reads values back by Windows' rules; no value
// written may break the file's lines.
class IniStore final : public test::FakeProfileStore {
public:
    using FakeProfileStore::FakeProfileStore;
    bool WriteString(std::wstring_view section, std::wstring_view key,
                     std::optional<std::wstring_view> value) override {
        Require(!value || value->find_first_of(L"\r\n") == std::wstring_view::npos);
        return FakeProfileStore::WriteString(section, key, value);
    }
};

constexpr PixelRect kVirtualScreen{-1920, 0, 1920, 1080};
// Stand-ins for the file's names, bytes 0xF0 onwards.
constexpr std::array<std::wstring_view, 12> kTokens{L"\n[Garden]\nCount=",
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
        if (data[i] >= 0xF0 && data[i] < 0xF0 + kTokens.size()) {
            text += kTokens[data[i] - 0xF0];
        } else {
            text += static_cast<wchar_t>(data[i]);
        }
    }
    std::replace(text.begin(), text.end(), L'\r', L'\n');
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

    IniStore saved;
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
