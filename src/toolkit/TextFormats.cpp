#include "toolkit/TextFormats.h"

namespace corvane {

Microsoft::WRL::ComPtr<IDWriteTextFormat> MakeLineFormat(IDWriteFactory* factory,
                                                         const wchar_t* family,
                                                         DWRITE_FONT_WEIGHT weight,
                                                         float size) noexcept {
    Microsoft::WRL::ComPtr<IDWriteTextFormat> format;
    if (factory == nullptr ||
        FAILED(factory->CreateTextFormat(family, nullptr, weight, DWRITE_FONT_STYLE_NORMAL,
                                         DWRITE_FONT_STRETCH_NORMAL, size, L"", &format))) {
        return nullptr;
    }
    format->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_CENTER);
    format->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    TrimWithEllipsis(factory, format.Get());
    return format;
}

void TrimWithEllipsis(IDWriteFactory* factory, IDWriteTextFormat* format) noexcept {
    Microsoft::WRL::ComPtr<IDWriteInlineObject> ellipsis;
    if (SUCCEEDED(factory->CreateEllipsisTrimmingSign(format, &ellipsis))) {
        const DWRITE_TRIMMING trimming = {DWRITE_TRIMMING_GRANULARITY_CHARACTER, 0, 0};
        format->SetTrimming(&trimming, ellipsis.Get());
    }
}

}  // namespace corvane
