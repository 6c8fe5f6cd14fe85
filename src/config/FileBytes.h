#pragma once
// Whole small files next to corvane.ini: read with a bound, replaced in one
// step so that a reader never sees half of a new file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// At most `maxBytes`, whatever size the file claims; nothing when it cannot
// be opened.
[[nodiscard]] std::vector<uint8_t> ReadFileBytes(const std::wstring& path, std::size_t maxBytes);

// Writes "<path>.tmp" and moves it over `path`: the file holds either the
// old bytes or all the new ones. False when the settings folder refuses
// writes or a step failed (the temporary file is then removed).
bool ReplaceFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

}  // namespace corvane
