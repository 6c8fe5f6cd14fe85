#pragma once
// Other programs' windows as the GUI thread touches them. A call that the
// system carries out on the owning thread waits for that thread, and a
// program that stopped answering would stop every surface with it; nothing
// here waits longer than a short bound.

#include <windows.h>

#include <cstddef>
#include <string>

namespace corvane {

// The longest the GUI thread waits for another program's answer.
inline constexpr UINT kForeignReplyLimitMs = 150;

// The title the system keeps for the window, cut to `maxChars`. Unlike
// GetWindowTextW it never sends WM_GETTEXT, which a hung program never
// answers.
[[nodiscard]] std::wstring ForeignWindowTitle(HWND window, std::size_t maxChars);

// Whether the window's thread takes a message within the limit; false for a
// hung program and for a window that is gone.
[[nodiscard]] bool AnswersSoon(HWND window, UINT limitMs = kForeignReplyLimitMs) noexcept;

// Restores the window when minimised and asks for it in front. The restore is
// queued for its thread; the foreground change does not wait for it either.
void BringForeignToFront(HWND window) noexcept;

}  // namespace corvane
