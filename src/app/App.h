#pragma once
// The process-wide application state. Only the GUI thread touches it; other
// threads post WM_APP_COMMAND to the control window instead.

#include "app/GraphicsFactories.h"
#include "app/Settings.h"
#include "app/Win32Handles.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace corvane {

class ControlWindow;

// The application in front, as the bar names it.
struct CurrentApplication {
    HWND window = nullptr;
    std::wstring displayName;
    std::wstring exeName;  // lower case, e.g. explorer.exe
    std::wstring exePath;
    HICON icon = nullptr;  // not owned: it belongs to the display-name cache or the window
    uint32_t iconGeneration = 0;
    uint32_t menuGeneration = 0;
};

struct App {
    HINSTANCE instance = nullptr;
    Settings settings;
    CurrentApplication current;
    std::unique_ptr<ControlWindow> control;
    UINT taskbarCreatedMessage = 0;
    // Tick count before which bars ignore "TaskbarCreated" (the tray host
    // broadcasts it itself).
    ULONGLONG ignoreTaskbarCreatedUntil = 0;
    GraphicsFactories graphics;

    UniqueWinEventHook foregroundHook;
    UniqueWinEventHook locationHook;
    DWORD locationHookProcess = 0;
};

// Created on first use and never freed: nothing may run after it is gone.
[[nodiscard]] App& TheApp() noexcept;

// The control window's handle, or null before it exists.
[[nodiscard]] HWND ControlHwnd() noexcept;

// Invalidates every bar without erasing.
void RepaintAllBars() noexcept;

}  // namespace corvane
