#pragma once
// A message for the user in a box of its own thread: the box's modal loop
// would otherwise run the program's windows inside it, and neither the bars
// nor a worker wait for the user to close it.

#include <windows.h>

#include <string>

namespace corvane {

// `type` is MessageBoxW's icon (MB_ICONINFORMATION, MB_ICONERROR, ...).
// Nothing is shown when no thread can be started.
void ShowNotice(std::wstring text, UINT type) noexcept;

// The system's text for an error code, in the user's language, with the code.
[[nodiscard]] std::wstring SystemMessage(DWORD error);

}  // namespace corvane
