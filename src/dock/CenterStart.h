#pragma once
// [General] CenterStart: Explorer's taskbar alignment set to centred, the
// user's own value remembered as a restore mark and put back.

namespace corvane {

// Reads "TaskbarAl", applies the plan (CenterStartPlan.h) and tells Explorer
// when anything changed.
void SetCenterStart(bool enable) noexcept;

// A process about to die (a crash) gives the broadcast that tells Explorer
// up to a second before it ends.
void WaitForCenterStartBroadcasts() noexcept;

}  // namespace corvane
