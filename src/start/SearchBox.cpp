#include "start/SearchBox.h"

#include "start/QueryText.h"

#include <d2d1helper.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

namespace corvane {
namespace {

constexpr wchar_t kGlyphSearch[] = L"\xE721";

constexpr float kPillFillDark = 0.09f;
constexpr float kPillFillLight = 0.07f;
constexpr float kPillOutline = 0.10f;
constexpr float kPillGlyphLeft = 12.0f;
constexpr float kPillTextLeft = 42.0f;
constexpr float kPillTextRightInset = 16.0f;
constexpr float kGlyphGap = 6.0f;
constexpr float kCaretInset = 10.0f;
constexpr float kCaretWidth = 1.0f;
constexpr float kSelectionAlpha = 0.35f;
// Wide enough that one line is never wrapped or trimmed.
constexpr float kUnboundedWidth = 100000.0f;

}  // namespace

IDWriteTextLayout* SearchBox::LayoutFor(const SearchBoxLook& look, std::wstring_view shown) {
    const float height = look.box.bottom - look.box.top;
    if (!layout_ || format_.Get() != look.text || text_ != shown) {
        layout_.Reset();
        width_ = 0;
        factory_ = look.factory;
        format_ = look.text;
        text_.assign(shown);
        edges_.assign(text_.size() + 1, std::numeric_limits<float>::quiet_NaN());
        if (FAILED(look.factory->CreateTextLayout(text_.c_str(), static_cast<UINT32>(text_.size()),
                                                  look.text, kUnboundedWidth, height, &layout_))) {
            layout_.Reset();
            return nullptr;
        }
        layout_->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);
        DWRITE_TEXT_METRICS metrics = {};
        if (SUCCEEDED(layout_->GetMetrics(&metrics))) {
            width_ = metrics.widthIncludingTrailingWhitespace;
        }
    } else if (layout_->GetMaxHeight() != height) {
        layout_->SetMaxHeight(height);
    }
    return layout_.Get();
}

float SearchBox::CaretX(std::size_t caret) {
    caret = std::min(caret, text_.size());
    if (caret == 0 || caret >= edges_.size()) {
        return 0;
    }
    float& edge = edges_[caret];
    if (!std::isnan(edge)) {
        return edge;
    }
    // The end of the text is the trailing edge of its last character.
    const bool atEnd = caret == text_.size();
    float y = 0;
    DWRITE_HIT_TEST_METRICS metrics = {};
    if (SUCCEEDED(layout_->HitTestTextPosition(static_cast<UINT32>(atEnd ? caret - 1 : caret),
                                               atEnd ? TRUE : FALSE, &edge, &y, &metrics))) {
        return edge;
    }
    // A layout that cannot be hit-tested: the width of the text before the
    // caret, which is where it stands while the query runs left to right.
    Microsoft::WRL::ComPtr<IDWriteTextLayout> before;
    DWRITE_TEXT_METRICS measured = {};
    edge = SUCCEEDED(factory_->CreateTextLayout(text_.c_str(), static_cast<UINT32>(caret),
                                                format_.Get(), kUnboundedWidth,
                                                layout_->GetMaxHeight(), &before)) &&
                   SUCCEEDED(before->GetMetrics(&measured))
               ? measured.widthIncludingTrailingWhitespace
               : 0.0f;
    return edge;
}

