#pragma once
// Starting things through the shell without the GUI thread waiting for it:
// a target on a network share that times out, an elevation prompt the user
// has not answered, a shell extension that hangs. The shell call runs on
// the shared worker; nothing comes back, as a failed launch is not reported.

#include "base/Worker.h"

#include <string>

namespace corvane {

// `verb` empty for the default one ("open", "runas", ...).
void LaunchInBackground(Worker& worker, std::wstring target, std::wstring verb = {},
                        std::wstring parameters = {}) noexcept;

// Opens a shell item by its parsing name as Explorer would on a
// double-click: the Recycle Bin and other items that have no plain path.
void OpenItemInBackground(Worker& worker, std::wstring parsingName) noexcept;

// Opens the folder of `path` with the file selected.
void ShowInFolderInBackground(Worker& worker, std::wstring path) noexcept;

}  // namespace corvane
