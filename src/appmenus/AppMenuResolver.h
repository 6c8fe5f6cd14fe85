#pragma once
// Which menus the bar shows for an application.

#include "appmenus/AppMenu.h"
#include "appmenus/MenuProfileTable.h"

#include <functional>
#include <string_view>
#include <vector>

namespace corvane {

// First match wins: the profile of the executable (a lower-case file name),
// then the application's own menu bar (read only when there is no profile),
// then the "*" profile; else nothing. Profiles are copied out.
[[nodiscard]] std::vector<AppMenu> ResolveMenus(
    const MenuProfileTable& table, std::wstring_view exeName,
    const std::function<std::vector<AppMenu>()>& readMenuBar);

}  // namespace corvane
