#include "start/UserPicture.h"

#include "base/Win32Handles.h"

#include <windows.h>
#define SECURITY_WIN32
#include <security.h>
#include <lmcons.h>
#include <sddl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

constexpr ULONG kLongestDisplayName = 1024;
constexpr DWORD kLongestTokenUser = 4096;
constexpr DWORD kLongestPicturePath = 1024;
constexpr wchar_t kPicturesKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\AccountPicture\\Users\\";
// The sizes the system stores, the ones nearest the menu's first.
constexpr std::array<const wchar_t*, 4> kPictureValues = {L"Image192", L"Image240", L"Image96",
                                                          L"Image448"};

struct LocalFreeDeleter {
    void operator()(wchar_t* text) const noexcept { ::LocalFree(text); }
};

std::wstring FullDisplayName() {
    std::wstring name(256, L'\0');
    auto size = static_cast<ULONG>(name.size());
    if (!::GetUserNameExW(NameDisplay, name.data(), &size)) {
        if (::GetLastError() != ERROR_MORE_DATA || size == 0 || size > kLongestDisplayName) {
            return {};
        }
        name.assign(size, L'\0');
        if (!::GetUserNameExW(NameDisplay, name.data(), &size)) {
            return {};
        }
    }
    name.resize(std::min<std::size_t>(size, name.size()));
    return name;
}

}  // namespace

std::wstring LogonUserName() {
    std::wstring name(UNLEN + 1, L'\0');
    DWORD size = UNLEN + 1;
    if (!::GetUserNameW(name.data(), &size) || size == 0) {
        return {};
    }
    name.resize(size - 1);  // the count includes the terminator
    return name;
}

namespace {

std::wstring UserSid() {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) {
        return {};
    }
    const UniqueHandle token(raw);
    DWORD size = 0;
    (void)::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    if (size < sizeof(TOKEN_USER) || size > kLongestTokenUser) {
        return {};
    }
    std::vector<BYTE> buffer(size);
    if (!::GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) {
        return {};
    }
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(user->User.Sid, &text)) {
        return {};
    }
    const std::unique_ptr<wchar_t, LocalFreeDeleter> owner(text);
    return text;
}

std::wstring PicturePath() {
    const std::wstring sid = UserSid();
    if (sid.empty()) {
        return {};
    }
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kPicturesKey + sid).c_str(), 0, KEY_QUERY_VALUE,
                        &raw) != ERROR_SUCCESS) {
        return {};
    }
    const UniqueRegKey key(raw);
    std::wstring path(kLongestPicturePath, L'\0');
    for (const wchar_t* value : kPictureValues) {
        DWORD bytes = kLongestPicturePath * sizeof(wchar_t);
        if (::RegGetValueW(key.Get(), nullptr, value, RRF_RT_REG_SZ, nullptr, path.data(),
                           &bytes) == ERROR_SUCCESS &&
            path[0] != L'\0') {
            return path.c_str();
        }
    }
    return {};
}

IconSourceBitmap Decode(IWICImagingFactory* factory, const std::wstring& path, UINT size) {
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return nullptr;
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) {
        return nullptr;
    }
    // The picture is shown in a circle: a centred square of it.
    ComPtr<IWICBitmapSource> square = converter;
    if (width != height) {
        const UINT side = std::min(width, height);
        const WICRect crop{static_cast<INT>((width - side) / 2),
                           static_cast<INT>((height - side) / 2), static_cast<INT>(side),
                           static_cast<INT>(side)};
        ComPtr<IWICBitmapClipper> clipper;
        if (FAILED(factory->CreateBitmapClipper(&clipper)) ||
            FAILED(clipper->Initialize(converter.Get(), &crop))) {
            return nullptr;
        }
        square = clipper;
    }
    ComPtr<IWICBitmapScaler> scaler;
    ComPtr<IWICBitmap> bitmap;
    IconSourceBitmap result;
    if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(square.Get(), size, size, WICBitmapInterpolationModeFant)) ||
        FAILED(factory->CreateBitmapFromSource(scaler.Get(), WICBitmapCacheOnLoad, &bitmap)) ||
        FAILED(bitmap.As(&result))) {
        return nullptr;
    }
    return result;
}

}  // namespace

std::wstring DisplayUserName() {
    std::wstring name = FullDisplayName();
    return name.empty() ? LogonUserName() : name;
}

IconSourceBitmap LoadAccountPicture(IWICImagingFactory* factory, uint32_t size) noexcept {
    if (factory == nullptr || size == 0) {
        return nullptr;
    }
    try {
        const std::wstring path = PicturePath();
        return path.empty() ? nullptr : Decode(factory, path, size);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace corvane
