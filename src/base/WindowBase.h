#pragma once
// Every window object is bound to its window on WM_NCCREATE through the
// creation parameter and GWLP_USERDATA, and gets every message from then on.
// Before that, and after WM_NCDESTROY, the default procedure answers.
// No exception ever leaves a window procedure.

#include <windows.h>

namespace corvane {

// Registers a class whose windows are WindowBase objects; true when it exists
// afterwards (registered now or before). `cursor` null: no class cursor.
[[nodiscard]] bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, UINT style,
                                       const wchar_t* cursor) noexcept;

class WindowBase {
public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    [[nodiscard]] HWND Hwnd() const noexcept { return hwnd_; }

protected:
    // Creates the window with this object as its owner.
    HWND CreateBound(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                     int x, int y, int width, int height, HWND parent, HINSTANCE instance) noexcept;
    void DestroyBound() noexcept;

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

public:
    // The window procedure every class of such windows registers.
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept;

private:
    HWND hwnd_ = nullptr;
};

}  // namespace corvane
