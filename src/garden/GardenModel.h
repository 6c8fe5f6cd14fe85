#pragma once
// The desktop beds as data: the items found on the desktops, the beds that
// show them and the rules that keep every item in exactly one bed. The bed
// windows hold ids, never references, so a rescan can rebuild the item map
// while a menu is open.

#include "base/Geometry.h"
#include "identity/AppEntry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr wchar_t kRecycleBinPath[] = L"::{645FF040-5081-101B-9F08-00AA002F954E}";
inline constexpr wchar_t kRecycleBinIconKey[] = L"garden:recyclebin";

// One desktop entry. Its catalog-shaped record lets the catalog's icon cache
// load the icon: entry.name is the display name, entry.target the full path,
// entry.key the icon key, entry.exePath and entry.hasExe set for programs.
struct GardenItem {
    AppEntry entry;
    bool isFolder = false;
};

// Keyed by item id (the lower-cased path), so iteration is in id order.
using GardenItems = std::map<std::wstring, GardenItem>;

struct Bed {
    std::wstring name;
    PixelRect rect;  // screen pixels of the expanded bed
    bool collapsed = false;
    bool catchAll = false;
    std::vector<std::wstring> items;  // ids in display order, missing files included
};

[[nodiscard]] std::wstring GardenItemId(std::wstring_view path);

// A file or folder named `fileName` inside `folder`.
[[nodiscard]] GardenItem MakeGardenItem(std::wstring_view folder, std::wstring_view fileName,
                                        bool isFolder);

// The attribute bits of a found file that decide whether the desktop shows it.
inline constexpr uint32_t kFileAttributeHidden = 0x2;
inline constexpr uint32_t kFileAttributeSystem = 0x4;
inline constexpr uint32_t kFileAttributeDirectory = 0x10;

// One entry found in a desktop folder, left out where Explorer leaves it out
// ("." and "..", hidden and system files). The public desktop is scanned
// after the user's, so its entry replaces one with the same id.
void AddDesktopEntry(GardenItems& items, std::wstring_view folder, std::wstring_view fileName,
                     uint32_t attributes);

[[nodiscard]] GardenItem RecycleBinItem();

// The name to show: the Recycle Bin's in the current language, so that a
// language switch needs no rescan.
[[nodiscard]] std::wstring GardenItemName(const GardenItem& item);

// Drops repeated ids (the first bed listing an id keeps it), makes exactly one
// bed catch-all and appends every unlisted item to it. Returns the catch-all
// bed's index (0 when there are no beds).
std::size_t AssignItems(std::vector<Bed>& beds, const GardenItems& items);

// The last bed marked catch-all, else the first.
[[nodiscard]] std::size_t CatchAllIndex(const std::vector<Bed>& beds);

// The two beds of a first run, "Apps" and the catch-all "Desktop", side by
// side in the top-left corner of the work area at this DPI.
[[nodiscard]] std::vector<Bed> DefaultBeds(const GardenItems& items, PixelRect workArea,
                                           uint32_t dpi);

// The ids of `bed` whose files exist, in the bed's order.
[[nodiscard]] std::vector<std::wstring> VisibleItems(const Bed& bed, const GardenItems& items);

// Orders a bed by display name (the id for a missing file); `compare` is the
// locale's comparison, negative when the first name goes first.
using NameCompare = std::function<int(std::wstring_view, std::wstring_view)>;
void SortBed(Bed& bed, const GardenItems& items, const NameCompare& compare);

// Removes the bed and appends its ids to the catch-all bed. The catch-all bed
// itself cannot be deleted: false, nothing changes.
bool DeleteBed(std::vector<Bed>& beds, std::size_t index);

enum class DropResult { Unchanged, Moved };

// Moves `id` from the source bed to just before the item shown at
// `insertIndex` among the target's visible items, or to the end. A drop that
// would leave every bed as it was answers Unchanged, so nothing is saved.
DropResult DropItem(std::vector<Bed>& beds, std::size_t source, std::wstring_view id,
                    std::size_t target, int32_t insertIndex, const GardenItems& items);

}  // namespace corvane
