#include "garden/GardenFile.h"

#include "base/Utf16.h"
#include "base/TextHelpers.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <map>
#include <string>

namespace corvane {
namespace {

constexpr wchar_t kGardenSection[] = L"Garden";
constexpr wchar_t kSeparator = L'|';
constexpr PixelRect kDefaultRect{100, 100, 460, 380};
constexpr int32_t kMinWidth = 120;
constexpr int32_t kMinHeight = 80;
constexpr int32_t kOffScreenInset = 60;

constexpr wchar_t kBedPrefix[] = L"Bed";
// A number of more digits is no section this program wrote.
constexpr std::size_t kMaxBedNumberDigits = 6;

std::wstring BedSection(std::size_t index) {
    return kBedPrefix + std::to_wstring(index);
}

bool IsControl(wchar_t c) noexcept {
    const auto u = static_cast<uint32_t>(c);
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

// The profile functions drop blanks around a value and one pair of quotes
// around it; quoted, such a value reads back as it was written.
std::wstring ProfileValue(std::wstring value) {
    const auto blank = [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; };
    if (!value.empty() && (blank(value.front()) || blank(value.back()) ||
                           (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') &&
                            value.back() == value[0]))) {
        return L'"' + value + L'"';
    }
    return value;
}

bool Intersects(const PixelRect& a, const PixelRect& b) noexcept {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Bed ReadBed(ProfileStore& store, const std::wstring& section, PixelRect virtualScreen) {
    const auto number = [&](const wchar_t* key, int32_t fallback, int32_t low, int32_t high) {
        return std::clamp(store.GetInt(section, key, fallback), low, high);
    };
    Bed bed;
    // As a save would store it, so that the next load shows the same name.
    bed.name = ReadWholeString(store, section, L"Name", L"");
    std::erase_if(bed.name, IsControl);
    if (bed.name.empty()) {
        bed.name = L"Bed";
    }
    // Clamped one by one before any sum, so a wrapped or huge value cannot
    // overflow.
    const int32_t x = number(L"X", kDefaultRect.left, -kBedCoordinateLimit, kBedCoordinateLimit);
    const int32_t y = number(L"Y", kDefaultRect.top, -kBedCoordinateLimit, kBedCoordinateLimit);
    const int32_t w = number(L"W", kDefaultRect.Width(), kMinWidth, kMaxBedSize);
    const int32_t h = number(L"H", kDefaultRect.Height(), kMinHeight, kMaxBedSize);
    bed.rect = {x, y, x + w, y + h};
    // A bed left on a display that is gone would be out of reach.
    if (!Intersects(bed.rect, virtualScreen)) {
        bed.rect = {virtualScreen.left + kOffScreenInset, virtualScreen.top + kOffScreenInset,
                    virtualScreen.left + kOffScreenInset + w,
                    virtualScreen.top + kOffScreenInset + h};
    }
    bed.collapsed = store.GetInt(section, L"Collapsed", 0) != 0;
    bed.catchAll = store.GetInt(section, L"CatchAll", 0) != 0;
    bool cut = false;
    bed.items =
        SplitListUntrimmed(ReadWholeString(store, section, L"Items", L"", &cut), kSeparator);
    // Half an id names nothing; the whole one returns through the catch-all bed.
    if (cut && !bed.items.empty()) {
        bed.items.pop_back();
    }
    return bed;
}

}  // namespace

bool EnsureGardenFile(ProfileStore& store) {
    return store.FileExists() || store.CreateNew(EncodeUtf16LeWithBom(L"")) || store.FileExists();
}

std::vector<std::wstring> BedSectionsToRead(const std::vector<std::wstring>& sectionNames) {
    // Section names compare without case, as the profile functions do.
    const std::size_t prefix = std::size(kBedPrefix) - 1;
    std::map<uint32_t, std::wstring> numbered;
    for (const std::wstring& name : sectionNames) {
        const std::wstring_view digits =
            std::wstring_view(name).substr(std::min(prefix, name.size()));
        if (ToLower(name.substr(0, prefix)) != ToLower(kBedPrefix) || digits.empty() ||
            digits.size() > kMaxBedNumberDigits ||
            !std::all_of(digits.begin(), digits.end(),
                         [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
            continue;
        }
        uint32_t number = 0;
        for (const wchar_t c : digits) {
            number = number * 10 + static_cast<uint32_t>(c - L'0');
        }
        // Of "Bed1" and "BED01" the first one listed, as a read would find.
        numbered.try_emplace(number, name);
    }
    std::vector<std::wstring> sections;
    for (auto& [number, name] : numbered) {
        if (sections.size() == static_cast<std::size_t>(kMaxBeds)) {
            break;
        }
        sections.push_back(std::move(name));
    }
    return sections;
}

GardenLoadStep DecideGardenLoad(GardenFileState state, bool bedsFound) noexcept {
    switch (state) {
        case GardenFileState::Missing:
            return GardenLoadStep::WriteDefaults;
        case GardenFileState::Unreadable:
            return GardenLoadStep::KeepFileUseDefaults;
        case GardenFileState::Readable:
            break;
    }
    return bedsFound ? GardenLoadStep::UseBeds : GardenLoadStep::BackUpThenWriteDefaults;
}

std::vector<Bed> ReadBeds(ProfileStore& store, PixelRect virtualScreen) {
    std::vector<Bed> beds;
    for (const std::wstring& section : BedSectionsToRead(store.SectionNames())) {
        beds.push_back(ReadBed(store, section, virtualScreen));
    }
    return beds;
}

bool IsStorableId(std::wstring_view id) noexcept {
    return std::none_of(id.begin(), id.end(),
                        [](wchar_t c) { return c == kSeparator || IsControl(c); });
}

bool WriteBeds(ProfileStore& store, const std::vector<Bed>& beds) {
    if (!EnsureGardenFile(store)) {
        return false;
    }
    const std::size_t count = std::min(beds.size(), static_cast<std::size_t>(kMaxBeds));
    // Earlier versions read the beds by Count alone.
    bool ok = store.WriteString(kGardenSection, L"Count", std::to_wstring(count));
    const auto write = [&](const std::wstring& section, const wchar_t* key, std::wstring value) {
        ok = store.WriteString(section, key, value) && ok;
    };
    for (std::size_t i = 0; i < count; ++i) {
        const Bed& bed = beds[i];
        const std::wstring section = BedSection(i);
        // A line break in a value would start a new line of the file.
        std::wstring name = bed.name;
        std::erase_if(name, IsControl);
        std::vector<std::wstring> ids;
        std::copy_if(bed.items.begin(), bed.items.end(), std::back_inserter(ids),
                     [](const std::wstring& id) { return IsStorableId(id); });
        write(section, L"Name", ProfileValue(std::move(name)));
        write(section, L"X", std::to_wstring(bed.rect.left));
        write(section, L"Y", std::to_wstring(bed.rect.top));
        write(section, L"W", std::to_wstring(bed.rect.Width()));
        write(section, L"H", std::to_wstring(bed.rect.Height()));
        write(section, L"Collapsed", bed.collapsed ? L"1" : L"0");
        write(section, L"CatchAll", bed.catchAll ? L"1" : L"0");
        write(section, L"Items", ProfileValue(JoinList(ids, std::wstring(1, kSeparator))));
    }
    return ok;
}

}  // namespace corvane
