#include "base/ImagePaths.h"

#include "base/Win32Handles.h"

#include <algorithm>

namespace corvane {
namespace {

// Long-path-aware systems allow paths of up to 32,767 characters.
constexpr DWORD kMaxPathChars = 32768;
constexpr DWORD kFirstTryChars = MAX_PATH;

}  // namespace

std::wstring ExecutablePath() {
    // GetModuleFileNameW cuts a long path and says so only through the
    // returned length; a cut path would name another folder.
    for (DWORD chars = kFirstTryChars; chars <= kMaxPathChars; chars *= 2) {
        std::wstring buffer(chars, L'\0');
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), chars);
        if (n == 0) {
            return {};
        }
        if (n < chars) {
            buffer.resize(n);
            return buffer;
        }
    }
    return {};
}

std::wstring ExecutableDirectory() {
    std::wstring path = ExecutablePath();
    const std::size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos || cut == 0) {
        return {};
    }
    path.resize(cut);
    return path;
}

std::wstring PathNextToExecutable(const wchar_t* fileName) {
    const std::wstring folder = ExecutableDirectory();
    return folder.empty() ? std::wstring() : folder + L"\\" + fileName;
}

std::wstring ProcessImagePath(DWORD processId) noexcept {
    try {
        if (processId == 0) {
            return {};
        }
        const UniqueHandle process(
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
        if (!process) {
            return {};
        }
        for (DWORD chars = kFirstTryChars; chars <= kMaxPathChars; chars *= 2) {
            std::wstring buffer(chars, L'\0');
            DWORD size = chars;
            if (::QueryFullProcessImageNameW(process.Get(), 0, buffer.data(), &size)) {
                buffer.resize(std::min(size, chars));
                return buffer;
            }
            if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
                return {};
            }
        }
        return {};
    } catch (...) {
        return {};
    }
}

}  // namespace corvane
