#pragma once
// Where an icon is taken from: an executable's own icon resource when it is
// large enough, otherwise the shell's image of the file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace corvane {

// Resource icons narrower than this would only be blown up; the shell's
// image is sharper then.
inline constexpr int kMinResourceIconWidth = 32;

// True when the path (any case) is longer than 4 characters and ends in
// ".exe" or ".dll": a module whose icon resources can be read directly.
[[nodiscard]] bool IsIconModulePath(std::wstring_view path);

// Edge of the square image asked of the shell for a wanted icon size.
[[nodiscard]] int ShellImageSize(int32_t wantedSize);

// A group-icon directory (reserved 0, type 1, at least one entry) whose
// entries all lie inside the resource. The system's lookup trusts these
// counts, and the resource comes from any file on disk.
[[nodiscard]] bool IsValidIconGroupDirectory(std::span<const uint8_t> resource);

}  // namespace corvane
