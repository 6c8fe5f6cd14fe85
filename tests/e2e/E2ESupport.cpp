#include "e2e/E2ESupport.h"

#include <objbase.h>
#include <shellscalingapi.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdlib>

namespace corvane::test {

std::wstring IniText(const IniOptions& o) {
    return std::wstring(L"[General]\r\nLanguage=") + o.language +
           L"\r\nCenterStart=0\r\n[Bar]\r\nHeight=28\r\nStyle=" + std::to_wstring(o.style) +
           L"\r\nAutohide=" + (o.autohide ? L"1" : L"0") + L"\r\nAllMonitors=" +
           (o.allMonitors ? L"1" : L"0") + L"\r\nBackdrop=" + o.backdrop +
           L"\r\nTint=72\r\nBarTint=72\r\n[Clock]\r\nDateFormat=ddd MMM d\r\n"
           L"[Tiling]\r\nEnabled=0\r\n[Tray]\r\nEnabled=0\r\n[Dock]\r\nEnabled=0\r\n"
           L"ConfigVersion=2\r\n";
}

std::wstring CopyCorvane(const std::wstring& folder) {
    return CopyBuiltFile(L"corvane.exe", folder + L"\\corvane.exe");
}

std::wstring IniBeside(const std::wstring& exePath) {
    return exePath.substr(0, exePath.find_last_of(L'\\')) + L"\\corvane.ini";
}

HWND WaitForControlWindow(const ChildProcess& process, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            while ((found = ::FindWindowExW(HWND_MESSAGE, found, L"CorvaneCtl", nullptr)) !=
                   nullptr) {
                DWORD pid = 0;
                ::GetWindowThreadProcessId(found, &pid);
                if (pid == process.ProcessId()) {
                    return true;
                }
            }
            return !process.IsRunning();
        },
        timeoutMs);
    return found;
}

int CountControlWindows() {
    int n = 0;
    HWND hwnd = nullptr;
    while ((hwnd = ::FindWindowExW(HWND_MESSAGE, hwnd, L"CorvaneCtl", nullptr)) != nullptr) {
        ++n;
    }
    return n;
}

namespace {

using Microsoft::WRL::ComPtr;

// Under Wine every window draws into a surface of its own and the screen DC
// shows none of them; the X server's picture of the root window has them all.
constexpr wchar_t kXImport[] = L"Z:\\usr\\bin\\import";

bool LoadPngPixels(const std::wstring& path, Capture& c) {
    const bool comStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    bool ok = false;
    {
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IWICBitmapDecoder> decoder;
        ComPtr<IWICBitmapFrameDecode> frame;
        ComPtr<IWICFormatConverter> converter;
        UINT w = 0;
        UINT h = 0;
        if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_PPV_ARGS(&factory))) &&
            SUCCEEDED(factory->CreateDecoderFromFilename(
                path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
            SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
            SUCCEEDED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR,
                                            WICBitmapDitherTypeNone, nullptr, 0,
                                            WICBitmapPaletteTypeCustom))) {
            c.width = static_cast<int>(w);
            c.height = static_cast<int>(h);
            c.pixels.resize(static_cast<std::size_t>(w) * h);
            ok = SUCCEEDED(converter->CopyPixels(nullptr, w * 4,
                                                 static_cast<UINT>(c.pixels.size() * 4),
                                                 reinterpret_cast<BYTE*>(c.pixels.data())));
            for (uint32_t& px : c.pixels) {
                px &= 0x00FFFFFF;
            }
        }
    }
    if (comStarted) {
        ::CoUninitialize();
    }
    return ok;
}

bool CaptureWithX(const RECT& area, Capture& c) {
    if (::GetFileAttributesW(kXImport) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    static LONG counter = 0;
    const std::wstring name = L"corvane-capture-" + std::to_wstring(::GetCurrentProcessId()) +
                              L"-" + std::to_wstring(::InterlockedIncrement(&counter)) + L".png";
    std::wstring command =
        std::wstring(kXImport) + L" -window root -crop " + std::to_wstring(area.right - area.left) +
        L"x" + std::to_wstring(area.bottom - area.top) + L"+" + std::to_wstring(area.left) + L"+" +
        std::to_wstring(area.top) + L" +repage -strip PNG24:/tmp/" + name;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
        return false;
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    // The handle of a Unix process does not tell when it ends: wait for a
    // picture that decodes completely instead.
    const std::wstring windowsPath = L"Z:\\tmp\\" + name;
    bool ok = false;
    for (int attempt = 0; attempt < 300 && !ok; ++attempt) {
        ::Sleep(50);
        ok = LoadPngPixels(windowsPath, c) && c.width == area.right - area.left &&
             c.height == area.bottom - area.top;
    }
    ::DeleteFileW(windowsPath.c_str());
    return ok;
}

}  // namespace

Capture CaptureScreen(const RECT& area) {
    Capture c;
    if (CaptureWithX(area, c)) {
        return c;
    }
    c.width = area.right - area.left;
    c.height = area.bottom - area.top;
    if (c.width <= 0 || c.height <= 0) {
        return c;
    }
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = c.width;
    bi.bmiHeader.biHeight = -c.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, c.width, c.height, screen, area.left, area.top, SRCCOPY);
        ::SelectObject(memory, old);
        const auto* p = static_cast<const uint32_t*>(bits);
        c.pixels.assign(p,
                        p + static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height));
        for (uint32_t& px : c.pixels) {
            px &= 0x00FFFFFF;
        }
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return c;
}

