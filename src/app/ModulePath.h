#pragma once

#include <string>

namespace corvane {

// Full path of the running executable (at most MAX_PATH characters).
[[nodiscard]] std::wstring ExecutablePath();
// The folder of the executable, without a trailing separator.
[[nodiscard]] std::wstring ExecutableDirectory();
// A file next to the executable.
[[nodiscard]] std::wstring PathNextToExecutable(const wchar_t* fileName);

}  // namespace corvane
