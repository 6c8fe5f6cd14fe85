#include "start/CorMenuPainter.h"

#include "config/Texts.h"
#include "identity/IconDrawing.h"
#include "toolkit/FontFamilies.h"
#include "toolkit/TextFormats.h"

#include <d2d1helper.h>

#include <algorithm>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

constexpr float kSlideDistance = 14.0f;

constexpr wchar_t kGlyphSearch[] = L"\xE721";

struct FontChoice {
    bool icon;
    DWRITE_FONT_WEIGHT weight;
    float size;
};
constexpr FontChoice kFormats[] = {
    {false, DWRITE_FONT_WEIGHT_NORMAL, 13.5f},     // row names, power label
    {false, DWRITE_FONT_WEIGHT_SEMI_BOLD, 12.0f},  // section and letter headers
    {false, DWRITE_FONT_WEIGHT_NORMAL, 12.0f},     // hints, small labels
    {false, DWRITE_FONT_WEIGHT_SEMI_BOLD, 15.0f},  // user name
    {true, DWRITE_FONT_WEIGHT_NORMAL, 15.0f},      // glyphs
    {true, DWRITE_FONT_WEIGHT_NORMAL, 11.0f},      // the power glyph
    {false, DWRITE_FONT_WEIGHT_SEMI_BOLD, 18.0f},  // letter index
    {false, DWRITE_FONT_WEIGHT_NORMAL, 14.0f},     // search text
};

constexpr float kButtonFill = 0.07f;
constexpr float kButtonFillHovered = 0.14f;
constexpr float kButtonTextLeft = 11.0f;

// Rows, relative to the row's rectangle.
constexpr float kSelectedFill = 0.12f;
constexpr float kRingWidth = 2.0f;
constexpr float kIconLeft = 10.0f;
constexpr float kIconSize = 24.0f;
constexpr float kPlaceholderAlpha = 0.06f;
constexpr float kPlaceholderRadius = 5.0f;
constexpr float kNameLeft = 46.0f;
constexpr float kNameRightWithType = 90.0f;
constexpr float kTypeWidth = 88.0f;
constexpr float kTypeRight = 10.0f;
constexpr float kLetterLeft = 24.0f;
constexpr float kLetterRight = 60.0f;
constexpr float kLetterRowHeight = 30.0f;

float MeasureText(IDWriteFactory* factory, IDWriteTextFormat* format, std::wstring_view text) {
    ComPtr<IDWriteTextLayout> layout;
    DWRITE_TEXT_METRICS metrics = {};
    if (factory == nullptr || format == nullptr ||
        FAILED(factory->CreateTextLayout(text.data(), static_cast<UINT32>(text.size()), format,
                                         10000.0f, 100.0f, &layout)) ||
        FAILED(layout->GetMetrics(&metrics))) {
        return 0;
    }
    return metrics.widthIncludingTrailingWhitespace;
}

}  // namespace

float CorMenuPainter::SlideOffset(float progress) noexcept {
    return (1.0f - progress) * kSlideDistance;
}

void CorMenuPainter::SetTextScale(float textScale) noexcept {
    if (textScale != textScale_) {
        textScale_ = textScale;
        formats_ = {};
    }
}

bool CorMenuPainter::EnsureFormats() {
    if (formats_[0]) {
        return true;
    }
    if (!factory_) {
        return false;
    }
    for (std::size_t i = 0; i < kFormatCount; ++i) {
        const FontChoice& choice = kFormats[i];
        const std::wstring& family = choice.icon ? IconFontFamily() : TextFontFamily();
        // Glyphs are icons and keep their size.
        const float size = choice.icon ? choice.size : choice.size * textScale_;
        formats_[i] = MakeLineFormat(factory_.Get(), family.c_str(), choice.weight, size);
        if (!formats_[i]) {
            formats_ = {};
            return false;
        }
    }
    return true;
}

float CorMenuPainter::TextWidth(std::wstring_view text, Format format) {
    return EnsureFormats() ? MeasureText(factory_.Get(), formats_[format].Get(), text) : 0.0f;
}

float CorMenuPainter::ButtonLabelWidth(MenuView view) {
    return TextWidth(corvane::Text(MenuButtonLabel(view)), kSmall);
}

float CorMenuPainter::PowerLabelWidth() {
    return TextWidth(PowerLabel(), kRowName);
}

