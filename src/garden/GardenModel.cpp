#include "garden/GardenModel.h"

#include "garden/BedGeometry.h"

#include "base/TextHelpers.h"
#include "config/Texts.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <unordered_set>

namespace corvane {
namespace {

bool EndsWithAny(std::wstring_view lower, std::initializer_list<std::wstring_view> suffixes) {
    return std::any_of(suffixes.begin(), suffixes.end(),
                       [lower](std::wstring_view s) { return lower.ends_with(s); });
}

}  // namespace

std::wstring GardenItemId(std::wstring_view path) {
    return ToLower(path);
}

GardenItem MakeGardenItem(std::wstring_view folder, std::wstring_view fileName, bool isFolder) {
    GardenItem item;
    item.isFolder = isFolder;
    AppEntry& e = item.entry;
    e.target = std::wstring(folder) + L"\\" + std::wstring(fileName);
    const std::wstring lowerName = ToLower(fileName);
    // Shortcuts show the name of what they open, as Explorer shows them.
    const bool shortcut = !isFolder && EndsWithAny(lowerName, {L".lnk", L".url"});
    e.name = std::wstring(fileName.substr(0, fileName.size() - (shortcut ? 4 : 0)));
    e.hasExe = !isFolder && lowerName.ends_with(L".exe");
    e.exePath = e.hasExe ? e.target : L"";
    e.key = L"garden:" + GardenItemId(e.target);
    return item;
}

void AddDesktopEntry(GardenItems& items, std::wstring_view folder, std::wstring_view fileName,
                     uint32_t attributes) {
    if (fileName == L"." || fileName == L".." ||
        (attributes & (kFileAttributeHidden | kFileAttributeSystem)) != 0) {
        return;
    }
    GardenItem item = MakeGardenItem(folder, fileName, (attributes & kFileAttributeDirectory) != 0);
    std::wstring id = GardenItemId(item.entry.target);
    items.insert_or_assign(std::move(id), std::move(item));
}

GardenItem RecycleBinItem() {
    GardenItem item;
    item.isFolder = true;
    item.entry.target = kRecycleBinPath;
    item.entry.key = kRecycleBinIconKey;
    item.entry.name = GardenItemName(item);
    return item;
}

std::wstring GardenItemName(const GardenItem& item) {
    return item.entry.key == kRecycleBinIconKey ? Text(TextId::RecycleBin) : item.entry.name;
}

std::size_t CatchAllIndex(const std::vector<Bed>& beds) {
    for (std::size_t i = beds.size(); i-- > 0;) {
        if (beds[i].catchAll) {
            return i;
        }
    }
    return 0;
}

std::size_t AssignItems(std::vector<Bed>& beds, const GardenItems& items) {
    if (beds.empty()) {
        return 0;
    }
    // Ids of missing files stay listed: the file may come back to its place.
    // Hashed: ids share long folder prefixes, which makes ordered compares slow.
    std::unordered_set<std::wstring> seen;
    seen.reserve(items.size());
    for (Bed& bed : beds) {
        std::erase_if(bed.items,
                      [&seen](const std::wstring& id) { return !seen.insert(id).second; });
    }
    const std::size_t catchAll = CatchAllIndex(beds);
    for (std::size_t i = 0; i < beds.size(); ++i) {
        beds[i].catchAll = i == catchAll;
    }
    for (const auto& [id, item] : items) {
        if (!seen.contains(id)) {
            beds[catchAll].items.push_back(id);
        }
    }
    return catchAll;
}

std::vector<Bed> DefaultBeds(const GardenItems& items, PixelRect workArea, uint32_t dpi) {
    const DefaultBedRects places = DefaultBedPlaces(workArea, dpi);
    Bed apps;
    apps.name = Text(TextId::AppsBed);
    apps.rect = places.apps;
    Bed desktop;
    desktop.name = Text(TextId::DesktopBed);
    desktop.catchAll = true;
    desktop.rect = places.desktop;
    const std::wstring recycleBin = GardenItemId(kRecycleBinPath);
    desktop.items.push_back(recycleBin);
    for (const auto& [id, item] : items) {
        if (id == recycleBin) {
            continue;
        }
        const bool app =
            !item.isFolder && EndsWithAny(id, {L".exe", L".url", L".lnk", L".appref-ms"});
        (app ? apps : desktop).items.push_back(id);
    }
    return {std::move(apps), std::move(desktop)};
}

std::vector<std::wstring> VisibleItems(const Bed& bed, const GardenItems& items) {
    std::vector<std::wstring> visible;
    std::copy_if(bed.items.begin(), bed.items.end(), std::back_inserter(visible),
                 [&items](const std::wstring& id) { return items.contains(id); });
    return visible;
}

void SortBed(Bed& bed, const GardenItems& items, const NameCompare& compare) {
    const auto nameOf = [&items](const std::wstring& id) {
        const auto found = items.find(id);
        return found == items.end() ? id : GardenItemName(found->second);
    };
    std::stable_sort(bed.items.begin(), bed.items.end(),
                     [&](const std::wstring& a, const std::wstring& b) {
                         return compare(nameOf(a), nameOf(b)) < 0;
                     });
}

bool DeleteBed(std::vector<Bed>& beds, std::size_t index) {
    const std::size_t catchAll = CatchAllIndex(beds);
    if (index >= beds.size() || index == catchAll) {
        return false;
    }
    // Files never move with a bed: its ids only change home.
    Bed& home = beds[catchAll];
    home.items.insert(home.items.end(), beds[index].items.begin(), beds[index].items.end());
    beds.erase(beds.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

DropResult DropItem(std::vector<Bed>& beds, std::size_t source, std::wstring_view id,
                    std::size_t target, int32_t insertIndex, const GardenItems& items) {
    // Beds and items may have changed since the drag began: check again.
    if (source >= beds.size() || target >= beds.size()) {
        return DropResult::Unchanged;
    }
    std::vector<std::wstring>& from = beds[source].items;
    const auto dragged = std::find(from.begin(), from.end(), id);
    if (dragged == from.end()) {
        return DropResult::Unchanged;
    }
    const std::vector<std::wstring> visible = VisibleItems(beds[target], items);
    const auto index = static_cast<std::size_t>(
        std::clamp<int64_t>(insertIndex, 0, static_cast<int64_t>(visible.size())));
    // In its own bed, the gaps just before and just after the item are where
    // it already is.
    const bool atEnd = index == visible.size();
    if (source == target &&
        ((!atEnd && visible[index] == id) || (index > 0 && visible[index - 1] == id))) {
        return DropResult::Unchanged;
    }
    std::wstring moved = *dragged;
    from.erase(dragged);
    std::vector<std::wstring>& to = beds[target].items;
    const auto at = atEnd ? to.end() : std::find(to.begin(), to.end(), visible[index]);
    to.insert(at, std::move(moved));
    return DropResult::Moved;
}

}  // namespace corvane
