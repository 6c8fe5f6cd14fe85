#include "tray/TrayWin32.h"

#include "base/ImagePaths.h"
#include "identity/ForegroundRules.h"

namespace corvane {

uint64_t Win32TraySystem::CopyIcon(uint32_t handle) {
    if (handle == 0) {
        return 0;
    }
    const HICON copy = ::CopyIcon(HandleFrom32<HICON>(handle));
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(copy));
}

void Win32TraySystem::DestroyIcon(uint64_t icon) {
    if (icon != 0) {
        ::DestroyIcon(reinterpret_cast<HICON>(static_cast<uintptr_t>(icon)));
    }
}

bool Win32TraySystem::IsWindow(uint32_t window) {
    return window != 0 && ::IsWindow(HandleFrom32<HWND>(window)) != FALSE;
}

uint32_t Win32TraySystem::ProcessOfWindow(uint32_t window) {
    DWORD processId = 0;
    if (window != 0) {
        ::GetWindowThreadProcessId(HandleFrom32<HWND>(window), &processId);
    }
    return processId;
}

std::wstring Win32TraySystem::ExeNameOfProcess(uint32_t processId) {
    if (processId == 0) {
        return {};
    }
    const std::wstring path = ProcessImagePath(processId);
    return path.empty() ? std::wstring() : ExecutableNameOf(path);
}

}  // namespace corvane
