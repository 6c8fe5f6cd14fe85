#include "toolkit/KeyChordStrokes.h"

namespace corvane {

std::vector<KeyStroke> PressTogetherStrokes(const std::vector<uint16_t>& keys) {
    std::vector<KeyStroke> strokes;
    strokes.reserve(keys.size() * 2);
    for (const uint16_t key : keys) {
        strokes.push_back({key, 0});
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        strokes.push_back({*it, kStrokeKeyUp});
    }
    return strokes;
}

}  // namespace corvane
