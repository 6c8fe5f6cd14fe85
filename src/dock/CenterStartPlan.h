#pragma once
// What switching [General] CenterStart does to Explorer's taskbar alignment
// and to the value remembered for putting it back. Portable.

#include <cstdint>
#include <optional>

namespace corvane {

// "TaskbarAl": 1 centred, 0 left.
inline constexpr uint32_t kTaskbarCentred = 1;
inline constexpr int32_t kNothingSaved = -1;

struct CenterStartPlan {
    std::optional<uint32_t> setAlignment;  // new "TaskbarAl"
    std::optional<int32_t> saveRestore;    // remember as the restore mark
    bool deleteRestore = false;            // forget the restore mark
    // Explorer re-reads the alignment only when told.
    [[nodiscard]] bool Changes() const noexcept { return setAlignment.has_value(); }
};

// `alignment`: the current "TaskbarAl" (1 when unreadable); `saved`: the
// remembered value, or kNothingSaved.
[[nodiscard]] CenterStartPlan PlanCenterStart(bool enable, uint32_t alignment,
                                              int32_t saved) noexcept;

}  // namespace corvane
