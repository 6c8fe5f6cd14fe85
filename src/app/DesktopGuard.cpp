#include "app/DesktopGuard.h"

#include "app/CrashRestore.h"
#include "app/GuardCommandLine.h"
#include "app/GuardPlan.h"
#include "app/Lifecycle.h"
#include "base/ImagePaths.h"
#include "base/Win32Handles.h"
#include "config/RestoreMarks.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace corvane {
namespace {

// Exit codes of a guard that had nothing to watch.
constexpr int kGuardBadArguments = 2;
constexpr int kGuardNoProcess = 3;

// The event the guard holds a copy of: set, it outlives this process, so a
// goodbye said just before the end is seen however soon the end comes.
UniqueHandle g_goodbye;

// Only a handle's lower 32 bits are significant, so that 32- and 64-bit
// processes can share them: cut on the way out, sign-extended on the way in.
uint32_t HandleNumber(HANDLE handle) noexcept {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

HANDLE NumberHandle(uint32_t number) noexcept {
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(static_cast<int32_t>(number)));
}

// Only the two handles are inherited, whatever else in this process could be.
bool StartGuardProcess(std::wstring commandLine, HANDLE process, HANDLE goodbye) {
    SIZE_T bytes = 0;
    (void)::InitializeProcThreadAttributeList(nullptr, 1, 0, &bytes);
    const auto storage = std::make_unique_for_overwrite<std::byte[]>(bytes);
    const auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.get());
    if (!::InitializeProcThreadAttributeList(list, 1, 0, &bytes)) {
        return false;
    }
    HANDLE inherited[] = {process, goodbye};
    STARTUPINFOEXW startup = {};
    startup.StartupInfo.cb = sizeof(startup);
    // No busy cursor for a process that shows nothing.
    startup.StartupInfo.dwFlags = STARTF_FORCEOFFFEEDBACK;
    startup.lpAttributeList = list;
    PROCESS_INFORMATION started = {};
    const bool ok = ::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                                inherited, sizeof(inherited), nullptr, nullptr) &&
                    ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                     EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                                     &startup.StartupInfo, &started);
    ::DeleteProcThreadAttributeList(list);
    if (ok) {
        ::CloseHandle(started.hThread);
        ::CloseHandle(started.hProcess);
    }
    return ok;
}

// A Corvane started after the watched one took over the desktop and the marks.
bool SuccessorRunning() noexcept {
    const UniqueHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, kSingleInstanceMutex));
    return static_cast<bool>(mutex);
}

LeftBehind ReadLeftBehind() noexcept {
    return {
        .taskbarHidden = ReadRestoreMark(RestoreMark::TaskbarHidden).value_or(0) != 0,
        .autohideSwitched = ReadRestoreMark(RestoreMark::Autohide).value_or(0) != 0,
        .savedAlignment = ReadRestoreMark(RestoreMark::TaskbarAlignment).value_or(-1),
        .desktopIconsHidden = ReadRestoreMark(RestoreMark::DesktopIconsHidden).value_or(0) != 0,
    };
}

}  // namespace

void StartDesktopGuard() noexcept {
    if (g_goodbye) {
        return;
    }
    try {
        SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
        UniqueHandle goodbye(::CreateEventW(&inheritable, TRUE, FALSE, nullptr));
        HANDLE self = nullptr;
        if (!goodbye ||
            !::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(),
                               &self, SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0)) {
            return;
        }
        // The guard has its own copy; this one goes once it is started.
        const UniqueHandle ownSelf(self);
        const std::wstring exe = ExecutablePath();
        if (exe.empty()) {
            return;
        }
        const std::wstring arguments =
            FormatGuardArguments({HandleNumber(self), HandleNumber(goodbye.Get())});
        if (StartGuardProcess(L"\"" + exe + L"\" " + arguments, self, goodbye.Get())) {
            // Programs this process starts later get no copy of it.
            ::SetHandleInformation(goodbye.Get(), HANDLE_FLAG_INHERIT, 0);
            g_goodbye = std::move(goodbye);
        }
    } catch (...) {
        // Out of memory for a path: the process runs without a guard.
    }
}

void SayGoodbyeToDesktopGuard() noexcept {
    if (g_goodbye) {
        ::SetEvent(g_goodbye.Get());
    }
}

int RunDesktopGuard(PCWSTR arguments) noexcept {
    const auto handles = ParseGuardArguments(arguments != nullptr ? arguments : L"");
    if (!handles) {
        return kGuardBadArguments;
    }
    const UniqueHandle process(NumberHandle(handles->process));
    const UniqueHandle goodbye(NumberHandle(handles->goodbye));
    // A number that is not a process handle here: there is nothing to watch.
    if (::GetProcessId(process.Get()) == 0) {
        return kGuardNoProcess;
    }
    // The guard waits for hours touching nothing: start-up's pages go back.
    ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1),
                               static_cast<SIZE_T>(-1));
    if (::WaitForSingleObject(process.Get(), INFINITE) != WAIT_OBJECT_0) {
        return kGuardNoProcess;
    }
    const GuardEnding ending{
        .saidGoodbye = ::WaitForSingleObject(goodbye.Get(), 0) == WAIT_OBJECT_0,
        .successorRunning = SuccessorRunning(),
    };
    RestoreDesktopAfterGuard(PlanGuardRestore(ReadLeftBehind(), ending));
    return 0;
}

}  // namespace corvane
