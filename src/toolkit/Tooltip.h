#pragma once
// A surface's tooltip: one system tooltip window over its owner, with one
// tool for the whole owner.

#include "base/Geometry.h"
#include "base/Win32Handles.h"

#include <windows.h>

#include <string>

namespace corvane {

class Tooltip {
public:
    // Where the tip shows: near the pointer while it rests in the tool's
    // area (the system follows the owner's mouse messages), or where the
    // owner places it.
    enum class Placement { NearPointer, Placed };

    // Without a window (the system could not make one) every call does nothing.
    void Create(HWND owner, HINSTANCE instance, Placement placement) noexcept;
    void Destroy() noexcept { window_.Reset(); }
    [[nodiscard]] bool Exists() const noexcept { return static_cast<bool>(window_); }

    // The text last sent; empty once hidden.
    [[nodiscard]] const std::wstring& Text() const noexcept { return text_; }
    void SetText(std::wstring text) noexcept;

    // NearPointer: the area in the owner's client pixels, and the tip allowed to show there.
    void SetArea(const PixelRect& area) noexcept;
    void Show() noexcept;
    // Placed: the tip shown with the middle of its bottom edge at a screen point.
    void ShowAbove(int32_t centreX, int32_t bottom) noexcept;
    void Hide() noexcept;

private:
    UniqueWindow window_;
    HWND owner_ = nullptr;
    Placement placement_ = Placement::NearPointer;
    std::wstring text_;
};

}  // namespace corvane
