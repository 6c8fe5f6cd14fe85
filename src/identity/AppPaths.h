#pragma once
// Launch targets as the user sees them: where an executable named only by
// its file name is installed, and what a target is called.

#include <string>

namespace corvane {

// The registered App Paths location of an executable file name such as
// "chrome.exe" (the user's registration first, then the machine's), when
// that file exists; empty otherwise.
[[nodiscard]] std::wstring ResolveAppPath(const std::wstring& fileName) noexcept;

// What the shell calls a parsing name; empty when it does not know it.
[[nodiscard]] std::wstring ShellDisplayName(const std::wstring& target);

// The shell's name of the target; for a file path (hasPathKey) that is not
// an AppsFolder target, the executable's file description wins when it has
// one; a readable name from the target itself when nothing else is known.
[[nodiscard]] std::wstring ResolveDisplayName(const std::wstring& target, bool hasPathKey) noexcept;

}  // namespace corvane
