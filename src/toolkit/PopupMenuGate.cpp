#include "toolkit/PopupMenuGate.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace corvane {
namespace {

int g_openMenus = 0;
std::vector<void (*)()> g_waiting;

}  // namespace

PopupMenuScope::PopupMenuScope() noexcept {
    ++g_openMenus;
}

PopupMenuScope::~PopupMenuScope() {
    if (--g_openMenus > 0) {
        return;
    }
    // Taken first: what runs may open a menu and wait again.
    for (void (*then)() : std::exchange(g_waiting, {})) {
        then();
    }
}

bool AnyPopupMenuOpen() noexcept {
    return g_openMenus > 0;
}

bool WaitForPopupMenus(void (*then)()) noexcept {
    if (g_openMenus == 0) {
        return false;
    }
    if (std::ranges::find(g_waiting, then) == g_waiting.end()) {
        try {
            g_waiting.push_back(then);
        } catch (...) {
            // Out of memory: the work is dropped rather than done under the
            // menu; the next change asks for it again.
        }
    }
    return true;
}

}  // namespace corvane
