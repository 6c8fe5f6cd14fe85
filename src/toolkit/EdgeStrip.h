#pragma once
// An invisible strip along a display edge that brings a hidden surface back
// when the pointer touches it (the bar's top strip, the dock's bottom one).

#include "base/WindowBase.h"

#include <windows.h>

#include <functional>

namespace corvane {

class EdgeStrip final : public WindowBase {
public:
    explicit EdgeStrip(std::function<void()> touched) noexcept : touched_(std::move(touched)) {}

    // `className` is registered by the owner (RegisterWindowClass). Created
    // hidden and never activated.
    [[nodiscard]] bool Create(HINSTANCE instance, const wchar_t* className) noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void()> touched_;
};

}  // namespace corvane
