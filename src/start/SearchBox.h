#pragma once
// The search pill both start surfaces draw: the magnifier, the query or the
// placeholder, the selection and the caret. CorMenu's starts at the left; the
// launcher's keeps glyph and text together in the middle. A query wider than
// the pill scrolls sideways so the caret stays in view. The text's layout is
// kept from frame to frame and made again only when the text changes.

#include "base/Geometry.h"
#include "toolkit/Theme.h"

#include <d2d1.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct SearchBoxLook {
    ID2D1RenderTarget* target = nullptr;
    ID2D1SolidColorBrush* brush = nullptr;
    IDWriteFactory* factory = nullptr;  // lays the text out
    const Theme* theme = nullptr;
    IDWriteTextFormat* glyph = nullptr;
    IDWriteTextFormat* text = nullptr;
    float opacity = 1.0f;
    PointRect box;
    std::wstring_view query;
    std::size_t caret = 0;   // UTF-16 offsets into the query
    std::size_t anchor = 0;  // the selection's other end
    std::wstring_view placeholder;
    bool caretVisible = false;
    bool centred = false;
};

class SearchBox final {
public:
    void Draw(const SearchBoxLook& look);

private:
    // The layout of `shown`, made when it or the format changed; null when
    // DirectWrite cannot lay it out.
    [[nodiscard]] IDWriteTextLayout* LayoutFor(const SearchBoxLook& look, std::wstring_view shown);
    // Where the caret stands before `caret`, measured once per text.
    [[nodiscard]] float CaretX(std::size_t caret);
    void DrawSelection(const SearchBoxLook& look, float left, float top, float bottom);

    std::wstring text_;
    Microsoft::WRL::ComPtr<IDWriteFactory> factory_;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> format_;
    Microsoft::WRL::ComPtr<IDWriteTextLayout> layout_;
    std::vector<float> edges_;  // caret x per position, NaN until measured
    float width_ = 0;
    float scroll_ = 0;
};

}  // namespace corvane