void CorMenuPainter::SetColor(const ColorF& color, float alphaScale) {
    in_->brush->SetColor(D2D1::ColorF(color.r, color.g, color.b,
                                      color.a * Opacity(*in_->theme, alphaScale) * in_->progress));
}

void CorMenuPainter::Fill(const PointRect& rect, float radius) {
    in_->target->FillRoundedRectangle(D2D1::RoundedRect(Rect(rect), radius, radius), in_->brush);
}

void CorMenuPainter::Text(std::wstring_view text, Format format, const PointRect& rect,
                          DWRITE_TEXT_ALIGNMENT alignment) {
    if (text.empty() || rect.right <= rect.left) {
        return;
    }
    IDWriteTextFormat* f = formats_[format].Get();
    f->SetTextAlignment(alignment);
    in_->target->DrawText(text.data(), static_cast<UINT32>(text.size()), f, Rect(rect), in_->brush,
                          D2D1_DRAW_TEXT_OPTIONS_CLIP);
    f->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);
}

bool CorMenuPainter::Highlight(const PointRect& rect, const MenuItemId& id, float radius) {
    if (id.kind == MenuHit::None) {
        return false;
    }
    const Theme& theme = *in_->theme;
    if (in_->selected == id) {
        // High contrast has no faint fill: a selection is the system's highlight.
        SetColor(theme.highContrast ? theme.hoverFill : theme.text, kSelectedFill);
        Fill(rect, radius);
        Ring(rect, radius);
        return true;
    }
    if (in_->state->hover == id) {
        SetColor(theme.hoverFill, 1.0f);
        Fill(rect, radius);
        return true;
    }
    return false;
}

void CorMenuPainter::Ring(const PointRect& rect, float radius) {
    if (!in_->focusRing) {
        return;
    }
    // The text colour stands out on the glass of either theme; inside the
    // item, so that the list's clip never cuts it.
    SetColor(in_->theme->text, 1.0f);
    const float half = kRingWidth / 2.0f;
    in_->target->DrawRoundedRectangle(
        D2D1::RoundedRect(
            D2D1::RectF(rect.left + half, rect.top + half, rect.right - half, rect.bottom - half),
            radius - half, radius - half),
        in_->brush, kRingWidth);
}

void CorMenuPainter::Paint(const MenuPaintInput& input) {
    if (!EnsureFormats() || input.target == nullptr || input.brush == nullptr ||
        input.layout == nullptr || input.state == nullptr || input.theme == nullptr) {
        return;
    }
    in_ = &input;
    const ColorF& surface = input.theme->surface;
    input.target->Clear(
        input.solid ? D2D1::ColorF(surface.r, surface.g, surface.b, surface.a * input.progress)
                    : D2D1::ColorF(0, 0, 0, 0));
    input.target->SetTransform(D2D1::Matrix3x2F::Translation(0, SlideOffset(input.progress)));
    DrawSearch();
    DrawHeader();
    if (input.layout->view == MenuView::LetterIndex) {
        DrawLetterCells();
    } else {
        DrawRows();
    }
    DrawRightColumn();
    DrawPower();
    input.target->SetTransform(D2D1::Matrix3x2F::Identity());
    in_ = nullptr;
}

void CorMenuPainter::DrawSearch() {
    SearchBoxLook look;
    look.target = in_->target;
    look.brush = in_->brush;
    look.factory = factory_.Get();
    look.theme = in_->theme;
    look.glyph = formats_[kGlyph].Get();
    look.text = formats_[kSearch].Get();
    look.opacity = in_->progress;
    look.box = in_->layout->search;
    look.query = in_->query;
    look.caret = in_->caret;
    look.anchor = in_->anchor;
    look.placeholder = corvane::Text(TextId::SearchAppsAndSettings);
    look.caretVisible = in_->caretVisible;
    searchBox_.Draw(look);
}

void CorMenuPainter::DrawHeader() {
    const Theme& theme = *in_->theme;
    const MenuLayout& layout = *in_->layout;
    SetColor(theme.text, 1.0f);
    Text(corvane::Text(MenuSectionTitle(layout.view)), kHeader, layout.header);
    const MenuRegion& button = layout.button;
    if (button.id.kind == MenuHit::None) {
        return;
    }
    const bool selected = in_->selected == button.id;
    const bool lit = selected || in_->state->hover == button.id;
    if (theme.highContrast) {
        SetColor(lit ? theme.hoverFill : theme.pressedFill, 1.0f);
    } else {
        SetColor(theme.text, lit ? kButtonFillHovered : kButtonFill);
    }
    Fill(button.rect, kSmallRadius);
    if (selected) {
        Ring(button.rect, kSmallRadius);
    }
    SetColor(lit ? theme.selectedText : theme.text, 1.0f);
    Text(corvane::Text(MenuButtonLabel(layout.view)), kSmall,
         {button.rect.left + kButtonTextLeft, button.rect.top, button.rect.right,
          button.rect.bottom});
}

