#include "config/ProfileStore.h"

namespace corvane {

std::wstring ReadWholeString(ProfileStore& store, std::wstring_view section, std::wstring_view key,
                             std::wstring_view fallback, bool* cut) {
    // A value that fills the buffer may go on; one character spare proves it
    // did not.
    std::size_t chars = 8192;
    std::wstring value = store.GetString(section, key, fallback, chars);
    while (value.size() + 1 >= chars && chars < kWholeValueMaxChars) {
        chars *= 2;
        value = store.GetString(section, key, fallback, chars);
    }
    if (cut != nullptr) {
        *cut = value.size() + 1 >= chars;
    }
    return value;
}

}  // namespace corvane
