#include "tiling/TileWindowFacts.h"

#include "base/ImagePaths.h"
#include "base/Win32Geometry.h"
#include "identity/ElevatedWindows.h"
#include "identity/ForegroundRules.h"
#include "identity/WindowFacts.h"

#include <dwmapi.h>

namespace corvane {
namespace {

static_assert(kStyleSizeFrame == static_cast<uint32_t>(WS_SIZEBOX));
static_assert(kExStyleTopmost == static_cast<uint32_t>(WS_EX_TOPMOST));
static_assert(kExStyleToolWindow == static_cast<uint32_t>(WS_EX_TOOLWINDOW));
static_assert(kExStyleAppWindow == static_cast<uint32_t>(WS_EX_APPWINDOW));
static_assert(kExStyleNoActivate == static_cast<uint32_t>(WS_EX_NOACTIVATE));

// Longer class names are none of the excluded ones anyway.
constexpr int kClassChars = 96;
// Only whether there is a title matters; a bounded read is enough.
constexpr int kTitleChars = 256;

DWORD ProcessIdOf(HWND window) noexcept {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::wstring TextOf(const wchar_t* buffer, int length) {
    return std::wstring(buffer, length > 0 ? static_cast<std::size_t>(length) : 0u);
}

}  // namespace

TileWindowFacts ReadTileWindowFacts(HWND window) noexcept {
    TileWindowFacts facts;
    try {
        facts.exists = ::IsWindow(window) != FALSE;
        facts.visible = facts.exists && ::IsWindowVisible(window) != FALSE;
        facts.minimized = facts.exists && ::IsIconic(window) != FALSE;
        if (!facts.visible || facts.minimized) {
            return facts;
        }
        facts.maximized = ::IsZoomed(window) != FALSE;
        facts.cloaked = IsWindowCloaked(window);
        facts.ownProcess = ProcessIdOf(window) == ::GetCurrentProcessId();
        facts.beyondReach = IsWindowBeyondReach(window);
        facts.hasOwner = ::GetWindow(window, GW_OWNER) != nullptr;
        facts.style = static_cast<uint32_t>(::GetWindowLongW(window, GWL_STYLE));
        facts.exStyle = static_cast<uint32_t>(::GetWindowLongW(window, GWL_EXSTYLE));
        // Unlike GetWindowTextW, this never sends WM_GETTEXT to the window.
        wchar_t title[kTitleChars] = {};
        facts.title = TextOf(title, ::InternalGetWindowText(window, title, kTitleChars));
        facts.className = WindowClassName(window, kClassChars - 1);
        RECT rect = {};
        if (::GetWindowRect(window, &rect)) {
            facts.windowRect = ToPixelRect(rect);
        }
        facts.monitorRect = MonitorRect(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    } catch (...) {
        // Out of memory for a title: the window is left out of this pass.
        facts.exists = false;
    }
    return facts;
}

std::wstring ExeNameOfWindow(HWND window) noexcept {
    try {
        const std::wstring path = ProcessImagePath(ProcessIdOf(window));
        return path.empty() ? std::wstring() : ExecutableNameOf(path);
    } catch (...) {
        return {};
    }
}

}  // namespace corvane
