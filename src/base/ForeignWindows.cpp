#include "base/ForeignWindows.h"

#include <vector>

namespace corvane {

std::wstring ForeignWindowTitle(HWND window, std::size_t maxChars) {
    std::vector<wchar_t> title(maxChars + 1, L'\0');
    const int n = ::InternalGetWindowText(window, title.data(), static_cast<int>(title.size()));
    return std::wstring(title.data(), n > 0 ? static_cast<std::size_t>(n) : 0u);
}

bool AnswersSoon(HWND window, UINT limitMs) noexcept {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, limitMs,
                                 &ignored) != 0;
}

void BringForeignToFront(HWND window) noexcept {
    if (::IsIconic(window)) {
        ::ShowWindowAsync(window, SW_RESTORE);
    }
    ::SetForegroundWindow(window);
}

}  // namespace corvane
