#include "toolkit/KeyChordStrokes.h"

#include <algorithm>

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

std::vector<KeyStroke> StrokesToRelease(const std::vector<KeyStroke>& strokes,
                                        std::size_t inserted) {
    std::vector<KeyStroke> held;
    const auto end =
        strokes.begin() + static_cast<std::ptrdiff_t>(std::min(inserted, strokes.size()));
    for (auto s = strokes.begin(); s != end; ++s) {
        const auto same = std::find_if(held.begin(), held.end(),
                                       [&](const KeyStroke& h) { return h.key == s->key; });
        if ((s->flags & kStrokeKeyUp) != 0) {
            if (same != held.end()) {
                held.erase(same);
            }
        } else if (same == held.end()) {
            held.push_back(*s);
        }
    }
    std::vector<KeyStroke> ups;
    ups.reserve(held.size());
    for (auto h = held.rbegin(); h != held.rend(); ++h) {
        ups.push_back({h->key, h->flags | kStrokeKeyUp});
    }
    return ups;
}

}  // namespace corvane