void CorMenuPainter::DrawRows() {
    const MenuLayout& layout = *in_->layout;
    const Theme& theme = *in_->theme;
    in_->target->PushAxisAlignedClip(
        D2D1::RectF(0, layout.listTop, layout.split, layout.listBottom),
        D2D1_ANTIALIAS_MODE_ALIASED);
    for (const MenuRow& row : layout.rows) {
        switch (row.kind) {
            case MenuRowKind::App:
                DrawAppRow(row);
                break;
            case MenuRowKind::SearchFiles:
                DrawSearchFilesRow(row);
                break;
            case MenuRowKind::LetterHeader:
                Highlight(row.rect, {MenuHit::LetterHeader, row.letter}, kSmallRadius);
                SetColor(theme.accent, 1.0f);
                Text(std::wstring_view(&row.letter, 1), kHeader,
                     {kLetterLeft, row.rect.top, kLetterRight,
                      row.rect.top + kLetterRowHeight * in_->layout->textScale});
                break;
            case MenuRowKind::Hint:
                SetColor(theme.secondaryText, 1.0f);
                Text(corvane::Text(TextId::PinHereHint), kSmall, row.rect);
                break;
        }
    }
    in_->target->PopAxisAlignedClip();
}

void CorMenuPainter::DrawAppRow(const MenuRow& row) {
    const AppEntry* entry = in_->entry ? in_->entry(row.index) : nullptr;
    if (entry == nullptr) {
        return;
    }
    const Theme& theme = *in_->theme;
    const PointRect& r = row.rect;
    const bool results = in_->layout->view == MenuView::Results;
    const bool lit = Highlight(r, {MenuHit::AppRow, row.index}, kSmallRadius);

    const float iconTop = (r.top + r.bottom - kIconSize) / 2.0f;
    D2D1_RECT_F icon = D2D1::RectF(r.left + kIconLeft, iconTop, r.left + kIconLeft + kIconSize,
                                   iconTop + kIconSize);
    if (ID2D1Bitmap* bitmap = in_->icon ? in_->icon(*entry) : nullptr) {
        DrawIconBitmap(in_->target, bitmap, icon, in_->progress);
    } else {
        SetColor(theme.text, kPlaceholderAlpha);
        in_->target->FillRoundedRectangle(
            D2D1::RoundedRect(icon, kPlaceholderRadius, kPlaceholderRadius), in_->brush);
    }
    SetColor(lit ? theme.selectedText : theme.text, 1.0f);
    Text(entry->name, kRowName,
         {r.left + kNameLeft, r.top, r.right - (results ? kNameRightWithType : kNameRight),
          r.bottom});
    if (results) {
        SetColor(lit ? theme.selectedText : theme.secondaryText, 1.0f);
        Text(entry->isSetting ? corvane::Text(TextId::Setting) : L"App", kSmall,
             {r.right - kTypeRight - kTypeWidth, r.top, r.right - kTypeRight, r.bottom},
             DWRITE_TEXT_ALIGNMENT_TRAILING);
    }
}

void CorMenuPainter::DrawSearchFilesRow(const MenuRow& row) {
    const Theme& theme = *in_->theme;
    const PointRect& r = row.rect;
    const bool lit = Highlight(r, {MenuHit::SearchFiles, row.index}, kSmallRadius);
    SetColor(lit ? theme.selectedText : theme.text, 1.0f);
    Text(kGlyphSearch, kGlyph,
         {r.left + kIconLeft, r.top, r.left + kIconLeft + kIconSize, r.bottom},
         DWRITE_TEXT_ALIGNMENT_CENTER);
    std::wstring text = corvane::Text(TextId::SearchFilesFor);
    text.append(in_->query);
    text.append(corvane::Text(TextId::SearchFilesForEnd));
    Text(text, kRowName, {r.left + kNameLeft, r.top, r.right - kNameRight, r.bottom});
}

}  // namespace corvane
