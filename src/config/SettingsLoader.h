#pragma once

#include "config/ProfileStore.h"
#include "config/Settings.h"

#include <span>

namespace corvane {

// A key read as one number: clamped into its range, or for a flag any
// non-zero number is on. The default is the record's member initialiser, read
// through get, so that it is written in one place only.
struct SettingsKey {
    const wchar_t* section;
    const wchar_t* key;
    bool flag;
    IntRange range;
    int32_t (*get)(const Settings&);
    void (*set)(Settings&, int32_t);
};

// Every key that needs no reading of its own; the rest (the backdrop name,
// the tints that follow Tint, the date format, the lists, the language and
// the migrations) are read by LoadSettings itself.
[[nodiscard]] std::span<const SettingsKey> PlainSettingsKeys() noexcept;

// Builds a complete record from the file: creates the commented default file
// in the user's language when it is missing, migrates old files, writes the
// keys that loading fills in, clamps every number, and sets the process-wide
// language flag.
[[nodiscard]] Settings LoadSettings(ProfileStore& store, std::wstring filePath);

[[nodiscard]] Backdrop ParseBackdrop(std::wstring_view value);

}  // namespace corvane
