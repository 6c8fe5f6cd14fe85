#pragma once
// One thing the start surfaces can open: an installed app, a settings page,
// or a pinned identifier that the catalog does not know.

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
