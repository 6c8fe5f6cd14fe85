#include "toolkit/LayoutProbe.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cwchar>

namespace corvane {
namespace {

// A person has a handful of layouts; the list is bounded all the same.
constexpr int kMaxLayouts = 64;
// "Do not change the keyboard state" (Windows 10 1607 and later): probing a
// dead key must not leave it waiting for the user's next letter.
constexpr UINT kKeepKeyboardState = 0x4;
constexpr BYTE kKeyDown = 0x80;

std::array<BYTE, 256> KeyStateFor(uint32_t modifiers) noexcept {
    std::array<BYTE, 256> state = {};
    // AltGr arrives as left Ctrl and right Alt; layouts read the generic keys.
    if ((modifiers & kShortcutControl) != 0) {
        state[VK_CONTROL] = kKeyDown;
        state[VK_LCONTROL] = kKeyDown;
    }
    if ((modifiers & kShortcutAlt) != 0) {
        state[VK_MENU] = kKeyDown;
        state[VK_RMENU] = kKeyDown;
    }
    if ((modifiers & kShortcutShift) != 0) {
        state[VK_SHIFT] = kKeyDown;
        state[VK_LSHIFT] = kKeyDown;
    }
    return state;
}

}  // namespace

std::vector<LayoutAnswer> AskInstalledLayouts(uint32_t modifiers, uint32_t virtualKey) {
    std::array<HKL, kMaxLayouts> layouts = {};
    const int count = ::GetKeyboardLayoutList(kMaxLayouts, layouts.data());
    const std::array<BYTE, 256> state = KeyStateFor(modifiers);
    std::vector<LayoutAnswer> answers;
    for (int i = 0; i < count && i < kMaxLayouts; ++i) {
        const HKL layout = layouts[static_cast<std::size_t>(i)];
        const UINT scanCode = ::MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layout);
        std::array<wchar_t, 8> buffer = {};
        const int result =
            ::ToUnicodeEx(virtualKey, scanCode, state.data(), buffer.data(),
                          static_cast<int>(buffer.size()), kKeepKeyboardState, layout);
        // The buffer need not be terminated, and the count may exceed it.
        const auto reported = static_cast<std::size_t>(result < 0 ? 1 : result);
        const std::size_t written = std::min(::wcsnlen(buffer.data(), buffer.size()), reported);
        answers.push_back({result, std::wstring(buffer.data(), written)});
    }
    return answers;
}

std::wstring TypedByInstalledLayouts(uint32_t modifiers, uint32_t virtualKey) {
    return TypedByChord(modifiers, AskInstalledLayouts(modifiers, virtualKey));
}

}  // namespace corvane
