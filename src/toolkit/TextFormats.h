#pragma once
// The way every label of the surfaces and popups is set: one line, centred
// in its box from top to bottom, cut short with an ellipsis.

#include <dwrite.h>
#include <wrl/client.h>

namespace corvane {

// Null when DirectWrite refuses the family or size.
[[nodiscard]] Microsoft::WRL::ComPtr<IDWriteTextFormat> MakeLineFormat(IDWriteFactory* factory,
                                                                       const wchar_t* family,
                                                                       DWRITE_FONT_WEIGHT weight,
                                                                       float size) noexcept;

// Text too long for its box ends in an ellipsis rather than at the clip. A
// text layout is a format too.
void TrimWithEllipsis(IDWriteFactory* factory, IDWriteTextFormat* format) noexcept;

}  // namespace corvane
