#pragma once
// Starting with Windows: the value "Corvane" under the current user's Run key.

namespace corvane {

[[nodiscard]] bool IsStartWithWindows() noexcept;
// On: the executable's quoted full path; off: the value is deleted.
bool SetStartWithWindows(bool on) noexcept;

}  // namespace corvane
