#pragma once
// What the catalog keeps of the items the shell lists, and how it tells them
// apart: web links and uninstallers left out, program files found from
// parsing names, one entry per key, sorted by name. Portable: the shell's
// answers and the locale's comparison come in as plain values.

#include "identity/AppEntry.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

// The prefix of every catalog app's target.
inline constexpr std::wstring_view kAppsFolderPrefix = L"shell:AppsFolder\\";

// "https://…" and the like.
[[nodiscard]] bool IsWebLink(std::wstring_view parsingName) noexcept;

// "C:\…": the parsing name is already a path.
[[nodiscard]] bool IsDrivePath(std::wstring_view parsingName) noexcept;

// "{GUID}\rest" with the closing brace at index 37: the 38-character GUID
// and the rest (beginning with the separator).
[[nodiscard]] std::optional<std::pair<std::wstring_view, std::wstring_view>> SplitKnownFolderPrefix(
    std::wstring_view parsingName) noexcept;

// Lower-cased, ends in ".exe".
[[nodiscard]] bool IsExePath(std::wstring_view path) noexcept;

// By the display name or the program file's name.
[[nodiscard]] bool IsUninstaller(std::wstring_view name, std::wstring_view exePath) noexcept;

// An app entry: the key is the lower-cased target; `exePath` is kept only
// when it names an .exe.
[[nodiscard]] AppEntry MakeAppEntry(std::wstring name, std::wstring target, std::wstring exePath);

// < 0, 0, > 0 like CompareStringEx minus 2.
using NameCompare = std::function<int(std::wstring_view, std::wstring_view)>;

// Drops later entries whose key an earlier one has, and later ones that name
// the same program file under the same name (a shortcut in both the user's
// and the common Start menu), then sorts by name.
void FinishCatalog(std::vector<AppEntry>& entries, const NameCompare& compare);

// The catalog entry a stored pinned identifier names: the one with that key,
// else (a list stored when pins named program files) the first that runs
// that program file. Case-insensitive.
[[nodiscard]] const AppEntry* FindPinnedEntry(const std::vector<AppEntry>& catalog,
                                              std::wstring_view identifier);

}  // namespace corvane
