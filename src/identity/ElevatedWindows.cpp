#include "identity/ElevatedWindows.h"

#include "base/Win32Handles.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace corvane {
namespace {

// Enough for every elevated program a person keeps open; an old entry makes
// room for a new one.
constexpr std::size_t kRememberedProcesses = 32;

struct RememberedProcess {
    DWORD processId = 0;
    uint64_t started = 0;
    bool beyondReach = false;
};

struct ReachMemory {
    std::mutex mutex;
    std::array<RememberedProcess, kRememberedProcesses> entries{};
    std::size_t next = 0;
};

ReachMemory& Memory() noexcept {
    static ReachMemory memory;
    return memory;
}

// The label's last sub-authority is the level; the buffer is the token's
// own TOKEN_MANDATORY_LABEL with its SID behind it.
bool ReadIntegrityLevel(HANDLE token, uint32_t& level) noexcept {
    alignas(TOKEN_MANDATORY_LABEL) unsigned char
        buffer[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE] = {};
    DWORD size = 0;
    if (!::GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof(buffer), &size)) {
        return false;
    }
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    if (sid == nullptr || !::IsValidSid(sid)) {
        return false;
    }
    const UCHAR count = *::GetSidSubAuthorityCount(sid);
    if (count == 0) {
        return false;
    }
    level = static_cast<uint32_t>(*::GetSidSubAuthority(sid, static_cast<DWORD>(count - 1)));
    return true;
}

ProcessIntegrity ReadIntegrityOf(HANDLE process, bool withUiAccess) noexcept {
    ProcessIntegrity integrity;
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &rawToken)) {
        if (::GetLastError() == ERROR_ACCESS_DENIED) {
            integrity.reading = ProcessIntegrity::Reading::TokenRefused;
        }
        return integrity;
    }
    const UniqueHandle token(rawToken);
    if (!ReadIntegrityLevel(token.Get(), integrity.level)) {
        return integrity;
    }
    integrity.reading = ProcessIntegrity::Reading::Level;
    DWORD uiAccess = 0;
    DWORD size = 0;
    integrity.uiAccess =
        withUiAccess &&
        ::GetTokenInformation(token.Get(), TokenUIAccess, &uiAccess, sizeof(uiAccess), &size) &&
        uiAccess != 0;
    return integrity;
}

uint64_t StartTimeOf(HANDLE process) noexcept {
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

ProcessIntegrity ReadProcessIntegrity(DWORD processId) noexcept {
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return {};
    }
    return ReadIntegrityOf(process.Get(), false);
}

const ProcessIntegrity& OwnProcessIntegrity() noexcept {
    static const ProcessIntegrity own = ReadIntegrityOf(::GetCurrentProcess(), true);
    return own;
}

bool IsWindowBeyondReach(HWND window) noexcept {
    const ProcessIntegrity& own = OwnProcessIntegrity();
    // Nothing can be out of reach of this process: no window need be read.
    if (!IsBeyondReach(own, {ProcessIntegrity::Reading::Level, UINT32_MAX, false})) {
        return false;
    }
    DWORD processId = 0;
    if (window == nullptr || ::GetWindowThreadProcessId(window, &processId) == 0 ||
        processId == 0 || processId == ::GetCurrentProcessId()) {
        return false;
    }
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return IsBeyondReach(own, {});
    }
    // A process id is reused after its process ends; the start time tells
    // the new process from the remembered one.
    const uint64_t started = StartTimeOf(process.Get());
    ReachMemory& memory = Memory();
    {
        const std::lock_guard lock(memory.mutex);
        for (const RememberedProcess& entry : memory.entries) {
            if (entry.processId == processId && entry.started == started) {
                return entry.beyondReach;
            }
        }
    }
    const bool beyondReach = IsBeyondReach(own, ReadIntegrityOf(process.Get(), false));
    const std::lock_guard lock(memory.mutex);
    memory.entries[memory.next] = {processId, started, beyondReach};
    memory.next = (memory.next + 1) % kRememberedProcesses;
    return beyondReach;
}

void TakeForegroundFromUnreachable(HWND own) noexcept {
    if (own != nullptr && IsWindowBeyondReach(::GetForegroundWindow())) {
        (void)::SetForegroundWindow(own);
    }
}

}  // namespace corvane
