#pragma once
// The two global shortcuts that give the keyboard to the top bar's menus and
// to the dock, owned by the control window.

namespace corvane {

struct App;

// Registers the shortcuts the settings ask for, in place of those before; a
// chord another program holds, or that a keyboard layout types with, stays
// unavailable, as the tiling shortcuts do.
void ApplyFocusHotkeys(App& app) noexcept;
void RemoveFocusHotkeys(App& app) noexcept;
// WM_HOTKEY with one of their ids; false for any other id.
bool OnFocusHotkey(App& app, int id) noexcept;

}  // namespace corvane
