#pragma once
// The process: start-up in a fixed order, the message loop, shutdown in the
// reverse order, and the process-wide work the control window hands out.

#include <windows.h>

namespace corvane {

// The whole life of the process; returns its exit code.
int RunCorvane(HINSTANCE instance) noexcept;

// Rebuilds everything that depends on corvane.ini, in place.
void ReloadSettings();

void OnAudioDeviceChanged();
void OnDisplaysChanged();
void OnThemeChanged();
void OnToggleStartMenu();
void OnIconReady(LPARAM result);
void OnTraySweep();
void OnStatusPoll();
void OnStatusDebounce();
void OnFullscreenCheck();
void OnTilingRetile();
void OnTilingHotkey(int id);
// Battery level or power source changed (a bar was told).
void OnPowerStatusChanged();

}  // namespace corvane
