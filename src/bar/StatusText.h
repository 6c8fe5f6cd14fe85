#pragma once
// The status cluster's tooltip, in the current language: a network line,
// then a sound line when there is an audio device, then a battery line when
// there is a battery, then the wheel hint.

#include "bar/StatusModel.h"

#include <string>

namespace corvane {

// Always present; no leading line break.
[[nodiscard]] std::wstring NetworkStatusLine(const StatusModel& status);

// Empty without an audio device; otherwise starts with a line break.
[[nodiscard]] std::wstring SoundStatusLine(const StatusModel& status);

// Empty without a battery; otherwise starts with a line break.
[[nodiscard]] std::wstring BatteryStatusLine(const StatusModel& status);

// The whole tooltip of the cluster.
[[nodiscard]] std::wstring StatusTooltipText(const StatusModel& status);

// The volume as a whole percentage, rounded to the nearest; a reading
// outside 0..1 is shown at the nearest end.
[[nodiscard]] int VolumePercent(float volume) noexcept;

}  // namespace corvane
