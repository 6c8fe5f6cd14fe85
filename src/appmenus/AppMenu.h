#pragma once
// The menus shown next to the application's name in the bar: from a profile
// of menus.txt, or read from the application's own menu bar.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// An HMENU of another process's window; opaque here so that the model needs
// no <windows.h>.
using NativeMenuHandle = void*;

// Virtual-key codes the model itself names.
namespace vk {
inline constexpr uint16_t kShift = 0x10;
inline constexpr uint16_t kControl = 0x11;
inline constexpr uint16_t kAlt = 0x12;  // the menu key
inline constexpr uint16_t kLeftWin = 0x5B;
inline constexpr uint16_t kF1 = 0x70;
inline constexpr uint16_t kF24 = 0x87;
}  // namespace vk

// One key press with held modifiers.
struct KeyChord {
    std::vector<uint16_t> modifiers;  // in the order written; repeats kept
    uint16_t key = 0;                 // never 0 in a stored chord
    uint8_t extended = 0;             // 1: sent as an extended key

    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

struct AppMenuItem {
    std::wstring name;
    std::wstring shortcutText;  // as written in the file; empty for run items and separators
    std::vector<KeyChord> chords;
    std::wstring runTarget;
    bool isSeparator = false;
    uint32_t commandId = 0;             // native items only
    bool disabled = false;              // native items only
    bool checked = false;               // native items only
    std::vector<AppMenuItem> children;  // native submenus only

    friend bool operator==(const AppMenuItem&, const AppMenuItem&) = default;
};

struct AppMenu {
    std::wstring title;
    std::vector<AppMenuItem> items;
    NativeMenuHandle nativeSubmenu = nullptr;  // null for menus from the file
    int32_t nativePosition = -1;               // -1 for menus from the file

    friend bool operator==(const AppMenu&, const AppMenu&) = default;
};

// The menus of one application, in bar order.
using MenuProfile = std::vector<AppMenu>;

}  // namespace corvane
