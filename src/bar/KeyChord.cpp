#include "bar/KeyChord.h"

#include "bar/KeyChordStrokes.h"

#include <windows.h>

#include <new>

namespace corvane {

bool SendKeyChord(const std::vector<uint16_t>& virtualKeys) noexcept {
    try {
        const std::vector<KeyStroke> strokes = PressTogetherStrokes(virtualKeys);
        if (strokes.empty()) {
            return true;
        }
        std::vector<INPUT> inputs(strokes.size());
        for (std::size_t i = 0; i < strokes.size(); ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wVk = strokes[i].key;
            inputs[i].ki.dwFlags = (strokes[i].flags & kStrokeKeyUp) != 0 ? KEYEVENTF_KEYUP : 0;
            if ((strokes[i].flags & kStrokeExtended) != 0) {
                inputs[i].ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            }
        }
        const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        return sent == inputs.size();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace corvane
