#include "toolkit/KeyboardFocus.h"

#include "toolkit/ShortcutTyping.h"

namespace corvane {
namespace {

// The system's virtual-key codes of the keys read here.
constexpr uint32_t kVkReturn = 0x0D;
constexpr uint32_t kVkEscape = 0x1B;
constexpr uint32_t kVkEnd = 0x23;
constexpr uint32_t kVkHome = 0x24;
constexpr uint32_t kVkLeft = 0x25;
constexpr uint32_t kVkRight = 0x27;
constexpr uint32_t kVkDown = 0x28;
constexpr uint32_t kVkApps = 0x5D;
constexpr uint32_t kVkF10 = 0x79;
// RegisterHotKey's MOD_NOREPEAT: a held shortcut fires once.
constexpr uint32_t kModNoRepeat = 0x4000;

// The place `step` places on from `current`.
int StepFocus(int current, int count, int step) noexcept {
    if (count <= 0) {
        return -1;
    }
    if (current < 0 || current >= count) {
        return 0;
    }
    const int moved = (current + step % count) % count;
    return moved < 0 ? moved + count : moved;
}

}  // namespace

FocusKey FocusKeyOf(uint32_t virtualKey, bool shift) noexcept {
    switch (virtualKey) {
        case kVkLeft:
            return FocusKey::Previous;
        case kVkRight:
            return FocusKey::Next;
        case kVkHome:
            return FocusKey::First;
        case kVkEnd:
            return FocusKey::Last;
        case kVkReturn:
            return FocusKey::Open;
        case kVkDown:
            return FocusKey::Down;
        case kVkApps:
            return FocusKey::ContextMenu;
        case kVkF10:
            return shift ? FocusKey::ContextMenu : FocusKey::None;
        case kVkEscape:
            return FocusKey::Leave;
        default:
            return FocusKey::None;
    }
}

bool ActsOnRelease(FocusKey key) noexcept {
    return key == FocusKey::Open || key == FocusKey::ContextMenu;
}

std::optional<int> MovedFocus(FocusKey key, int current, int count) noexcept {
    switch (key) {
        case FocusKey::Previous:
            return StepFocus(current, count, -1);
        case FocusKey::Next:
            return StepFocus(current, count, 1);
        case FocusKey::First:
            return StepFocus(0, count, 0);
        case FocusKey::Last:
            return StepFocus(count - 1, count, 0);
        default:
            return std::nullopt;
    }
}

std::vector<FocusHotkey> FocusHotkeys(int32_t barChoice, int32_t dockChoice) {
    std::vector<FocusHotkey> list;
    for (const FocusHotkey& wanted :
         {FocusHotkey{kHotkeyBarFocus, ShortcutModifiers(barChoice), kBarFocusKey},
          FocusHotkey{kHotkeyDockFocus, ShortcutModifiers(dockChoice), kDockFocusKey}}) {
        if (wanted.modifiers != 0) {
            list.push_back({wanted.id, wanted.modifiers | kModNoRepeat, wanted.key});
        }
    }
    return list;
}

}  // namespace corvane
