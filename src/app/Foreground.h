#pragma once
// The application in front: which window counts, its name, executable and
// icon, kept in TheApp().current.

#include "app/ForegroundRules.h"

#include <windows.h>

#include <string>

namespace corvane {

// Decides whether `window` makes a new current application and, if so, stores
// it and repaints the bars. Null windows, windows of this process and shell
// surfaces leave the current application as it is.
void EvaluateForeground(HWND window) noexcept;

// Full image path of a process; empty when it cannot be opened.
[[nodiscard]] std::wstring ProcessImagePath(DWORD processId);

// The version resource's FileDescription, trailing blanks removed; empty on
// any failure.
[[nodiscard]] std::wstring FileDescriptionOf(const std::wstring& path);

}  // namespace corvane
