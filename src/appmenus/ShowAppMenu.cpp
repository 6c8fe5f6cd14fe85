#include "appmenus/ShowAppMenu.h"

#include "base/Win32Handles.h"
#include "appmenus/MenuPopupPlan.h"
#include "appmenus/MenuSliding.h"
#include "appmenus/NativeMenus.h"
#include "appmenus/KeyStrokes.h"
#include "identity/AppLaunch.h"
#include "identity/ElevatedWindows.h"
#include "toolkit/SendKeyStrokes.h"

#include <shellapi.h>

#include <utility>

namespace corvane {
namespace {

// A hung application must not hold up the drop-down for long.
constexpr UINT kInitMenuTimeoutMs = 150;
// Keys typed before the application is in front would go elsewhere; a
// slow one gets them anyway after this wait.
constexpr int kForegroundPolls = 20;
constexpr DWORD kForegroundPollMs = 10;
constexpr DWORD kSettleMs = 30;
// Applications that read the keyboard state need each chord to end first.
constexpr DWORD kBetweenChordsMs = 40;

// What the message-filter hook needs while one drop-down is open. Only the
// UI thread shows drop-downs, and only one at a time.
struct MenuTrackingState {
    const MenuTitleHitTest* hitTest = nullptr;
    int32_t currentIndex = -1;
    int32_t requestedIndex = -1;
    int32_t menuCount = 0;
    bool hasSubmenus = false;
    ScreenPoint lastPointer;
};

MenuTrackingState g_tracking;

void RequestMenu(int32_t index) noexcept {
    if (index < 0) {
        return;
    }
    g_tracking.requestedIndex = index;
    ::EndMenu();
}

int32_t HitTitle(POINT pt) noexcept {
    try {
        return (*g_tracking.hitTest)(pt);
    } catch (...) {
        return -1;
    }
}

LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU && g_tracking.hitTest != nullptr && lParam != 0) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (msg.message == WM_MOUSEMOVE) {
            const ScreenPoint reported{msg.pt.x, msg.pt.y};
            const ScreenPoint last = std::exchange(g_tracking.lastPointer, reported);
            RequestMenu(
                PointerMoveRequest(last, reported, HitTitle(msg.pt), g_tracking.currentIndex));
        } else if (msg.message == WM_KEYDOWN && (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT)) {
            const SlideKey key = msg.wParam == VK_LEFT ? SlideKey::Left : SlideKey::Right;
            RequestMenu(SlideRequest(key, g_tracking.currentIndex, g_tracking.menuCount,
                                     g_tracking.hasSubmenus));
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Clears the tracking state however the drop-down ends.
class TrackingScope {
public:
    TrackingScope(const MenuTitleHitTest& hitTest, int32_t index, int32_t count, bool submenus) {
        // Where the pointer rests as the drop-down opens: the move report
        // its appearance may bring is no move.
        POINT pointer = {};
        (void)::GetCursorPos(&pointer);
        g_tracking = {&hitTest, index, -1, count, submenus, {pointer.x, pointer.y}};
        hook_.Reset(
            ::SetWindowsHookExW(WH_MSGFILTER, &MenuFilterProc, nullptr, ::GetCurrentThreadId()));
    }
    ~TrackingScope() { Finish(); }
    TrackingScope(const TrackingScope&) = delete;
    TrackingScope& operator=(const TrackingScope&) = delete;

    // The hook goes first, so that nothing reads a state being cleared.
    int32_t Finish() noexcept {
        hook_.Reset();
        const int32_t requested = g_tracking.requestedIndex;
        g_tracking = {};
        return requested;
    }

private:
    UniqueWindowsHook hook_;
};

void SendMessageBriefly(HWND target, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    DWORD_PTR result = 0;
    (void)::SendMessageTimeoutW(target, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                kInitMenuTimeoutMs, &result);
}

std::vector<AppMenuItem> EntriesOf(const AppMenu& menu, HWND target) {
    if (menu.nativeSubmenu == nullptr || target == nullptr || !::IsWindow(target)) {
        return menu.items;
    }
    const HMENU submenu = static_cast<HMENU>(menu.nativeSubmenu);
    SendMessageBriefly(target, WM_INITMENU, reinterpret_cast<WPARAM>(::GetMenu(target)), 0);
    SendMessageBriefly(target, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu),
                       static_cast<LPARAM>(menu.nativePosition));
    return ReadNativeSubmenu(submenu, target, 0);
}

void WaitForForeground(HWND target) noexcept {
    for (int i = 0; i < kForegroundPolls && ::GetForegroundWindow() != target; ++i) {
        ::Sleep(kForegroundPollMs);
    }
    ::Sleep(kSettleMs);
}

}  // namespace

void CarryOutMenuItem(const AppMenuItem& item, HWND target, Worker& worker) {
    if (!item.runTarget.empty()) {
        LaunchInBackground(worker, item.runTarget, L"open");
        return;
    }
    if (target == nullptr || !::IsWindow(target)) {
        return;
    }
    ::SetForegroundWindow(target);
    if (item.commandId != 0) {
        (void)::PostMessageW(target, WM_COMMAND, item.commandId & 0xFFFF, 0);
        return;
    }
    if (item.chords.empty()) {
        return;
    }
    WaitForForeground(target);
    bool first = true;
    for (const KeyChord& chord : item.chords) {
        if (!first) {
            ::Sleep(kBetweenChordsMs);
        }
        first = false;
        (void)SendKeyStrokes(ChordKeyStrokes(chord));
    }
}

int32_t ShowAppMenu(const std::vector<AppMenu>& menus, int32_t index, POINT point, HWND owner,
                    HWND target, const MenuTitleHitTest& hitTest, Worker& worker,
                    bool fromKeyboard) {
    if (index < 0 || static_cast<std::size_t>(index) >= menus.size()) {
        return -1;
    }
    const std::vector<AppMenuItem> entries =
        EntriesOf(menus[static_cast<std::size_t>(index)], target);
    const PopupPlan plan = PlanMenuPopup(entries, IsWindowBeyondReach(target));
    const UniqueMenu popup(BuildMenuPopup(plan));
    if (!popup) {
        return -1;
    }

    int command = 0;
    int32_t requested = -1;
    {
        TrackingScope tracking(hitTest, index, static_cast<int32_t>(menus.size()),
                               plan.hasSubmenus);
        ::SetForegroundWindow(owner);
        if (fromKeyboard) {
            // The menu's own loop reads the thread's keys, as a menu bar's
            // drop-down opened by a key shows its first entry selected.
            ::PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
        }
        command = static_cast<int>(::TrackPopupMenuEx(popup.Get(), TPM_RETURNCMD | TPM_NONOTIFY,
                                                      point.x, point.y, owner, nullptr));
        ::PostMessageW(owner, WM_NULL, 0, 0);
        requested = tracking.Finish();
    }

    const AppMenuItem* chosen = ChosenEntry(plan, command);
    if (chosen == nullptr) {
        if (requested >= 0) {
            return requested;
        }
        if (!fromKeyboard && target != nullptr && ::IsWindow(target)) {
            ::SetForegroundWindow(target);
        }
        return -1;
    }
    // The plan points into `entries`, which lives to the end of this call.
    CarryOutMenuItem(*chosen, target, worker);
    return -1;
}

}  // namespace corvane
