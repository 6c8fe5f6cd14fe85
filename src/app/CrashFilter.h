#pragma once

namespace corvane {

// After a crash the desktop must look as it did before Corvane started: the
// filter puts back what the process changed, then lets the crash proceed.
void InstallCrashFilter() noexcept;

}  // namespace corvane
