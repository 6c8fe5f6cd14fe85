#pragma once
// The application in front: which window counts, its name, executable and
// icon.

#include "identity/ForegroundRules.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace corvane {

struct CurrentApplication {
    HWND window = nullptr;
    std::wstring displayName;
    std::wstring exeName;  // lower case, e.g. explorer.exe
    std::wstring exePath;
    HICON icon = nullptr;  // not owned: it belongs to the display-name cache or the window
    uint32_t iconGeneration = 0;
};

// Decides whether `window` makes a new current application and stores it in
// `current`. True when the application changed (its name or icon), so that
// what is derived from it must follow. Null windows, windows of this process
// and shell surfaces leave it as it is.
[[nodiscard]] bool UpdateCurrentApplication(CurrentApplication& current, HWND window) noexcept;

// The version resource's FileDescription, trailing blanks removed; empty on
// any failure.
[[nodiscard]] std::wstring FileDescriptionOf(const std::wstring& path);

}  // namespace corvane
