#include "app/CrashFilter.h"

#include "app/CrashRestore.h"

#include <windows.h>

#include <csignal>
#include <cstdlib>
#include <exception>

namespace corvane {
namespace {

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*) noexcept {
    RestoreDesktopAfterCrash();
    return EXCEPTION_CONTINUE_SEARCH;
}

// A noexcept function that threw, an exception out of a thread, a joinable
// thread destroyed: the desktop comes back before the runtime aborts.
[[noreturn]] void OnTerminate() noexcept {
    RestoreDesktopAfterCrash();
    std::abort();
}

// abort() from anywhere, and std::terminate on threads that never saw the
// terminate handler (the Microsoft runtime keeps one per thread). abort calls
// it on the aborting thread and ends the process once it returns.
void OnAbortSignal(int) noexcept {
    RestoreDesktopAfterCrash();
}

}  // namespace

void InstallCrashHandlers() noexcept {
    ::SetUnhandledExceptionFilter(&OnUnhandledException);
    (void)std::set_terminate(&OnTerminate);
    (void)std::signal(SIGABRT, &OnAbortSignal);
    // The runtime's abort report is a message box in a windowed program,
    // shown before the handler runs: the desktop would stay hidden until
    // someone answered it.
    (void)::_set_error_mode(_OUT_TO_STDERR);
}

}  // namespace corvane
