#include "identity/ElevationRules.h"

namespace corvane {

bool IsBeyondReach(const ProcessIntegrity& own, const ProcessIntegrity& target) noexcept {
    using Reading = ProcessIntegrity::Reading;
    if (own.reading != Reading::Level || own.uiAccess) {
        return false;
    }
    switch (target.reading) {
        case Reading::Level:
            return target.level > own.level;
        case Reading::TokenRefused:
            // An elevated process is refused only tokens it may still drive
            // (protected processes); below that, a refusal means a higher one.
            return own.level < kIntegrityHigh;
        case Reading::Unreadable:
        default:
            return false;
    }
}

}  // namespace corvane
