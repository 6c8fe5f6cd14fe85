#pragma once
// One entry of the app catalog: an installed app, a settings page, or a
// pinned identifier that the catalog does not know. The start surfaces open
// them; other subsystems look apps up among them by name or program file.

#include <string>

namespace corvane {

struct AppEntry {
    std::wstring name;
    // "shell:AppsFolder\..." for apps, a settings URI for settings pages.
    std::wstring target;
    std::wstring exePath;  // the program file, or empty
    // De-duplication, pin matching and the icon cache: the lower-cased
    // target for apps, the URI for settings pages.
    std::wstring key;
    std::wstring altName;  // settings pages: the name in the other language
    bool isSetting = false;
    bool hasExe = false;
};

}  // namespace corvane
