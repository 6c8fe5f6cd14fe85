#include "appmenus/AppMenuResolver.h"

namespace corvane {

std::vector<AppMenu> ResolveMenus(const MenuProfileTable& table, std::wstring_view exeName,
                                  const std::function<std::vector<AppMenu>()>& readMenuBar) {
    if (const MenuProfile* profile = table.Find(exeName)) {
        return *profile;
    }
    if (readMenuBar) {
        std::vector<AppMenu> own = readMenuBar();
        if (!own.empty()) {
            return own;
        }
    }
    if (const MenuProfile* fallback = table.Find(L"*")) {
        return *fallback;
    }
    return {};
}

}  // namespace corvane
