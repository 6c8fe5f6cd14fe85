#pragma once
// Texts of launch targets and executable paths: how windows and pinned
// entries of one application come to share a key.

#include <string>
#include <string_view>

namespace corvane {

// Windows' Settings app, as Start starts it.
inline constexpr wchar_t kSettingsAppTarget[] =
    L"shell:AppsFolder\\windows.immersivecontrolpanel_cw5n1h2txyewy!"
    L"microsoft.windows.immersivecontrolpanel";

// "/" becomes "\" and every character is lower-cased with LowerChar, so that
// two spellings of one path compare equal.
[[nodiscard]] std::wstring NormalizePathKey(std::wstring_view path);

// ToLower under the name the identity rules use.
[[nodiscard]] std::wstring LowerCased(std::wstring_view text);

// True for "shell:AppsFolder\..." in any case. The backslash is part of the
// test: "shell:AppsFolder" alone names the folder, not an application.
[[nodiscard]] bool IsAppsFolderTarget(std::wstring_view target);

// True for a path ending in ".lnk" in any case: a shortcut, which starts a
// program with its own arguments.
[[nodiscard]] bool IsShortcutPath(std::wstring_view target);

// The text after the last "\" or "/", or the whole text.
[[nodiscard]] std::wstring LastPathComponent(std::wstring_view target);

// What to call a target the shell cannot name: the program or shortcut
// file's name without its extension, or a packaged app's name from its
// identity ("Microsoft.WindowsCalculator_8wek…!App" is "Windows
// Calculator"), or "Settings" for Windows' Settings app, whose identity
// reads as nothing a person knows; never the raw parsing name.
[[nodiscard]] std::wstring ReadablePinName(std::wstring_view target);

// The shell's name of a target, or ReadablePinName when the shell gave
// none or only repeated the target (its parsing name, its file name).
[[nodiscard]] std::wstring ShownTargetName(std::wstring_view shellName, std::wstring_view target);

// Steam's embedded browser (…\bin\cef\…\steamwebhelper.exe) stands for
// Steam itself: its windows should group with steam.exe in the Steam folder.
// Any other path comes back unchanged.
[[nodiscard]] std::wstring ApplySteamRule(std::wstring_view exePath);

// An App Paths default value may be quoted; only the text inside the first
// pair of quotes is the path then.
[[nodiscard]] std::wstring UnquoteAppPathValue(std::wstring_view value);

}  // namespace corvane