bool SavePng(const Capture& capture, const std::wstring& path) {
    using Microsoft::WRL::ComPtr;
    if (capture.pixels.empty()) {
        return false;
    }
    const bool comStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    bool ok = false;
    {
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapEncoder> encoder;
        ComPtr<IWICBitmapFrameEncode> frame;
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
        std::vector<uint32_t> pixels = capture.pixels;
        if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_PPV_ARGS(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
            SUCCEEDED(frame->Initialize(nullptr)) &&
            SUCCEEDED(frame->SetSize(static_cast<UINT>(capture.width),
                                     static_cast<UINT>(capture.height))) &&
            SUCCEEDED(frame->SetPixelFormat(&format)) &&
            SUCCEEDED(frame->WritePixels(
                static_cast<UINT>(capture.height), static_cast<UINT>(capture.width) * 4,
                static_cast<UINT>(pixels.size() * 4), reinterpret_cast<BYTE*>(pixels.data()))) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
            ok = true;
        }
    }
    if (comStarted) {
        ::CoUninitialize();
    }
    return ok;
}

namespace {
bool IsInk(uint32_t px, uint32_t background) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((px >> shift) & 0xFF);
        const int b = static_cast<int>((background >> shift) & 0xFF);
        if (std::abs(a - b) > 40) {
            return true;
        }
    }
    return false;
}
}  // namespace

std::vector<Span> InkRuns(const Capture& capture, const RECT& area, uint32_t background,
                          int mergeGap, int offsetX) {
    std::vector<Span> runs;
    int blank = mergeGap + 1;
    for (int x = std::max<int>(area.left, 0); x < area.right && x < capture.width; ++x) {
        bool ink = false;
        for (int y = std::max<int>(area.top, 0); y < area.bottom && y < capture.height && !ink;
             ++y) {
            ink = IsInk(capture.At(x, y), background);
        }
        if (!ink) {
            ++blank;
            continue;
        }
        if (blank > mergeGap) {
            runs.push_back({offsetX + x, offsetX + x + 1});
        }
        runs.back().right = offsetX + x + 1;
        blank = 0;
    }
    return runs;
}

std::wstring ScreenshotFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableW(L"CORVANE_SCREENSHOTS", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        return buffer;
    }
    ::GetTempPathW(MAX_PATH, buffer);
    return buffer;
}

void CorvaneTest::SetUp() {
    ASSERT_EQ(CountControlWindows(), 0) << "a Corvane is already running";
}

void CorvaneTest::TearDown() {
    MovePointer(ScreenCentre());
    if (corvane_.IsRunning()) {
        EXPECT_TRUE(corvane_.PostQuit());
        EXPECT_EQ(corvane_.WaitForExit(), 0u);
    }
}

HWND CorvaneTest::StartCorvane(const std::wstring& ini) {
    if (exe_.empty()) {
        exe_ = CopyCorvane(folder_.Path());
    }
    if (!ini.empty()) {
        EXPECT_TRUE(WriteUtf16File(IniPath(), ini));
    }
    EXPECT_TRUE(corvane_.Start(exe_));
    control_ = WaitForControlWindow(corvane_);
    EXPECT_NE(control_, nullptr);
    bar_ = corvane_.WaitForWindow(L"CorvaneBar");
    UINT dpiY = 96;
    if (bar_ == nullptr ||
        FAILED(::GetDpiForMonitor(::MonitorFromWindow(bar_, MONITOR_DEFAULTTOPRIMARY),
                                  MDT_EFFECTIVE_DPI, &dpi_, &dpiY))) {
        dpi_ = 96;
    }
    return bar_;
}

void CorvaneTest::QuitCorvane() {
    ASSERT_TRUE(corvane_.PostQuit());
    EXPECT_EQ(corvane_.WaitForExit(), 0u);
}

std::vector<HWND> CorvaneTest::Bars() const {
    return FindProcessWindows(corvane_.ProcessId(), L"CorvaneBar");
}

RECT CorvaneTest::Frame() const {
    RECT r = {};
    ::GetWindowRect(bar_, &r);
    return r;
}

int CorvaneTest::MidY() const {
    const RECT r = Frame();
    return (r.top + r.bottom) / 2;
}

int CorvaneTest::Px(double points) const {
    return static_cast<int>(points * static_cast<double>(dpi_) / 96.0);
}

std::vector<Span> CorvaneTest::LeftInk() const {
    const RECT frame = Frame();
    const Capture c = CaptureScreen(frame);
    if (c.pixels.empty()) {
        return {};
    }
    return InkRuns(c, {0, 0, c.width / 2, c.height}, c.At(c.width / 2, c.height / 2), 5,
                   frame.left);
}

HWND CorvaneTest::WaitForPopupMenu(DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND menu : FindProcessWindows(corvane_.ProcessId(), L"#32768")) {
                RECT r = {};
                if (::IsWindowVisible(menu) && ::GetWindowRect(menu, &r) && r.bottom > r.top) {
                    found = menu;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

}  // namespace corvane::test
