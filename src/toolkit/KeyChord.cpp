#include "toolkit/KeyChord.h"

#include "toolkit/SendKeyStrokes.h"
#include "toolkit/KeyChordStrokes.h"

#include <new>

namespace corvane {

bool SendKeyChord(const std::vector<uint16_t>& virtualKeys) noexcept {
    try {
        return SendKeyStrokes(PressTogetherStrokes(virtualKeys));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace corvane
