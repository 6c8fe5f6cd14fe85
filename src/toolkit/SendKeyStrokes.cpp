#include "toolkit/SendKeyStrokes.h"

#include <windows.h>

#include <new>

namespace corvane {

// The portable flags are passed through as they are.
static_assert(kStrokeKeyUp == KEYEVENTF_KEYUP);
static_assert(kStrokeExtended == KEYEVENTF_EXTENDEDKEY);

bool SendKeyStrokes(const std::vector<KeyStroke>& strokes) noexcept {
    if (strokes.empty()) {
        return true;
    }
    try {
        std::vector<INPUT> inputs(strokes.size());
        for (std::size_t i = 0; i < strokes.size(); ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wVk = strokes[i].key;
            inputs[i].ki.dwFlags = strokes[i].flags & (kStrokeKeyUp | kStrokeExtended);
        }
        const UINT sent =
            ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        return sent == inputs.size();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace corvane
