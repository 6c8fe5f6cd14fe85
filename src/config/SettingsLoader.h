#pragma once

#include "config/ProfileStore.h"
#include "config/Settings.h"

namespace corvane {

// String values are read through one buffer of this many characters
// (the terminating zero included).
inline constexpr std::size_t kSettingsBufferChars = 8192;

// Builds a complete record from the file: creates the commented default file
// in the user's language when it is missing, migrates old files, writes the
// keys that loading fills in, clamps every number, and sets the process-wide
// language flag.
[[nodiscard]] Settings LoadSettings(ProfileStore& store, std::wstring filePath);

[[nodiscard]] Backdrop ParseBackdrop(std::wstring_view value);

}  // namespace corvane
