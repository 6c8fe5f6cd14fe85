#pragma once

namespace corvane {

// However the process dies, the desktop must look as it did before Corvane
// started: an unhandled exception, std::terminate and abort each put back
// what the process changed (once, whichever comes first), then let the
// process end as it would have.
void InstallCrashHandlers() noexcept;

}  // namespace corvane
