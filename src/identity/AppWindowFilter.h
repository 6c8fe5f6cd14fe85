#pragma once
// Which top-level windows count as application windows: the decision over
// plain facts about a window, asked for one at a time so that a window
// excluded early costs no further system calls.

#include <cstdint>
#include <string>

namespace corvane {

// Extended window styles the filter looks at (the values of WS_EX_*).
inline constexpr uint32_t kExStyleToolWindow = 0x00000080;
inline constexpr uint32_t kExStyleAppWindow = 0x00040000;
inline constexpr uint32_t kExStyleNoActivate = 0x08000000;

// Facts about one window; each is asked for at most once per decision.
class AppWindowProbe {
public:
    virtual ~AppWindowProbe() = default;
    [[nodiscard]] virtual bool IsVisible() = 0;
    [[nodiscard]] virtual uint32_t ExtendedStyle() = 0;
    [[nodiscard]] virtual bool HasOwner() = 0;
    [[nodiscard]] virtual bool IsCloaked() = 0;
    // At most 64 characters.
    [[nodiscard]] virtual std::wstring ClassName() = 0;
    [[nodiscard]] virtual bool BelongsToThisProcess() = 0;
    // 0 for an untitled window; may stop counting at 1.
    [[nodiscard]] virtual int TitleLength() = 0;
};

// Visible; not a tool or no-activate window unless it asks for a taskbar
// button; unowned unless it asks for one; not cloaked; not the desktop or
// taskbar; not ours; titled. The facts are asked in that order and the first
// failing one decides.
[[nodiscard]] bool IsDockAppWindow(AppWindowProbe& probe);

}  // namespace corvane
