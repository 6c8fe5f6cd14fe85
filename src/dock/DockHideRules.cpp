#include "dock/DockHideRules.h"

#include <algorithm>
#include <array>

namespace corvane {
namespace {

constexpr std::array<std::wstring_view, 5> kSystemSurfaceExes = {
    L"startmenuexperiencehost.exe", L"searchhost.exe", L"searchapp.exe", L"shellhost.exe",
    L"shellexperiencehost.exe"};
constexpr std::array<std::wstring_view, 4> kSystemSurfaceClasses = {
    L"Shell_TrayWnd", L"NotifyIconOverflowWindow", L"XamlExplorerHostIslandWindow",
    L"TopLevelWindowForOverflowXamlIsland"};

template <std::size_t N>
bool IsOneOf(std::wstring_view text, const std::array<std::wstring_view, N>& list) noexcept {
    return std::find(list.begin(), list.end(), text) != list.end();
}

bool Intersect(const PixelRect& a, const PixelRect& b) noexcept {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

}  // namespace

bool IsSystemSurface(std::wstring_view exeNameLower, std::wstring_view className) noexcept {
    return IsOneOf(exeNameLower, kSystemSurfaceExes) || IsOneOf(className, kSystemSurfaceClasses);
}

DockVisibility DecideDockVisibility(const DockForeground& front, const PixelRect& dock) noexcept {
    if (!front.exists || !front.visible || front.minimized || front.desktop) {
        return DockVisibility::Show;
    }
    if (front.ownProcess && !front.settingsWindow) {
        return DockVisibility::Keep;
    }
    return Intersect(front.frame, dock) ? DockVisibility::Hide : DockVisibility::Show;
}

}  // namespace corvane
