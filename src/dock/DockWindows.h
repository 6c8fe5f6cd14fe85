#pragma once
// The dock's window classes and its reveal strip: an invisible band along the
// bottom of the display that brings a hidden dock back when the pointer
// touches it.

#include "base/WindowBase.h"

#include <windows.h>

namespace corvane {

class Dock;

class DockEdgeWindow final : public WindowBase {
public:
    explicit DockEdgeWindow(Dock& dock) noexcept : dock_(dock) {}
    [[nodiscard]] bool Create(HINSTANCE instance) noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Dock& dock_;
};

// Registers "CorvaneDock" and "CorvaneDockEdge" once per process; false when
// either cannot be.
[[nodiscard]] bool RegisterDockClasses(HINSTANCE instance) noexcept;

}  // namespace corvane
