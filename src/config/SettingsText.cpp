#include "config/SettingsText.h"

#include <cstdint>

namespace corvane {

bool IsStorableIdentifier(std::wstring_view text) noexcept {
    if (text.empty() || text.size() > kMaxStoredIdentifierChars) {
        return false;
    }
    for (const wchar_t c : text) {
        const auto u = static_cast<uint32_t>(c);
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || c == L'|') {
            return false;
        }
    }
    return true;
}

}  // namespace corvane
