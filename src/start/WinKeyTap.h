#pragma once
// When a Windows key released on its own opens a start surface: a person's
// key (not injected), pressed and released with no other key between, while
// the hook is active. Auto-repeat keeps the tap; any other key spoils it, so
// Win+E and other shortcuts pass untouched. Portable state machine.

#include <cstdint>

namespace corvane {

inline constexpr uint32_t kVkLeftWin = 0x5B;
inline constexpr uint32_t kVkRightWin = 0x5C;
// Unassigned: typed between the Windows key's down and up so that Windows
// does not open its own Start.
inline constexpr uint32_t kVkMaskKey = 0xE8;

struct KeyEvent {
    uint32_t vk = 0;
    bool down = false;
    bool injected = false;
};

class WinKeyTap {
public:
    enum class Decision { Pass, OpenSurface };

    // Every event is remembered. OpenSurface: the caller types the mask key
    // and this key's release and, when all of it went out, swallows this
    // event and asks for the surface; otherwise it passes the event on.
    [[nodiscard]] Decision OnKey(const KeyEvent& key, bool hookActive) noexcept;

private:
    uint32_t lastKey_ = 0;
    bool lastWasDown_ = false;
    bool otherKeyPressed_ = false;
};

}  // namespace corvane
