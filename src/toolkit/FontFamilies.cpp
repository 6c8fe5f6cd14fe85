#include "toolkit/FontFamilies.h"

#include <dwrite.h>
#include <wrl/client.h>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

// The shared factory is one object per process, so asking for it again costs
// nothing.
ComPtr<IDWriteFactory> WriteFactory() noexcept {
    ComPtr<IDWriteFactory> factory;
    (void)::DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                reinterpret_cast<IUnknown**>(factory.GetAddressOf()));
    return factory;
}

bool SystemHasFamily(const wchar_t* family) noexcept {
    const ComPtr<IDWriteFactory> factory = WriteFactory();
    if (!factory) {
        return false;
    }
    ComPtr<IDWriteFontCollection> collection;
    if (FAILED(factory->GetSystemFontCollection(collection.GetAddressOf(), FALSE))) {
        return false;
    }
    UINT32 index = 0;
    BOOL exists = FALSE;
    return SUCCEEDED(collection->FindFamilyName(family, &index, &exists)) && exists;
}

std::wstring Choose(const wchar_t* preferred, const wchar_t* fallback) {
    return SystemHasFamily(preferred) ? preferred : fallback;
}

}  // namespace

const std::wstring& TextFontFamily() {
    static const std::wstring family = Choose(L"Segoe UI Variable Text", L"Segoe UI");
    return family;
}

const std::wstring& IconFontFamily() {
    static const std::wstring family = Choose(L"Segoe Fluent Icons", L"Segoe MDL2 Assets");
    return family;
}

}  // namespace corvane
