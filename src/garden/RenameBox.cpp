#include "garden/RenameBox.h"

#include "base/Geometry.h"
#include "garden/BedGeometry.h"

#include <commctrl.h>

#include <utility>
#include <vector>

namespace corvane {
namespace {

// Posted, not handled at once: the edit that sends them is still inside its
// own window procedure, and a focus loss during teardown must find no box.
constexpr UINT kCommitMessage = WM_APP + 1;
constexpr UINT kCancelMessage = WM_APP + 2;
constexpr UINT_PTR kEditSubclass = 1;

bool RegisterRenameClass(HINSTANCE instance) noexcept {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowBase::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_IBEAM);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = kGardenRenameClass;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::wstring WindowText(HWND window) {
    std::vector<wchar_t> text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1);
    const int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace

RenameBox::~RenameBox() {
    Close(false);
}

bool RenameBox::Start(HWND bed, const std::wstring& current, Renamed renamed) noexcept {
    Close(true);
    RECT bedRect = {};
    if (!RegisterRenameClass(instance_) || !::GetWindowRect(bed, &bedRect)) {
        return false;
    }
    const UINT windowDpi = ::GetDpiForWindow(bed);
    const uint32_t dpi = windowDpi != 0 ? windowDpi : 96;
    const int32_t inset = ScalePoints(8, dpi);
    const int32_t width = bedRect.right - bedRect.left - 2 * inset;
    const int32_t top = bedRect.top + ScalePoints(3, dpi);
    const int32_t height = ScalePoints(27, dpi) - ScalePoints(3, dpi);
    if (CreateBound(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kGardenRenameClass, L"", WS_POPUP | WS_BORDER,
                    bedRect.left + inset, top, width, height, bed, instance_) == nullptr) {
        return false;
    }
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    edit_ = ::CreateWindowExW(0, L"EDIT", current.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              ScalePoints(4, dpi), 0, width - ScalePoints(8, dpi), client.bottom,
                              Hwnd(), nullptr, instance_, nullptr);
    if (edit_ == nullptr || !::SetWindowSubclass(edit_, &RenameBox::EditProc, kEditSubclass,
                                                 reinterpret_cast<DWORD_PTR>(this))) {
        Close(false);
        return false;
    }
    renamed_ = std::move(renamed);
    const int points = ::MulDiv(13, static_cast<int>(dpi), 72);
    font_.Reset(::CreateFontW(-(points * 72 / 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI"));
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    ::ShowWindow(Hwnd(), SW_SHOW);
    // A program may take the foreground only right after input; an empty
    // mouse report counts as such.
    INPUT input = {};
    input.type = INPUT_MOUSE;
    (void)::SendInput(1, &input, sizeof(input));
    ::SetForegroundWindow(Hwnd());
    ::SetFocus(edit_);
    ::SendMessageW(edit_, EM_SETSEL, 0, -1);
    return true;
}

void RenameBox::Close(bool commit) noexcept {
    if (Hwnd() == nullptr) {
        return;
    }
    std::wstring name;
    if (commit && edit_ != nullptr) {
        try {
            name = BedNameFromRename(WindowText(edit_));
        } catch (...) {
            name.clear();
        }
    }
    Renamed renamed = std::exchange(renamed_, nullptr);
    if (edit_ != nullptr) {
        ::RemoveWindowSubclass(edit_, &RenameBox::EditProc, kEditSubclass);
        edit_ = nullptr;
    }
    DestroyBound();
    font_.Reset();
    // Last, as the callback may open the next box.
    if (!name.empty() && renamed) {
        try {
            renamed(name);
        } catch (...) {
        }
    }
}

LRESULT RenameBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_KILLFOCUS) {
                ::PostMessageW(Hwnd(), kCommitMessage, 0, 0);
            }
            return 0;
        case kCommitMessage:
            Close(true);
            return 0;
        case kCancelMessage:
            Close(false);
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

LRESULT CALLBACK RenameBox::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR self) noexcept {
    const bool enter = wParam == VK_RETURN;
    const bool escape = wParam == VK_ESCAPE;
    if (message == WM_KEYDOWN && (enter || escape)) {
        ::PostMessageW(reinterpret_cast<RenameBox*>(self)->Hwnd(),
                       enter ? kCommitMessage : kCancelMessage, 0, 0);
        return 0;
    }
    // Their characters would only beep in a single-line edit.
    if (message == WM_CHAR && (wParam == L'\r' || wParam == 0x1B)) {
        return 0;
    }
    return ::DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace corvane
