#include "toolkit/SendKeyStrokes.h"

#include "toolkit/KeyChordStrokes.h"

#include <windows.h>

#include <new>

namespace corvane {

// The portable flags are passed through as they are.
static_assert(kStrokeKeyUp == KEYEVENTF_KEYUP);
static_assert(kStrokeExtended == KEYEVENTF_EXTENDEDKEY);

namespace {

// How many of the strokes the system took.
std::size_t Insert(const std::vector<KeyStroke>& strokes) {
    std::vector<INPUT> inputs(strokes.size());
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = strokes[i].key;
        inputs[i].ki.dwFlags = strokes[i].flags & (kStrokeKeyUp | kStrokeExtended);
    }
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

bool SendKeyStrokes(const std::vector<KeyStroke>& strokes) noexcept {
    if (strokes.empty()) {
        return true;
    }
    try {
        const std::size_t inserted = Insert(strokes);
        if (inserted == strokes.size()) {
            return true;
        }
        // Whatever the system stopped taking, nothing pressed here stays down.
        if (const std::vector<KeyStroke> ups = StrokesToRelease(strokes, inserted); !ups.empty()) {
            (void)Insert(ups);
        }
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace corvane
