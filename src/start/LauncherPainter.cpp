#include "start/LauncherPainter.h"

#include "config/Texts.h"
#include "identity/IconDrawing.h"
#include "toolkit/FontFamilies.h"
#include "toolkit/TextFormats.h"

#include <d2d1helper.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

struct FontChoice {
    bool icon;
    float size;
};
constexpr FontChoice kFormats[] = {
    {false, 12.5f},  // labels
    {false, 14.0f},  // search text
    {true, 14.0f},   // the search glyph
    {false, 15.0f},  // no results
};

// The grid settles from slightly larger while it fades in.
constexpr float kOpenGrowth = 0.06f;
constexpr float kOpaqueFrom = 0.999f;

constexpr float kSelectedAlpha = 0.22f;
constexpr float kHighlightInset = 10.0f;
constexpr float kHighlightRise = 6.0f;
constexpr float kHighlightRadius = 14.0f;
constexpr float kIconTop = 4.0f;
constexpr float kPlaceholderAlpha = 0.06f;
constexpr float kPlaceholderRadius = 0.22f;  // of the icon size
constexpr float kLabelInset = 6.0f;
constexpr float kLabelTop = 10.0f;  // below the icon
constexpr float kLabelBottom = 30.0f;
constexpr float kMessageHalfHeight = 20.0f;
constexpr float kDotRadius = 4.0f;
constexpr float kOtherDotAlpha = 0.3f;

}  // namespace

void LauncherPainter::SetTextScale(float textScale) noexcept {
    if (textScale != textScale_) {
        textScale_ = textScale;
        formats_ = {};
    }
}

bool LauncherPainter::EnsureFormats() {
    if (formats_[0]) {
        return true;
    }
    if (!factory_) {
        return false;
    }
    for (std::size_t i = 0; i < kFormatCount; ++i) {
        const std::wstring& family = kFormats[i].icon ? IconFontFamily() : TextFontFamily();
        const float size = kFormats[i].icon ? kFormats[i].size : kFormats[i].size * textScale_;
        formats_[i] =
            MakeLineFormat(factory_.Get(), family.c_str(), DWRITE_FONT_WEIGHT_NORMAL, size);
        if (!formats_[i]) {
            formats_ = {};
            return false;
        }
    }
    formats_[kLabel]->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
    formats_[kMessage]->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
    return true;
}

void LauncherPainter::SetColor(const ColorF& color, float alphaScale) {
    in_->brush->SetColor(
        D2D1::ColorF(color.r, color.g, color.b, color.a * Opacity(*in_->theme, alphaScale)));
}

void LauncherPainter::Paint(const LauncherPaintInput& input) {
    if (!EnsureFormats() || input.target == nullptr || input.brush == nullptr ||
        input.layout == nullptr || input.theme == nullptr) {
        return;
    }
    in_ = &input;
    const LauncherLayout& l = *input.layout;
    const ColorF& surface = input.theme->surface;
    input.target->Clear(
        input.solid ? D2D1::ColorF(surface.r, surface.g, surface.b, surface.a * input.progress)
                    : D2D1::ColorF(0, 0, 0, 0));
    ComPtr<ID2D1Layer> layer;
    if (input.progress < kOpaqueFrom && SUCCEEDED(input.target->CreateLayer(nullptr, &layer))) {
        const float scale = 1.0f + kOpenGrowth - kOpenGrowth * input.progress;
        input.target->SetTransform(
            D2D1::Matrix3x2F::Scale(scale, scale, D2D1::Point2F(l.width / 2, l.height / 2)));
        input.target->PushLayer(
            D2D1::LayerParameters(D2D1::InfiniteRect(), nullptr, D2D1_ANTIALIAS_MODE_PER_PRIMITIVE,
                                  D2D1::IdentityMatrix(), input.progress),
            layer.Get());
    }

    SearchBoxLook look;
    look.target = input.target;
    look.brush = input.brush;
    look.factory = factory_.Get();
    look.theme = input.theme;
    look.glyph = formats_[kGlyph].Get();
    look.text = formats_[kSearch].Get();
    look.box = LauncherSearchBox(l);
    look.query = input.query;
    look.caret = input.caret;
    look.anchor = input.anchor;
    look.placeholder = Text(TextId::Search);
    look.caretVisible = input.caretVisible;
    look.centred = true;
    searchBox_.Draw(look);

    DrawItems();
    if (input.shown.empty()) {
        SetColor(input.theme->secondaryText, 1.0f);
        // Without a word of it the surface would be bare glass over the
        // desktop, or a black screen where there is no glass.
        const std::wstring_view message =
            input.query.empty() ? Text(TextId::NoAppsFound) : Text(TextId::NoAppsFoundSearchFiles);
        input.target->DrawText(message.data(), static_cast<UINT32>(message.size()),
                               formats_[kMessage].Get(),
                               D2D1::RectF(0, l.height / 2 - kMessageHalfHeight, l.width,
                                           l.height / 2 + kMessageHalfHeight),
                               input.brush);
    }
    DrawPageDots();

    if (layer) {
        input.target->PopLayer();
        input.target->SetTransform(D2D1::Matrix3x2F::Identity());
    }
    in_ = nullptr;
}

