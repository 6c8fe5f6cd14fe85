#include "dock/TaskbarHider.h"

#include "base/Appbars.h"
#include "base/ForeignWindows.h"
#include "base/Win32Handles.h"
#include "config/RestoreMarks.h"

#include <atomic>
#include <iterator>
#include <utility>

namespace corvane {
namespace {

constexpr std::wstring_view kPrimaryTaskbarClass = L"Shell_TrayWnd";
constexpr std::wstring_view kSecondaryTaskbarClass = L"Shell_SecondaryTrayWnd";

// Whether shown taskbars are put away again. A restore clears it before it
// shows them: the crash filter runs on whichever thread crashed while the
// GUI thread may still deliver the show hook, which would hide them again.
std::atomic<bool> g_keepAway{false};

// The windows seen here belong to any process: a class name too long for
// the buffer cannot be a taskbar's, and a window already gone has no owner.
bool IsForeignTaskbar(HWND hwnd) noexcept {
    DWORD owner = 0;
    if (hwnd == nullptr || ::GetWindowThreadProcessId(hwnd, &owner) == 0 ||
        owner == ::GetCurrentProcessId()) {
        return false;
    }
    wchar_t name[32] = {};
    const int n = ::GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
    return n > 0 && IsTaskbarClass({name, static_cast<std::size_t>(n)});
}

// `Visit` takes each taskbar and answers whether to go on; it must not throw,
// since the system's enumeration is between it and the caller.
template <typename Visit>
BOOL CALLBACK VisitTaskbar(HWND hwnd, LPARAM data) noexcept {
    if (!IsForeignTaskbar(hwnd)) {
        return TRUE;
    }
    return (*reinterpret_cast<Visit*>(data))(hwnd) ? TRUE : FALSE;
}

template <typename Visit>
void ForEachTaskbar(Visit& visit) noexcept {
    ::EnumWindows(&VisitTaskbar<Visit>, reinterpret_cast<LPARAM>(&visit));
}

// The taskbars are Explorer's windows: whatever Explorer's thread must carry
// out is queued for it, and a region is changed only while that thread
// answers at once, since the system hands the change to it and waits. A
// region skipped is set again the next time the taskbar shows itself.
bool SetRegionIfAnswering(HWND taskbar, UniqueRegion region) noexcept {
    if (!AnswersSoon(taskbar) || ::SetWindowRgn(taskbar, region.Get(), FALSE) == 0) {
        return false;
    }
    // The window owns its region from here on.
    (void)region.Release();
    ::SetWindowPos(taskbar, nullptr, 0, 0, 0, 0,
                   SWP_ASYNCWINDOWPOS | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                       SWP_NOACTIVATE);
    return true;
}

// Explorer shows its taskbar again whenever it likes; with an empty region a
// shown taskbar still paints nothing and takes no clicks.
void PutAway(HWND taskbar) noexcept {
    ::ShowWindowAsync(taskbar, SW_HIDE);
    UniqueRegion empty(::CreateRectRgn(0, 0, 0, 0));
    if (empty) {
        (void)SetRegionIfAnswering(taskbar, std::move(empty));
    }
}

}  // namespace

void TaskbarHider::OnWinEvent(const WinEvent& event) noexcept {
    if (g_keepAway.load() && event.object == OBJID_WINDOW && IsForeignTaskbar(event.window)) {
        PutAway(event.window);
    }
}

bool IsTaskbarClass(std::wstring_view className) noexcept {
    return className == kPrimaryTaskbarClass || className == kSecondaryTaskbarClass;
}

std::vector<HWND> FindTaskbars() noexcept {
    std::vector<HWND> found;
    auto collect = [&found](HWND hwnd) noexcept {
        try {
            found.push_back(hwnd);
            return true;
        } catch (...) {
            return false;
        }
    };
    ForEachTaskbar(collect);
    return found;
}

void TaskbarHider::Hide(SystemEvents& events) noexcept {
    const std::vector<HWND> taskbars = FindTaskbars();
    if (taskbars.empty()) {
        // A watch on an Explorer that is gone holds nothing.
        showEvents_.Reset();
        return;
    }
    // Auto-hide gives maximised windows the taskbar's strip, which a hidden
    // taskbar would otherwise keep reserved. Switched only once remembered:
    // a change this program cannot undo would outlive it. The shell asks
    // Explorer's taskbar and waits for it, so only while it answers.
    APPBARDATA abd = AppbarData(taskbars.front());
    const bool answers = AnswersSoon(taskbars.front());
    const auto state = answers ? static_cast<UINT>(::SHAppBarMessage(ABM_GETSTATE, &abd)) : 0u;
    if (answers && (state & ABS_AUTOHIDE) == 0 && WriteRestoreMark(RestoreMark::Autohide, 1)) {
        abd.lParam = static_cast<LPARAM>(state | ABS_AUTOHIDE);
        ::SHAppBarMessage(ABM_SETSTATE, &abd);
    }
    // Explorer shows its taskbars again on its own (a display change, a
    // setting, the Windows key): all of them live in the first one's process.
    // Watched before they are hidden, so that no showing falls in between.
    DWORD explorer = 0;
    ::GetWindowThreadProcessId(taskbars.front(), &explorer);
    // What outlives a killed process tells its guard to show them again.
    (void)WriteRestoreMark(RestoreMark::TaskbarHidden, 1);
    g_keepAway.store(true);
    try {
        showEvents_ = events.Subscribe(
            {.first = EVENT_OBJECT_SHOW, .last = EVENT_OBJECT_SHOW, .process = explorer}, *this);
    } catch (...) {
        // Unwatched, the hide does not hold and is retried.
        showEvents_.Reset();
    }
    for (HWND taskbar : taskbars) {
        PutAway(taskbar);
    }
    hidden_ = true;
}

void TaskbarHider::Forget() noexcept {
    showEvents_.Reset();
    hidden_ = false;
}

void RestoreTaskbar() noexcept {
    g_keepAway.store(false);
    HWND first = nullptr;
    auto giveBack = [&first](HWND taskbar) noexcept {
        first = first != nullptr ? first : taskbar;
        (void)SetRegionIfAnswering(taskbar, UniqueRegion());
        ::ShowWindowAsync(taskbar, SW_SHOWNA);
        return true;
    };
    ForEachTaskbar(giveBack);
    (void)ClearRestoreMark(RestoreMark::TaskbarHidden);
    // The auto-hide mark stays while Explorer cannot take the switch back:
    // the next restore undoes it.
    if (first == nullptr || !AnswersSoon(first) ||
        ReadRestoreMark(RestoreMark::Autohide).value_or(0) == 0) {
        return;
    }
    APPBARDATA abd = AppbarData(first);
    const auto state = static_cast<UINT>(::SHAppBarMessage(ABM_GETSTATE, &abd));
    abd.lParam = static_cast<LPARAM>(state & ~static_cast<UINT>(ABS_AUTOHIDE));
    ::SHAppBarMessage(ABM_SETSTATE, &abd);
    (void)ClearRestoreMark(RestoreMark::Autohide);
}

}  // namespace corvane
