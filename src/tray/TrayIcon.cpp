#include "tray/TrayIcon.h"

#include <algorithm>

namespace corvane {

bool TrayGuid::IsZero() const noexcept {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

}  // namespace corvane
