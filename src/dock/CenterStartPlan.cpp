#include "dock/CenterStartPlan.h"

#include <limits>

namespace corvane {

CenterStartPlan PlanCenterStart(bool enable, uint32_t alignment, int32_t saved) noexcept {
    // The remembered value comes from the registry, which anyone may edit:
    // any negative number means nothing to restore, any other is restored as
    // written.
    const bool somethingSaved = saved >= 0;
    CenterStartPlan plan;
    if (enable) {
        if (alignment == kTaskbarCentred) {
            return plan;
        }
        if (!somethingSaved) {
            // A value the setting cannot hold back is remembered as left-aligned.
            plan.saveRestore =
                alignment <= static_cast<uint32_t>(std::numeric_limits<int32_t>::max())
                    ? static_cast<int32_t>(alignment)
                    : 0;
        }
        plan.setAlignment = kTaskbarCentred;
        return plan;
    }
    if (somethingSaved) {
        plan.setAlignment = static_cast<uint32_t>(saved);
        plan.deleteRestore = true;
    }
    return plan;
}

}  // namespace corvane
