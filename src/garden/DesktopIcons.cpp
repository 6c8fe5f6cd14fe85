#include "garden/DesktopIcons.h"

#include "config/RestoreMarks.h"

#include <shlobj.h>

#include <atomic>

namespace corvane {
namespace {

// Read by the crash filter, which may run on any thread.
std::atomic<bool> g_hiddenByUs{false};

constexpr wchar_t kDefView[] = L"SHELLDLL_DefView";

// Explorer keeps the icon view in Progman, or after the wallpaper has been
// animated once, in one of the WorkerW windows.
HWND DesktopHost() noexcept {
    HWND progman = ::FindWindowW(L"Progman", nullptr);
    if (progman != nullptr && ::FindWindowExW(progman, nullptr, kDefView, nullptr) != nullptr) {
        return progman;
    }
    for (HWND worker = ::FindWindowExW(nullptr, nullptr, L"WorkerW", nullptr); worker != nullptr;
         worker = ::FindWindowExW(nullptr, worker, L"WorkerW", nullptr)) {
        if (::FindWindowExW(worker, nullptr, kDefView, nullptr) != nullptr) {
            return worker;
        }
    }
    return progman;
}

// The next window in `direction` (GW_HWNDPREV is upwards) that is not a bed.
HWND NextNonBed(HWND window, UINT direction, IsBedWindow isBed) noexcept {
    HWND next = ::GetWindow(window, direction);
    while (next != nullptr && isBed(next)) {
        next = ::GetWindow(next, direction);
    }
    return next;
}

}  // namespace

HWND DesktopIconList() noexcept {
    HWND host = DesktopHost();
    HWND view = host != nullptr ? ::FindWindowExW(host, nullptr, kDefView, nullptr) : nullptr;
    return view != nullptr ? ::FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
}

void SetDesktopIconsVisible(bool show) noexcept {
    // Marked when first hidden (the beds hide them again and again), and
    // unmarked on every showing, which also clears what a killed run left.
    if (!g_hiddenByUs.exchange(!show) && !show) {
        (void)WriteRestoreMark(RestoreMark::DesktopIconsHidden, 1);
    }
    if (show) {
        (void)ClearRestoreMark(RestoreMark::DesktopIconsHidden);
        SHELLSTATE state = {};
        ::SHGetSetSettings(&state, SSF_HIDEICONS, FALSE);
        if (state.fHideIcons) {
            return;
        }
    }
    HWND list = DesktopIconList();
    // The list's own state: Explorer may hide its parents for a moment.
    // Queued for Explorer's thread: a busy Explorer must not stop the beds.
    if (list != nullptr && ((::GetWindowLongW(list, GWL_STYLE) & WS_VISIBLE) != 0) != show) {
        ::ShowWindowAsync(list, show ? SW_SHOWNA : SW_HIDE);
    }
}

HWND DesktopLayerAnchor(IsBedWindow isBed) noexcept {
    HWND host = DesktopHost();
    if (host == nullptr) {
        return HWND_BOTTOM;
    }
    HWND anchor = NextNonBed(host, GW_HWNDPREV, isBed);
    return anchor != nullptr ? anchor : HWND_TOP;
}

void PlaceInDesktopLayer(HWND bed, IsBedWindow isBed) noexcept {
    HWND host = DesktopHost();
    HWND anchor = DesktopLayerAnchor(isBed);
    const HWND below = NextNonBed(bed, GW_HWNDNEXT, isBed);
    const HWND above = NextNonBed(bed, GW_HWNDPREV, isBed);
    const bool inPlace = host == nullptr
                             ? below == nullptr
                             : below == host && above == (anchor == HWND_TOP ? nullptr : anchor);
    if (!inPlace) {
        ::SetWindowPos(bed, anchor, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void ShowDesktopIconsAfterCrash() noexcept {
    if (g_hiddenByUs.exchange(false)) {
        SetDesktopIconsVisible(true);
    }
}

}  // namespace corvane
