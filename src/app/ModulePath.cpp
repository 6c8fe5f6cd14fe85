#include "app/ModulePath.h"

#include <windows.h>

namespace corvane {

std::wstring ExecutablePath() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return {};
    }
    return std::wstring(buffer, n);
}

std::wstring ExecutableDirectory() {
    std::wstring path = ExecutablePath();
    const std::size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) {
        return {};
    }
    path.resize(cut);
    return path;
}

std::wstring PathNextToExecutable(const wchar_t* fileName) {
    return ExecutableDirectory() + L"\\" + fileName;
}

}  // namespace corvane
