#include "e2e/ScreenCapture.h"

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdlib>

namespace corvane::test {

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
            SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
            SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
            SUCCEEDED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR,
                                            WICBitmapDitherTypeNone, nullptr, 0,
                                            WICBitmapPaletteTypeCustom))) {
            c.width = static_cast<int>(w);
            c.height = static_cast<int>(h);
            c.pixels.resize(static_cast<std::size_t>(w) * h);
            ok = SUCCEEDED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(c.pixels.size() * 4),
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
    const std::wstring name = L"corvane-capture-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(::InterlockedIncrement(&counter)) + L".png";
    std::wstring command = std::wstring(kXImport) + L" -window root -crop " +
                           std::to_wstring(area.right - area.left) + L"x" +
                           std::to_wstring(area.bottom - area.top) + L"+" + std::to_wstring(area.left) +
                           L"+" + std::to_wstring(area.top) + L" +repage -strip PNG24:/tmp/" + name;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi)) {
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
        c.pixels.assign(p, p + static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height));
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
bool IsInk(uint32_t px, uint32_t background, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((px >> shift) & 0xFF);
        const int b = static_cast<int>((background >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) {
            return true;
        }
    }
    return false;
}
}  // namespace

int CountInk(const Capture& capture, const RECT& area, uint32_t background, int tolerance) {
    int n = 0;
    for (int y = area.top; y < area.bottom && y < capture.height; ++y) {
        for (int x = area.left; x < area.right && x < capture.width; ++x) {
            if (x >= 0 && y >= 0 && IsInk(capture.At(x, y), background, tolerance)) {
                ++n;
            }
        }
    }
    return n;
}

int RightmostInk(const Capture& capture, const RECT& area, uint32_t background, int tolerance) {
    for (int x = std::min<int>(area.right, capture.width) - 1; x >= area.left && x >= 0; --x) {
        for (int y = std::max<int>(area.top, 0); y < area.bottom && y < capture.height; ++y) {
            if (IsInk(capture.At(x, y), background, tolerance)) {
                return x;
            }
        }
    }
    return area.left - 1;
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

}  // namespace corvane::test
