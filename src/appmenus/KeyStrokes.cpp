#include "appmenus/KeyStrokes.h"

namespace corvane {

std::vector<KeyStroke> ChordKeyStrokes(const KeyChord& chord) {
    std::vector<KeyStroke> strokes;
    strokes.reserve(chord.modifiers.size() * 2 + 2);
    for (const uint16_t modifier : chord.modifiers) {
        strokes.push_back({modifier, 0});
    }
    const uint32_t extended = chord.extended != 0 ? kStrokeExtended : 0;
    strokes.push_back({chord.key, extended});
    strokes.push_back({chord.key, extended | kStrokeKeyUp});
    for (auto it = chord.modifiers.rbegin(); it != chord.modifiers.rend(); ++it) {
        strokes.push_back({*it, kStrokeKeyUp});
    }
    return strokes;
}

}  // namespace corvane
