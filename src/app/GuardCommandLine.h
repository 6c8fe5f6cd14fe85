#pragma once
// The command line that starts corvane.exe as the desktop guard: the switch,
// then the two handles the guard inherits (the watched process, and the
// event it sets to say goodbye) as decimal numbers. Portable.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct GuardHandles {
    uint32_t process = 0;
    uint32_t goodbye = 0;
};

[[nodiscard]] std::wstring FormatGuardArguments(const GuardHandles& handles);

// Whether the arguments ask for a guard at all: a malformed guard command
// line must not start a second Corvane.
[[nodiscard]] bool AsksForGuard(std::wstring_view arguments) noexcept;

// Anyone can start corvane.exe with any arguments: nothing unless they are
// exactly what FormatGuardArguments writes, with handles that are not zero.
[[nodiscard]] std::optional<GuardHandles> ParseGuardArguments(std::wstring_view arguments) noexcept;

}  // namespace corvane
