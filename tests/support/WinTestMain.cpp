// The main of every Windows test executable. A crash must fail the run: under
// Wine a crashed process sometimes exits with 0, and GoogleTest built with
// mingw does not catch structured exceptions.

#include <gtest/gtest.h>

#include <windows.h>

namespace {

LONG WINAPI FailOnCrash(EXCEPTION_POINTERS* info) {
    const DWORD code = info != nullptr && info->ExceptionRecord != nullptr
                           ? info->ExceptionRecord->ExceptionCode
                           : 0;
    fprintf(stderr, "test process crashed: exception 0x%08lx\n", static_cast<unsigned long>(code));
    fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::SetUnhandledExceptionFilter(&FailOnCrash);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
