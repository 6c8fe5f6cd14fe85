#include "identity/IconLoader.h"

#include "base/DynamicApis.h"
#include "base/Win32Handles.h"
#include "identity/IconSourceRules.h"
#include "identity/IconTrim.h"

#include <commctrl.h>
#include <commoncontrols.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;
using UniqueBitmap = UniqueResource<HBITMAP, GdiObjectTraits<HBITMAP>>;

constexpr int kIconLookupSize = 256;
constexpr DWORD kIconResourceVersion = 0x00030000;
// Canvases beyond this are not scanned for trimming (no icon is that large).
constexpr UINT kMaxTrimEdge = 4096;

// A plain pointer holding one reference: a thread_local with a destructor is
// destroyed after its storage is freed when a mingw-w64 thread other than the
// main one ends, so the reference is managed by hand (each thread sets none
// before it ends).
thread_local IWICImagingFactory* threadFactory = nullptr;

// The first icon group a module lists, by number or by name.
struct IconGroupName {
    bool found = false;
    WORD id = 0;
    std::wstring name;

    [[nodiscard]] LPCWSTR AsResourceName() const {
        return name.empty() ? MAKEINTRESOURCEW(id) : name.c_str();
    }
};

BOOL CALLBACK TakeFirstGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) noexcept {
    auto* group = reinterpret_cast<IconGroupName*>(param);
    try {
        if (IS_INTRESOURCE(name)) {
            group->id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
        } else {
            group->name = name;
        }
        group->found = true;
    } catch (...) {
        group->found = false;
    }
    return FALSE;  // the first one is all we want
}

std::span<const uint8_t> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    HRSRC info = ::FindResourceW(module, name, type);
    if (info == nullptr) {
        return {};
    }
    HGLOBAL loaded = ::LoadResource(module, info);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    const DWORD size = ::SizeofResource(module, info);
    if (bytes == nullptr || size == 0) {
        return {};
    }
    return {static_cast<const uint8_t*>(bytes), size};
}

// The largest image (best for 256 x 256) of the module's first icon group,
// at its natural size.
UniqueIcon FirstGroupIcon(HMODULE module) {
    IconGroupName group;
    ::EnumResourceNamesW(module, RT_GROUP_ICON, &TakeFirstGroup,
                         reinterpret_cast<LONG_PTR>(&group));
    if (!group.found) {
        return {};
    }
    const auto directory = ResourceBytes(module, group.AsResourceName(), RT_GROUP_ICON);
    if (!IsValidIconGroupDirectory(directory)) {
        return {};
    }
    const int id = ::LookupIconIdFromDirectoryEx(const_cast<PBYTE>(directory.data()), TRUE,
                                                 kIconLookupSize, kIconLookupSize, LR_DEFAULTCOLOR);
    if (id <= 0 || id > 0xFFFF) {
        return {};
    }
    const auto image = ResourceBytes(module, MAKEINTRESOURCEW(id), RT_ICON);
    if (image.empty()) {
        return {};
    }
    return UniqueIcon(::CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                                 static_cast<DWORD>(image.size()), TRUE,
                                                 kIconResourceVersion, 0, 0, LR_DEFAULTCOLOR));
}

int IconWidth(HICON icon) {
    ICONINFO info = {};
    if (!::GetIconInfo(icon, &info)) {
        return 0;
    }
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    const HBITMAP measured = colour ? colour.Get() : mask.Get();
    BITMAP bitmap = {};
    if (measured == nullptr || ::GetObjectW(measured, sizeof(bitmap), &bitmap) == 0) {
        return 0;
    }
    return bitmap.bmWidth;
}

bool HasAlphaInFourthByte(const WICPixelFormatGUID& format) {
    return format == GUID_WICPixelFormat32bppBGRA || format == GUID_WICPixelFormat32bppPBGRA ||
           format == GUID_WICPixelFormat32bppRGBA || format == GUID_WICPixelFormat32bppPRGBA;
}

bool IsPremultipliedBgra(IWICBitmapSource* source) {
    WICPixelFormatGUID format = {};
    return SUCCEEDED(source->GetPixelFormat(&format)) && format == GUID_WICPixelFormat32bppPBGRA;
}

