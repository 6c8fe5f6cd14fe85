#pragma once
// garden.ini: one section per bed, read with every value made safe before
// use, since the file is the user's to edit.

#include "base/Geometry.h"
#include "config/ProfileStore.h"
#include "garden/GardenModel.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr int32_t kMaxBeds = 64;
// Well beyond any desktop, and small enough that X + W cannot overflow.
inline constexpr int32_t kBedCoordinateLimit = 1'000'000;
// A bed is drawn into a render target of its size: keep that reasonable.
inline constexpr int32_t kMaxBedSize = 8192;

// Whether one more bed can be stored: a bed past the last one written would
// be gone at the next load.
[[nodiscard]] constexpr bool RoomForAnotherBed(std::size_t beds) noexcept {
    return beds < static_cast<std::size_t>(kMaxBeds);
}

// The sections to read beds from, lowest number first: every "Bed<number>"
// among `sectionNames`, one per number, at most kMaxBeds. [Garden] Count is
// left out of it: saves write a fresh file, so the sections are exactly the
// beds, while a hand edit of Count must not hide any of them.
[[nodiscard]] std::vector<std::wstring> BedSectionsToRead(
    const std::vector<std::wstring>& sectionNames);

enum class GardenFileState : uint8_t { Missing, Unreadable, Readable };

enum class GardenLoadStep : uint8_t {
    UseBeds,
    // First run: the default beds, saved.
    WriteDefaults,
    // A file that holds no beds is copied aside before defaults replace it.
    BackUpThenWriteDefaults,
    // What the file holds is unknown: defaults shown, the file left alone.
    KeepFileUseDefaults,
};

[[nodiscard]] GardenLoadStep DecideGardenLoad(GardenFileState state, bool bedsFound) noexcept;

// Creates the file with nothing but the UTF-16LE byte-order mark, so that the
// profile functions store Unicode text. True when the file exists afterwards.
bool EnsureGardenFile(ProfileStore& store);

// Up to 64 beds, those of BedSectionsToRead, clamped; a bed off the virtual
// screen is moved inside it.
[[nodiscard]] std::vector<Bed> ReadBeds(ProfileStore& store, PixelRect virtualScreen);

// An id that the Items line can hold: no "|" and no control character.
[[nodiscard]] bool IsStorableId(std::wstring_view id) noexcept;

// Writes [Garden] and a section per bed into a fresh file; ids that cannot be
// stored are left out and return to the catch-all bed on the next
// assignment. False when any write failed, so the old file is kept.
bool WriteBeds(ProfileStore& store, const std::vector<Bed>& beds);

}  // namespace corvane
