// The baseline for memory and idle CPU: the least a bar with a clock can do.
// A topmost borderless strip across the top of the primary display, drawn
// with an ID2D1HwndRenderTarget and one DirectWrite line (the time), drawn
// again once a minute. Whatever Corvane costs beyond this is its own.
//
//   bare_strip [height in pixels, default 28]

#include <windows.h>
#include <d2d1.h>
#include <d2d1helper.h>
#include <dwrite.h>

#include <cwchar>
#include <cwctype>

namespace {

constexpr wchar_t kClass[] = L"CorvaneBareStrip";
constexpr UINT_PTR kClockTimer = 1;

ID2D1Factory* g_d2d = nullptr;
IDWriteFactory* g_dwrite = nullptr;
IDWriteTextFormat* g_format = nullptr;
ID2D1HwndRenderTarget* g_target = nullptr;
ID2D1SolidColorBrush* g_brush = nullptr;

template <typename T>
void Release(T*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

// 20 ms past the next full minute, as a clock that shows minutes needs.
void ArmClock(HWND hwnd) {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    const int ms = (60 - now.wSecond) * 1000 - now.wMilliseconds + 20;
    ::SetTimer(hwnd, kClockTimer, static_cast<UINT>(ms), nullptr);
}

bool EnsureTarget(HWND hwnd) {
    if (g_target != nullptr) {
        return true;
    }
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    const auto props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED));
    const auto hwndProps = D2D1::HwndRenderTargetProperties(
        hwnd, D2D1::SizeU(static_cast<UINT32>(client.right), static_cast<UINT32>(client.bottom)));
    if (FAILED(g_d2d->CreateHwndRenderTarget(props, hwndProps, &g_target))) {
        return false;
    }
    if (FAILED(g_target->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &g_brush))) {
        Release(g_target);
        return false;
    }
    return true;
}

void Paint(HWND hwnd) {
    if (!EnsureTarget(hwnd)) {
        return;
    }
    wchar_t text[64] = {};
    if (::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, 64) ==
        0) {
        text[0] = L'\0';
    }
    const D2D1_SIZE_F size = g_target->GetSize();
    g_target->BeginDraw();
    g_target->Clear(D2D1::ColorF(0.12f, 0.12f, 0.12f, 1.0f));
    g_target->DrawText(text, static_cast<UINT32>(std::wcslen(text)), g_format,
                       D2D1::RectF(0, 0, size.width - 12, size.height), g_brush);
    if (g_target->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
        Release(g_brush);
        Release(g_target);
    }
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            ::BeginPaint(hwnd, &ps);
            Paint(hwnd);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_TIMER:
            if (wParam == kClockTimer) {
                ::InvalidateRect(hwnd, nullptr, FALSE);
                ArmClock(hwnd);
            }
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    int height = 28;
    if (commandLine != nullptr && std::iswdigit(commandLine[0])) {
        height = _wtoi(commandLine);
    }
    if (FAILED(::D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, &g_d2d)) ||
        FAILED(::DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                     reinterpret_cast<IUnknown**>(&g_dwrite))) ||
        FAILED(g_dwrite->CreateTextFormat(L"Segoe UI", nullptr, DWRITE_FONT_WEIGHT_NORMAL,
                                          DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL,
                                          13.0f, L"en-us", &g_format))) {
        return 1;
    }
    g_format->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_TRAILING);
    g_format->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_CENTER);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    ::RegisterClassExW(&wc);

    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const HWND hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClass,
                                        L"Bare strip", WS_POPUP, mi.rcMonitor.left,
                                        mi.rcMonitor.top, mi.rcMonitor.right - mi.rcMonitor.left,
                                        height, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        return 1;
    }
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    ArmClock(hwnd);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    Release(g_brush);
    Release(g_target);
    Release(g_format);
    Release(g_dwrite);
    Release(g_d2d);
    return 0;
}