// The crop of a 32-bit source whose content is small for its canvas.
std::optional<IconCrop> CropOf(IWICBitmapSource* source, UINT width, UINT height) {
    WICPixelFormatGUID format = {};
    if (width < static_cast<UINT>(kTrimMinCanvas) || height < static_cast<UINT>(kTrimMinCanvas) ||
        width > kMaxTrimEdge || height > kMaxTrimEdge || FAILED(source->GetPixelFormat(&format)) ||
        !HasAlphaInFourthByte(format)) {
        return std::nullopt;
    }
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);

    // In-memory bitmaps are read where they are; anything else is copied.
    ComPtr<IWICBitmap> bitmap;
    if (SUCCEEDED(source->QueryInterface(IID_PPV_ARGS(&bitmap)))) {
        ComPtr<IWICBitmapLock> lock;
        UINT stride = 0;
        UINT size = 0;
        BYTE* data = nullptr;
        if (SUCCEEDED(bitmap->Lock(nullptr, WICBitmapLockRead, &lock)) &&
            SUCCEEDED(lock->GetStride(&stride)) && SUCCEEDED(lock->GetDataPointer(&size, &data)) &&
            data != nullptr) {
            return ComputeIconCrop(PixelView{{data, size}, w, h, stride});
        }
    }
    const UINT stride = width * 4;
    std::vector<uint8_t> pixels(static_cast<std::size_t>(stride) * height);
    if (FAILED(
            source->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data()))) {
        return std::nullopt;
    }
    return ComputeIconCrop(PixelView{pixels, w, h, stride});
}

// Some shell image sources hand back bitmaps whose alpha channel is unused
// (all zero), which would draw as nothing.
bool IsBlank(IWICBitmap* bitmap) {
    UINT width = 0;
    UINT height = 0;
    ComPtr<IWICBitmapLock> lock;
    UINT stride = 0;
    UINT size = 0;
    BYTE* data = nullptr;
    if (FAILED(bitmap->GetSize(&width, &height)) ||
        FAILED(bitmap->Lock(nullptr, WICBitmapLockRead, &lock)) ||
        FAILED(lock->GetStride(&stride)) || FAILED(lock->GetDataPointer(&size, &data)) ||
        data == nullptr) {
        return false;
    }
    return !FindVisibleBounds(
                PixelView{{data, size}, static_cast<int>(width), static_cast<int>(height), stride})
                .has_value();
}

// The system image list has an icon for every shell item, also where the
// item's image factory is missing or fails (a broken shell extension).
IconSourceBitmap SystemListIconBitmap(IWICImagingFactory* factory, const std::wstring& path,
                                      int32_t size) {
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(::SHParseDisplayName(path.c_str(), nullptr, &list, 0, nullptr))) {
        return {};
    }
    SHFILEINFOW info = {};
    const DWORD_PTR found = ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &info,
                                             sizeof(info), SHGFI_PIDL | SHGFI_SYSICONINDEX);
    ::CoTaskMemFree(list);
    ComPtr<IImageList> images;
    constexpr int32_t kLargeListEdge = 32;
    if (found == 0 || FAILED(::SHGetImageList(size > kLargeListEdge ? SHIL_EXTRALARGE : SHIL_LARGE,
                                              IID_PPV_ARGS(&images)))) {
        return {};
    }
    HICON raw = nullptr;
    if (FAILED(images->GetIcon(info.iIcon, ILD_TRANSPARENT, &raw))) {
        return {};
    }
    const UniqueIcon icon(raw);
    ComPtr<IWICBitmap> bitmap;
    if (!icon || FAILED(factory->CreateBitmapFromHICON(icon.Get(), &bitmap))) {
        return {};
    }
    return TrimAndScale(factory, bitmap.Get(), size);
}

}  // namespace

void SetThreadImagingFactory(IWICImagingFactory* factory) noexcept {
    if (factory != nullptr) {
        factory->AddRef();
    }
    if (IWICImagingFactory* old = std::exchange(threadFactory, factory)) {
        old->Release();
    }
}

IWICImagingFactory* CurrentImagingFactory() noexcept {
    return threadFactory;
}

