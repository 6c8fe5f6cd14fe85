#include "start/PowerActions.h"

#include "base/DynamicApis.h"
#include "base/Win32Handles.h"
#include "base/Worker.h"
#include "config/Texts.h"
#include "start/StartMenuEntries.h"
#include "toolkit/Notice.h"

#include <functional>
#include <memory>
#include <string>

namespace corvane {
namespace {

// As the system's own Start: a planned shutdown for no more specific reason.
constexpr DWORD kPlannedReason =
    SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

// Updates waiting to be installed go in first, and a shut-down computer
// starts fast again where the user turned that on.
constexpr DWORD kShutDownFlags = SHUTDOWN_POWEROFF | SHUTDOWN_HYBRID | SHUTDOWN_INSTALL_UPDATES;
constexpr DWORD kRestartFlags = SHUTDOWN_RESTART | SHUTDOWN_INSTALL_UPDATES;

DWORD LastErrorOr(DWORD fallback) noexcept {
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

DWORD Shutdown(DWORD flags) noexcept {
    if (!EnableShutdownPrivilege()) {
        return LastErrorOr(ERROR_PRIVILEGE_NOT_HELD);
    }
    return ::InitiateShutdownW(nullptr, nullptr, 0, flags, kPlannedReason);
}

DWORD SleepNow() noexcept {
    const auto suspend = dyn::SetSuspendState();
    if (suspend == nullptr) {
        return ERROR_PROC_NOT_FOUND;
    }
    if (!EnableShutdownPrivilege()) {
        return LastErrorOr(ERROR_PRIVILEGE_NOT_HELD);
    }
    // Returns once the computer is awake again.
    return suspend(FALSE, FALSE, FALSE) ? ERROR_SUCCESS : LastErrorOr(ERROR_GEN_FAILURE);
}

// A Win32 error, ERROR_SUCCESS when the system took the command.
DWORD CarryOut(int command) noexcept {
    switch (command) {
        case kPowerLock:
            return ::LockWorkStation() ? ERROR_SUCCESS : LastErrorOr(ERROR_GEN_FAILURE);
        case kPowerSignOut:
            return ::ExitWindowsEx(EWX_LOGOFF, kPlannedReason) ? ERROR_SUCCESS
                                                               : LastErrorOr(ERROR_GEN_FAILURE);
        case kPowerSleep:
            return SleepNow();
        case kPowerRestart:
            return Shutdown(kRestartFlags);
        case kPowerShutDown:
            return Shutdown(kShutDownFlags);
        default:
            return ERROR_SUCCESS;
    }
}

void TellFailureText(int command, DWORD error) {
    const wchar_t* what = L"";
    switch (command) {
        case kPowerLock:
            what = Text(TextId::LockFailed);
            break;
        case kPowerSignOut:
            what = Text(TextId::SignOutFailed);
            break;
        case kPowerSleep:
            what = Text(TextId::SleepFailed);
            break;
        case kPowerRestart:
            what = Text(TextId::RestartFailed);
            break;
        default:
            what = Text(TextId::ShutDownFailed);
            break;
    }
    ShowNotice(std::wstring(what) + L"\n\n" + SystemMessage(error), MB_ICONERROR);
}

void TellFailure(int command, DWORD error) noexcept {
    try {
        TellFailureText(command, error);
    } catch (...) {
        // Out of memory for the text: no box could be made either.
    }
}

}  // namespace

bool EnableShutdownPrivilege() noexcept {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) {
        return false;
    }
    const UniqueHandle token(raw);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) ||
        !::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr)) {
        return false;
    }
    // Succeeds without enabling anything when the token lacks the privilege.
    return ::GetLastError() == ERROR_SUCCESS;
}

void RunPowerCommand(int command, Worker& worker) noexcept {
    try {
        worker.Submit({}, WorkUrgency::Urgent, std::function<void()>([command] {
                          if (const DWORD error = CarryOut(command); error != ERROR_SUCCESS) {
                              TellFailure(command, error);
                          }
                      }));
    } catch (...) {
        TellFailure(command, ERROR_NOT_ENOUGH_MEMORY);
    }
}

}  // namespace corvane
