// A library that a test loads into Corvane's process to read the popup menu
// Corvane has open. Under Wine a menu handle means nothing in another
// process, so the entries can only be read from inside.

#include "support/MenuReaderFormat.h"

#include <windows.h>

namespace {

BOOL CALLBACK FindOpenMenu(HWND hwnd, LPARAM found) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd) ||
        ::lstrcmpW(name, L"#32768") != 0) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

}  // namespace

// Runs on a thread the test starts here, with `buffer` in this process.
// Returns the number of entries written; 0 when no menu is open.
extern "C" __declspec(dllexport) DWORD WINAPI CorvaneReadOpenMenu(void* buffer) {
    using namespace corvane::test;
    auto* out = static_cast<wchar_t*>(buffer);
    out[0] = L'\0';
    HWND window = nullptr;
    ::EnumWindows(&FindOpenMenu, reinterpret_cast<LPARAM>(&window));
    DWORD_PTR result = 0;
    if (window == nullptr ||
        ::SendMessageTimeoutW(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) == 0) {
        return 0;
    }
    const auto menu = reinterpret_cast<HMENU>(result);
    std::size_t used = 0;
    DWORD written = 0;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        // The mark first, then the text: one line per entry.
        wchar_t line[kMenuEntryChars + 8] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = line + 1;
        info.cch = kMenuEntryChars;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
            break;
        }
        line[0] = (info.fType & MFT_SEPARATOR) != 0  ? kMenuSeparatorMark
                  : (info.fState & MFS_CHECKED) != 0 ? kMenuCheckedMark
                                                     : kMenuPlainMark;
        const auto length = static_cast<std::size_t>(::lstrlenW(line));
        if (used + length + 2 > kMenuReaderChars) {
            break;
        }
        for (std::size_t c = 0; c < length; ++c) {
            out[used++] = line[c];
        }
        out[used++] = L'\n';
        out[used] = L'\0';
        ++written;
    }
    return written;
}
