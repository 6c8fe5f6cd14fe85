#pragma once
// A pop-up menu runs its modal loop on the stack of the surface that shows
// it, and that loop hands out every message of the GUI thread: a rebuild
// started from one would free the surface under its own call. Rebuilds
// therefore wait for the last open menu of the thread, whichever surface
// shows it, and run once it closes. GUI thread only.

namespace corvane {

// Held by a surface for as long as its menu, and whatever it does with the
// choice, may run a message loop.
class PopupMenuScope {
public:
    PopupMenuScope() noexcept;
    // The last scope to close calls what waited for it.
    ~PopupMenuScope();
    PopupMenuScope(const PopupMenuScope&) = delete;
    PopupMenuScope& operator=(const PopupMenuScope&) = delete;
};

[[nodiscard]] bool AnyPopupMenuOpen() noexcept;

// False while no menu is open: the caller goes ahead now. Otherwise `then`
// is kept, once however often it is asked for, and called when the last
// menu closes. That call comes from inside the closing surface's code, so
// `then` may only post the work, never do it.
[[nodiscard]] bool WaitForPopupMenus(void (*then)()) noexcept;

}  // namespace corvane
