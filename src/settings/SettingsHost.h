#pragma once
// What the settings pages ask of the process: the changes that act at once,
// and what only Windows can tell (the displays, today's date, the memory in
// use). The root implements it; tests use a fake.

#include "config/ProfileStore.h"
#include "config/Settings.h"
#include "settings/SettingsRules.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    // --- acting at once
    virtual void ApplyCenterStart() = 0;     // [General] CenterStart changed
    virtual void ApplyTilingSettings() = 0;  // [Tiling] changed; repaints the bars too
    // [Bar] or [Dock] FocusKeys changed: the shortcuts are registered anew.
    virtual void ApplyFocusShortcuts() = 0;
    // What the bars show changed (the date format, the tiling button): they
    // are laid out again, not only drawn.
    virtual void RefreshBars() = 0;
    virtual void ApplyHotCorners() = 0;
    virtual void RefreshGardenGlass() = 0;  // [Garden] Glass or Tint changed
    virtual void NewBed() = 0;
    virtual void ResetGarden() = 0;
    // An empty name shows every hidden icon.
    virtual void UnhideTrayEntry(const std::wstring& exeName) = 0;
    virtual void ResetTrayOrder() = 0;
    // 1 CorMenu, 2 CorLauncher.
    virtual void ShowStartSurface(int32_t which) = 0;
    // Opens the file in Notepad.
    virtual void EditFile(const std::wstring& path) = 0;
    virtual std::wstring MenusFilePath() = 0;
    virtual void ShowLicense() = 0;
    // Ends the program the orderly way, exit code 0.
    virtual void Quit() = 0;
    // A write to corvane.ini failed (asked right after it, while the
    // system's last error still tells why).
    virtual void SettingsNotSaved() = 0;

    // --- what Windows knows
    [[nodiscard]] virtual bool StartsWithWindows() = 0;
    virtual void SetStartWithWindows(bool on) = 0;
    // Connected displays, numbered from left to right.
    [[nodiscard]] virtual std::vector<DisplaySize> Displays() = 0;
    // The first line of the tooltip of a hosted tray icon of that program, or
    // empty.
    [[nodiscard]] virtual std::wstring TrayTooltip(const std::wstring& exeName) = 0;
    // Today's date in the user's locale with this format picture.
    [[nodiscard]] virtual std::wstring FormatToday(const std::wstring& picture) = 0;
    [[nodiscard]] virtual double WorkingSetMb() = 0;
    [[nodiscard]] virtual std::wstring Version() = 0;
    // What a shortcut (RegisterHotKey modifiers, virtual key) types in one
    // of the user's keyboard layouts; empty when it types nothing.
    [[nodiscard]] virtual std::wstring TypedByShortcut(uint32_t modifiers, uint32_t key) = 0;
};

// Everything a page's rows reach: the settings in memory, corvane.ini for
// the writes, the process, and the window's re-apply request.
struct PageContext {
    Settings& settings;
    ProfileStore& file;
    SettingsHost& host;
    // Arms the 350 ms re-apply; called by setters that do not act at once.
    std::function<void()> reapply;
    // The language changed: the window retitles itself and rebuilds soon.
    std::function<void()> languageChanged;
    // Re-apply now (the Reload button).
    std::function<void()> reloadNow;
    // Rows and paint again (after an at-once change that alters other rows).
    std::function<void()> rebuild;
};

}  // namespace corvane
