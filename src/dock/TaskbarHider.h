#pragma once
// Explorer's taskbars put away while a dock stands in for them, kept away
// when Explorer shows them again, and always given back.

#include "toolkit/SystemEvents.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace corvane {

// "Shell_TrayWnd" on the main display, "Shell_SecondaryTrayWnd" elsewhere.
[[nodiscard]] bool IsTaskbarClass(std::wstring_view className) noexcept;

// Every taskbar window of another process, in z-order.
[[nodiscard]] std::vector<HWND> FindTaskbars() noexcept;

// The primary dock's hold on the taskbars.
class TaskbarHider final : private WinEventSink {
public:
    TaskbarHider() = default;
    TaskbarHider(const TaskbarHider&) = delete;
    TaskbarHider& operator=(const TaskbarHider&) = delete;
    // Leaves the taskbars as they are: the owner decides whether to restore.
    ~TaskbarHider() = default;

    // Switches auto-hide on, hides every taskbar with an empty region, and
    // hides any that shows itself again; both are left as restore marks.
    // Nothing happens when there is no taskbar.
    void Hide(SystemEvents& events) noexcept;
    // Drops the watch and the mark without showing anything.
    void Forget() noexcept;
    // Some taskbar was put away: it is owed back.
    [[nodiscard]] bool HidTaskbar() const noexcept { return hidden_; }
    // Put away, and watched so that it stays away.
    [[nodiscard]] bool Holds() const noexcept { return hidden_ && showEvents_.Active(); }

private:
    // A taskbar shown again.
    void OnWinEvent(const WinEvent& event) noexcept override;

    EventSubscription showEvents_;
    bool hidden_ = false;
};

// Shows every taskbar again and undoes the auto-hide switch this program
// made. Safe from the crash filter: allocates nothing on the heap it does
// not need, takes no locks of its own, and waits on Explorer at most a short
// bound per taskbar (a hung Explorer gets its region back when it restarts).
void RestoreTaskbar() noexcept;

}  // namespace corvane
