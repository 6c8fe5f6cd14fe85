#include "start/WinKeyTap.h"

namespace corvane {

WinKeyTap::Decision WinKeyTap::OnKey(const KeyEvent& key, bool hookActive) noexcept {
    const bool winKey = key.vk == kVkLeftWin || key.vk == kVkRightWin;
    if (!winKey) {
        // The mask key is our own; anything else pressed while a Windows key
        // is held makes it a shortcut, not a tap.
        if (key.down && key.vk != kVkMaskKey) {
            otherKeyPressed_ = true;
            lastKey_ = key.vk;
            lastWasDown_ = true;
        }
        return Decision::Pass;
    }
    // What we typed ourselves (the Windows key's release after the mask key)
    // must not count as a person's key.
    if (key.injected) {
        return Decision::Pass;
    }
    Decision decision = Decision::Pass;
    if (key.down) {
        const bool autoRepeat = lastKey_ == key.vk && lastWasDown_;
        if (!autoRepeat) {
            otherKeyPressed_ = false;
        }
    } else if (lastKey_ == key.vk && lastWasDown_ && !otherKeyPressed_ && hookActive) {
        decision = Decision::OpenSurface;
    }
    lastKey_ = key.vk;
    lastWasDown_ = key.down;
    return decision;
}

}  // namespace corvane