IconSourceBitmap TrimAndScale(IWICImagingFactory* factory, IWICBitmapSource* source,
                              int32_t size) noexcept {
    try {
        UINT width = 0;
        UINT height = 0;
        if (factory == nullptr || source == nullptr || size < 1 ||
            FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0) {
            return {};
        }
        ComPtr<IWICBitmapSource> image = source;
        if (const auto crop = CropOf(source, width, height)) {
            ComPtr<IWICBitmapClipper> clipper;
            const WICRect rect = {crop->left, crop->top, crop->side, crop->side};
            if (FAILED(factory->CreateBitmapClipper(&clipper)) ||
                FAILED(clipper->Initialize(source, &rect))) {
                return {};
            }
            image = clipper;
            width = height = static_cast<UINT>(crop->side);
        }

        const UINT edge = static_cast<UINT>(size);
        const bool exactSize = width == edge && height == edge;
        if (exactSize && IsPremultipliedBgra(image.Get())) {
            return image;
        }
        if (!exactSize) {
            ComPtr<IWICBitmapScaler> scaler;
            if (FAILED(factory->CreateBitmapScaler(&scaler))) {
                return {};
            }
            const auto cubic =
                static_cast<WICBitmapInterpolationMode>(sdk::kWicInterpolationHighQualityCubic);
            if (FAILED(scaler->Initialize(image.Get(), edge, edge, cubic)) &&
                FAILED(
                    scaler->Initialize(image.Get(), edge, edge, WICBitmapInterpolationModeFant))) {
                return {};
            }
            image = scaler;
        }
        // Straight-alpha sources (icons) end up premultiplied too, as Direct2D
        // wants them.
        ComPtr<IWICFormatConverter> converter;
        ComPtr<IWICBitmap> result;
        if (FAILED(factory->CreateFormatConverter(&converter)) ||
            FAILED(converter->Initialize(image.Get(), GUID_WICPixelFormat32bppPBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0.0,
                                         WICBitmapPaletteTypeMedianCut)) ||
            FAILED(
                factory->CreateBitmapFromSource(converter.Get(), WICBitmapCacheOnLoad, &result))) {
            return {};
        }
        return result;
    } catch (...) {
        return {};
    }
}

IconSourceBitmap LoadModuleIconBitmap(IWICImagingFactory* factory, const std::wstring& path,
                                      int32_t size) noexcept {
    try {
        if (factory == nullptr || size < 1 || !IsIconModulePath(path)) {
            return {};
        }
        UniqueIcon icon;
        {
            const UniqueModule module(::LoadLibraryExW(
                path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
            if (!module) {
                return {};
            }
            icon = FirstGroupIcon(module.Get());
        }
        if (!icon || IconWidth(icon.Get()) < kMinResourceIconWidth) {
            return {};
        }
        ComPtr<IWICBitmap> bitmap;
        if (FAILED(factory->CreateBitmapFromHICON(icon.Get(), &bitmap))) {
            return {};
        }
        return TrimAndScale(factory, bitmap.Get(), size);
    } catch (...) {
        return {};
    }
}

IconSourceBitmap LoadShellIconBitmap(IWICImagingFactory* factory, const std::wstring& path,
                                     int32_t size) noexcept {
    try {
        if (factory == nullptr || size < 1 || path.empty()) {
            return {};
        }
        ComPtr<IShellItemImageFactory> images;
        const int edge = ShellImageSize(size);
        HBITMAP raw = nullptr;
        if (FAILED(::SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(&images))) ||
            FAILED(images->GetImage(SIZE{edge, edge},
                                    static_cast<SIIGBF>(SIIGBF_BIGGERSIZEOK | SIIGBF_ICONONLY),
                                    &raw))) {
            return SystemListIconBitmap(factory, path, size);
        }
        const UniqueBitmap hbitmap(raw);
        ComPtr<IWICBitmap> bitmap;
        if (!hbitmap ||
            FAILED(factory->CreateBitmapFromHBITMAP(hbitmap.Get(), nullptr,
                                                    WICBitmapUsePremultipliedAlpha, &bitmap)) ||
            IsBlank(bitmap.Get())) {
            return SystemListIconBitmap(factory, path, size);
        }
        return TrimAndScale(factory, bitmap.Get(), size);
    } catch (...) {
        return {};
    }
}

IconSourceBitmap LoadIconBitmap(const std::wstring& path, int32_t size) noexcept {
    IWICImagingFactory* const factory = CurrentImagingFactory();
    if (path.empty() || size < 1 || factory == nullptr) {
        return {};
    }
    if (IsIconModulePath(path)) {
        if (IconSourceBitmap icon = LoadModuleIconBitmap(factory, path, size)) {
            return icon;
        }
    }
    return LoadShellIconBitmap(factory, path, size);
}

}  // namespace corvane
