#pragma once
// The process-wide application state. Only the GUI thread touches it; other
// threads post WM_APP_COMMAND to the control window instead.

#include "app/GraphicsFactories.h"
#include "appmenus/AppMenu.h"
#include "app/Settings.h"
#include "app/Theme.h"
#include "app/Win32Handles.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class ControlWindow;
class SystemStatus;
class Bar;

// The application in front, as the bar names it.
struct CurrentApplication {
    HWND window = nullptr;
    std::wstring displayName;
    std::wstring exeName;  // lower case, e.g. explorer.exe
    std::wstring exePath;
    HICON icon = nullptr;  // not owned: it belongs to the display-name cache or the window
    uint32_t iconGeneration = 0;
    // The menus shown next to the name, rebuilt whenever the application changes.
    std::vector<AppMenu> menus;
    uint32_t menuGeneration = 0;
};

struct App {
    HINSTANCE instance = nullptr;
    Settings settings;
    Theme theme;
    CurrentApplication current;
    std::unique_ptr<ControlWindow> control;
    // One per display, in the system's enumeration order.
    std::vector<std::unique_ptr<Bar>> bars;
    std::unique_ptr<SystemStatus> systemStatus;
    // The bars could not be rebuilt because one of them was showing a menu;
    // they are rebuilt when it closes.
    bool barSyncDeferred = false;
    UINT taskbarCreatedMessage = 0;
    // Tick count before which bars ignore "TaskbarCreated" (the tray host
    // broadcasts it itself).
    ULONGLONG ignoreTaskbarCreatedUntil = 0;
    GraphicsFactories graphics;
    // A full-screen window covers the main display (hot corners pause).
    bool fullscreenOnMain = false;

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

// The bar on the main display (else the first bar), or null.
[[nodiscard]] Bar* MainBar() noexcept;

// Tiling runs: a tiling manager exists and has tiling on.
[[nodiscard]] bool TilingIsActive() noexcept;

// Bars and docks on `fullscreenDisplay` step aside, all others come back;
// null when no full-screen window is in front.
void ApplyFullscreenToSurfaces(HMONITOR fullscreenDisplay) noexcept;

}  // namespace corvane