void SearchBox::DrawSelection(const SearchBoxLook& look, float left, float top, float bottom) {
    const std::size_t from = std::min(look.caret, look.anchor);
    const std::size_t to = std::min(std::max(look.caret, look.anchor), text_.size());
    if (from >= to) {
        return;
    }
    UINT32 count = 0;
    const auto start = static_cast<UINT32>(from);
    const auto length = static_cast<UINT32>(to - from);
    (void)layout_->HitTestTextRange(start, length, 0, 0, nullptr, 0, &count);
    std::vector<DWRITE_HIT_TEST_METRICS> ranges(std::max<UINT32>(count, 1));
    if (count == 0 ||
        FAILED(layout_->HitTestTextRange(start, length, 0, 0, ranges.data(), count, &count))) {
        // Without range hit-testing the span between the two ends, which is
        // the selection as long as the query runs one way.
        const float a = CaretX(from);
        const float b = CaretX(to);
        ranges.assign(1, DWRITE_HIT_TEST_METRICS{});
        ranges[0].left = std::min(a, b);
        ranges[0].width = std::abs(b - a);
    }
    const ColorF& accent = look.theme->accent;
    look.brush->SetColor(D2D1::ColorF(accent.r, accent.g, accent.b,
                                      Opacity(*look.theme, kSelectionAlpha) * look.opacity));
    // Right-to-left runs inside the query give several pieces.
    for (const DWRITE_HIT_TEST_METRICS& range : ranges) {
        look.target->FillRectangle(
            D2D1::RectF(left + range.left, top, left + range.left + range.width, bottom),
            look.brush);
    }
}

void SearchBox::Draw(const SearchBoxLook& look) {
    if (look.target == nullptr || look.brush == nullptr || look.theme == nullptr ||
        look.glyph == nullptr || look.text == nullptr || look.factory == nullptr) {
        return;
    }
    const Theme& theme = *look.theme;
    const auto color = [&look](const ColorF& c, float alpha) {
        look.brush->SetColor(D2D1::ColorF(c.r, c.g, c.b, c.a * alpha * look.opacity));
    };
    const PointRect& pill = look.box;
    const float radius = (pill.bottom - pill.top) / 2.0f;
    const auto shape = D2D1::RoundedRect(D2D1::RectF(pill.left, pill.top, pill.right, pill.bottom),
                                         radius, radius);
    color(theme.text, theme.dark ? kPillFillDark : kPillFillLight);
    look.target->FillRoundedRectangle(shape, look.brush);
    color(theme.text, kPillOutline);
    look.target->DrawRoundedRectangle(shape, look.brush);

    const bool empty = look.query.empty();
    IDWriteTextLayout* layout = LayoutFor(look, empty ? look.placeholder : look.query);
    float left = pill.left + kPillGlyphLeft;
    if (look.centred) {
        const float group = kPillTextLeft - kPillGlyphLeft + width_;
        left = std::max(left, (pill.left + pill.right - group) / 2.0f);
    }
    color(theme.secondaryText, 1.0f);
    look.glyph->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
    look.target->DrawText(
        kGlyphSearch, static_cast<UINT32>(std::size(kGlyphSearch) - 1), look.glyph,
        D2D1::RectF(left, pill.top, left + kPillTextLeft - kPillGlyphLeft - kGlyphGap, pill.bottom),
        look.brush, D2D1_DRAW_TEXT_OPTIONS_CLIP);
    look.glyph->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);

    const PointRect box{left + kPillTextLeft - kPillGlyphLeft, pill.top,
                        pill.right - kPillTextRightInset, pill.bottom};
    const float caretTop = pill.top + kCaretInset;
    const float caretBottom = pill.bottom - kCaretInset;
    const float boxWidth = std::max(box.right - box.left - kCaretWidth, 0.0f);
    const float caretX = empty || layout == nullptr ? 0.0f : CaretX(look.caret);
    scroll_ = empty ? 0.0f : QueryScroll(scroll_, caretX, width_, boxWidth);
    const float origin = box.left - scroll_;

    look.target->PushAxisAlignedClip(D2D1::RectF(box.left, pill.top, box.right, pill.bottom),
                                     D2D1_ANTIALIAS_MODE_ALIASED);
    if (layout != nullptr) {
        if (!empty) {
            DrawSelection(look, origin, caretTop, caretBottom);
        }
        color(empty ? theme.secondaryText : theme.text, 1.0f);
        look.target->DrawTextLayout(D2D1::Point2F(origin, box.top), layout, look.brush);
    }
    if (look.caretVisible) {
        color(theme.text, 1.0f);
        look.target->FillRectangle(
            D2D1::RectF(origin + caretX, caretTop, origin + caretX + kCaretWidth, caretBottom),
            look.brush);
    }
    look.target->PopAxisAlignedClip();
}

}  // namespace corvane
