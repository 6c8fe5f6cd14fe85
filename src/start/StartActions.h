#pragma once
// What either start surface does with an entry or a query: launch it, run it
// as administrator, show its file, hand a query to the file search; the
// right column's places, the power menu and the item context menu.

#include "identity/AppEntry.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct StartContext;

// "corvane:settings" opens the settings window.
inline constexpr wchar_t kCorvaneSettingsTarget[] = L"corvane:settings";

// The shell calls run on the context's worker: the surface never waits for
// a network target or an elevation prompt.
void LaunchEntry(const AppEntry& entry, bool asAdmin, const StartContext& context) noexcept;
void OpenFileLocation(const AppEntry& entry, const StartContext& context) noexcept;
void SearchFiles(std::wstring_view query, const StartContext& context) noexcept;

// The right column's table actions 0..7 (Documents … Corvane settings).
void OpenPlace(int action, const StartContext& context) noexcept;
// Tracks the power menu at (x, y) bottom-right aligned; the command or 0.
[[nodiscard]] int TrackPowerMenu(HWND owner, POINT at) noexcept;

// The item context menu. `pinnedInMenu` is asked only when `togglePin` is
// given (CorMenu's pinned list); the menu pins and unpins through it.
struct ItemMenuOptions {
    std::function<bool(const AppEntry&)> pinnedInMenu;
    std::function<void(const AppEntry&, bool pin)> togglePin;
    // Pin to dock.
    std::function<void(const AppEntry&)> pinToDock;
    // Where it opens on the screen (beside an item chosen by keyboard);
    // empty: at the cursor.
    std::optional<POINT> at;
};
// Shows it and carries out the command; true when something
// was opened (Open, Run as administrator, Open file location).
bool ShowItemMenu(HWND owner, const AppEntry& entry, const ItemMenuOptions& options,
                  const StartContext& context) noexcept;

}  // namespace corvane
