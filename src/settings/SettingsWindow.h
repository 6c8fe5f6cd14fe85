#pragma once
// The settings window, "CorvaneSettings": at most one, a sidebar of the nine
// pages and the scrolling rows of the current one, drawn like the bar. Every
// change is written to corvane.ini at once; the process re-applies the
// settings shortly after through the control window.

#include "base/WindowBase.h"
#include "config/Settings.h"
#include "settings/SettingsHost.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/HostServices.h"
#include "toolkit/Theme.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace corvane {

inline constexpr wchar_t kSettingsWindowClass[] = L"CorvaneSettings";

struct SettingsWindowContext {
    HINSTANCE instance = nullptr;
    Settings& settings;
    const Theme& theme;
    const GraphicsFactories& graphics;
    SettingsHost& host;
    // Its command window gets CMD_RELOAD_SETTINGS for a re-apply.
    const DesktopFacts& desktop;
};

class SettingsWindow {
public:
    explicit SettingsWindow(const SettingsWindowContext& context);
    ~SettingsWindow();
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;

    // Shows `page` scrolled to the top: creates the window the first time,
    // otherwise rebuilds it and brings it forward (restored if minimised).
    void Open(int32_t page);
    // Another part changed a setting the window shows.
    void Refresh();
    // The theme changed: the window's dark mode and colours follow.
    void ThemeChanged();
    [[nodiscard]] bool IsOpen() const noexcept;
    [[nodiscard]] HWND Hwnd() const noexcept;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace corvane