void LauncherPainter::DrawItems() {
    const LauncherLayout& l = *in_->layout;
    const auto count = static_cast<int32_t>(in_->shown.size());
    if (l.perPage <= 0) {
        return;
    }
    // Only the pages in view: one at rest, two while sliding.
    const auto firstPage = static_cast<int32_t>(std::floor(in_->scroll));
    const auto lastPage = static_cast<int32_t>(std::ceil(in_->scroll));
    const int32_t first = std::max(firstPage, 0) * l.perPage;
    const int32_t end = std::min((std::max(lastPage, 0) + 1) * l.perPage, count);
    for (int32_t i = first; i < end; ++i) {
        if (i == in_->drag) {
            continue;
        }
        const LauncherCell cell = l.CellOf(i, in_->scroll);
        if (cell.x + l.cellWidth < 0 || cell.x > l.width) {
            continue;
        }
        DrawItem(i, cell);
    }
    // Above the others, wherever the pointer took it.
    if (in_->drag >= 0 && in_->drag < count) {
        LauncherCell cell = l.CellOf(in_->drag, in_->scroll);
        cell.x += in_->dragOffset.x;
        cell.y += in_->dragOffset.y;
        DrawItem(in_->drag, cell);
    }
}

void LauncherPainter::DrawItem(int32_t index, LauncherCell cell) {
    const LauncherLayout& l = *in_->layout;
    const Theme& theme = *in_->theme;
    const AppEntry& entry = in_->shown[static_cast<std::size_t>(index)];
    const bool dragged = index == in_->drag;
    const bool selected = index == in_->selection;
    const bool lit = selected || (in_->drag < 0 && index == in_->hover);
    if (lit) {
        if (selected) {
            SetColor({theme.accent.r, theme.accent.g, theme.accent.b, 1.0f}, kSelectedAlpha);
        } else {
            SetColor(theme.hoverFill, 1.0f);
        }
        in_->target->FillRoundedRectangle(
            D2D1::RoundedRect(D2D1::RectF(cell.x + kHighlightInset, cell.y - kHighlightRise,
                                          cell.x + l.cellWidth - kHighlightInset,
                                          cell.y + l.cellHeight - kHighlightRise),
                              kHighlightRadius, kHighlightRadius),
            in_->brush);
    }
    const float left = cell.x + (l.cellWidth - l.icon) / 2.0f;
    D2D1_RECT_F icon =
        D2D1::RectF(left, cell.y + kIconTop, left + l.icon, cell.y + kIconTop + l.icon);
    if (ID2D1Bitmap* bitmap = in_->icon ? in_->icon(entry) : nullptr) {
        DrawIconBitmap(in_->target, bitmap, icon, 1.0f);
    } else {
        const float radius = kPlaceholderRadius * l.icon;
        SetColor(theme.text, kPlaceholderAlpha);
        in_->target->FillRoundedRectangle(D2D1::RoundedRect(icon, radius, radius), in_->brush);
    }
    if (dragged || entry.name.empty()) {
        return;
    }
    SetColor(lit ? theme.selectedText : theme.text, 1.0f);
    in_->target->DrawText(
        entry.name.data(), static_cast<UINT32>(entry.name.size()), formats_[kLabel].Get(),
        D2D1::RectF(cell.x + kLabelInset, cell.y + l.icon + kLabelTop,
                    cell.x + l.cellWidth - kLabelInset,
                    cell.y + l.icon + kLabelTop + (kLabelBottom - kLabelTop) * textScale_),
        in_->brush, D2D1_DRAW_TEXT_OPTIONS_CLIP);
}

void LauncherPainter::DrawPageDots() {
    const LauncherLayout& l = *in_->layout;
    const int32_t pages = l.Pages(in_->shown.size());
    if (pages <= 1) {
        return;
    }
    for (int32_t k = 0; k < pages; ++k) {
        const LauncherCell centre = PageDotCentre(l, pages, k);
        SetColor(in_->theme->text, k == in_->page ? 1.0f : kOtherDotAlpha);
        in_->target->FillEllipse(
            D2D1::Ellipse(D2D1::Point2F(centre.x, centre.y), kDotRadius, kDotRadius), in_->brush);
    }
}

}  // namespace corvane
