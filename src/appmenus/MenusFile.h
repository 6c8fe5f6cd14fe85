#pragma once
// menus.txt next to the executable: created with the built-in default of
// the UI language when missing, then parsed into TheMenuProfiles().

#include <string>
#include <string_view>

namespace corvane {

[[nodiscard]] std::wstring MenusFilePath();

// Rebuilds TheMenuProfiles() from menus.txt next to the executable, in the
// language of the language flag. Called at start-up and on every reload;
// the caller resolves the foreground application's menus afresh afterwards.
void LoadAppMenus();

// The same for a given file and language.
void LoadAppMenus(const std::wstring& path, bool norwegian);

enum class MenusFileWrite {
    CreateNew,        // leaves a file that appeared meanwhile alone
    ReplaceExisting,  // overwrites an untouched default
};

// Writes the byte-order mark and the text as UTF-8 with CR LF line ends.
// Failure is silent: the default text is parsed in any case.
void WriteDefaultMenusFile(const std::wstring& path, std::wstring_view text, MenusFileWrite mode);

}  // namespace corvane
