#pragma once
// Paths of running images: this executable and other processes.

#include <windows.h>

#include <string>

namespace corvane {

// Full path of the running executable, however long; empty when it cannot be
// read.
[[nodiscard]] std::wstring ExecutablePath();
// The folder of the executable, without a trailing separator; empty when
// unknown.
[[nodiscard]] std::wstring ExecutableDirectory();
// A file next to the executable; empty when the folder is unknown, so that
// nothing is ever read from or written to another folder instead.
[[nodiscard]] std::wstring PathNextToExecutable(const wchar_t* fileName);

// Full image path of a process, however long; empty when it cannot be opened.
[[nodiscard]] std::wstring ProcessImagePath(DWORD processId) noexcept;

}  // namespace corvane
