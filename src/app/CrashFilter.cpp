#include "app/CrashFilter.h"

#include "app/CrashRestore.h"

#include <windows.h>

namespace corvane {
namespace {

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*) noexcept {
    RestoreDesktopAfterCrash();
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void InstallCrashFilter() noexcept {
    ::SetUnhandledExceptionFilter(&OnUnhandledException);
}

}  // namespace corvane
