// The settings window's drawing: the sidebar and the rows of the page.

#include "settings/SettingsWindowImpl.h"

#include "base/Win32Handles.h"
#include "config/Texts.h"
#include "settings/SettingsPages.h"
#include "toolkit/BackdropPlan.h"
#include "toolkit/D2DValues.h"
#include "toolkit/FontFamilies.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/TextFormats.h"

#include <d2d1helper.h>
#include <dwmapi.h>

#include <algorithm>
#include <string>

namespace corvane {
namespace {

constexpr float kRowRadius = 6.0f;
constexpr float kControlRadius = 4.0f;
constexpr float kKnobRadius = 7.0f;
constexpr float kSliderInset = 10.0f;
constexpr float kSliderLine = 4.0f;
constexpr float kValueTextWidth = 90.0f;
constexpr wchar_t kChevronGlyph = 0xE70D;

}  // namespace

// --- drawing

bool SettingsWindow::Impl::EnsureFormats() {
    const float scale = context_.theme.textScale;
    if (formats_[kLabel] && formatsScale_ == scale) {
        return true;
    }
    formatsScale_ = scale;
    IDWriteFactory* dwrite = context_.graphics.dwrite.Get();
    if (dwrite == nullptr) {
        return false;
    }
    const wchar_t* text = TextFontFamily().c_str();
    formats_[kTitle] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_SEMI_BOLD, 20.0f * scale);
    formats_[kHeader] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_SEMI_BOLD, 15.0f * scale);
    formats_[kLabel] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 14.0f * scale);
    formats_[kDescription] =
        MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 12.0f * scale);
    formats_[kControl] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 14.0f * scale);
    formats_[kIcon] =
        MakeLineFormat(dwrite, IconFontFamily().c_str(), DWRITE_FONT_WEIGHT_REGULAR, 16.0f);
    return formats_[kLabel] != nullptr;
}

bool SettingsWindow::Impl::EnsureTarget() {
    return target_ || CreateTextTarget(context_.graphics.d2d.Get(), Hwnd(), dpi_, target_, brush_);
}

void SettingsWindow::Impl::ReleaseTarget() noexcept {
    brush_.Reset();
    target_.Reset();
}

float SettingsWindow::Impl::TextWidth(const std::wstring& text) const {
    IDWriteFactory* dwrite = context_.graphics.dwrite.Get();
    IDWriteTextFormat* format = formats_[kControl].Get();
    if (dwrite == nullptr || format == nullptr) {
        return 0;
    }
    Microsoft::WRL::ComPtr<IDWriteTextLayout> layout;
    if (FAILED(dwrite->CreateTextLayout(text.data(), static_cast<UINT32>(text.size()), format,
                                        10000.0f, 100.0f, &layout))) {
        return 0;
    }
    DWRITE_TEXT_METRICS metrics = {};
    return SUCCEEDED(layout->GetMetrics(&metrics)) ? metrics.widthIncludingTrailingWhitespace : 0;
}

void SettingsWindow::Impl::DrawLine(const std::wstring& text, Format format, const PointRect& rect,
                                    const D2D1_COLOR_F& color, DWRITE_TEXT_ALIGNMENT align) {
    IDWriteTextFormat* textFormat = formats_[format].Get();
    if (text.empty() || textFormat == nullptr || rect.right <= rect.left) {
        return;
    }
    (void)textFormat->SetTextAlignment(align);
    brush_->SetColor(color);
    target_->DrawText(text.data(), static_cast<UINT32>(text.size()), textFormat, ToD2D(rect),
                      brush_.Get(), D2D1_DRAW_TEXT_OPTIONS_CLIP);
    (void)textFormat->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);
}

void SettingsWindow::Impl::OnPaint() {
    const PaintScope paint(Hwnd());
    if (!EnsureFormats() || !EnsureTarget()) {
        return;
    }
    const D2D1_SIZE_F size = ClientDips();
    target_->BeginDraw();
    try {
        // Without composition nothing shows through the extended frame; an
        // opaque backdrop, chosen for the bar and beds too, also covers
        // systems whose DWM lacks the window material and would show black.
        BOOL composition = FALSE;
        const bool glass = !DrawsOpaque(context_.settings.backdrop, context_.theme) &&
                           SUCCEEDED(::DwmIsCompositionEnabled(&composition)) && composition;
        target_->Clear(glass ? D2D1::ColorF(0, 0, 0, 0) : ToD2D(context_.theme.surface));
        PaintSidebar();
        PaintRows(size.width, size.height);
    } catch (...) {
        // The frame is ended below; the next one starts afresh.
    }
    if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
        ReleaseTarget();
    }
}

void SettingsWindow::Impl::PaintSidebar() {
    const Theme& theme = context_.theme;
    DrawLine(L"Corvane", kTitle, {46, 12, kSidebarWidth, 36}, ToD2D(theme.text));
    for (int32_t page = 0; page < kSettingsPageCount; ++page) {
        const PointRect r = SidebarEntryRect(page);
        if (page == page_ || page == hoverEntry_) {
            brush_->SetColor(ToD2D(page == page_ ? theme.hoverFill : theme.pressedFill));
            target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(r), kRowRadius, kRowRadius),
                                          brush_.Get());
        }
        if (page == page_) {
            brush_->SetColor(ToD2D(theme.accent));
            const float middle = (r.top + r.bottom) / 2;
            target_->FillRoundedRectangle(
                D2D1::RoundedRect(D2D1::RectF(r.left, middle - 8, r.left + 3, middle + 8), 1.5f,
                                  1.5f),
                brush_.Get());
        }
        const SettingsPage& info = PageInfo(page);
        DrawLine(std::wstring(1, info.glyph), kIcon, {r.left + 12, r.top, r.left + 36, r.bottom},
                 ToD2D(theme.text), DWRITE_TEXT_ALIGNMENT_CENTER);
        DrawLine(Text(info.name), kLabel, {r.left + 46, r.top, r.right - 8, r.bottom},
                 ToD2D(theme.text));
    }
}

void SettingsWindow::Impl::PaintRows(float width, float height) {
    target_->PushAxisAlignedClip(D2D1::RectF(kSidebarWidth, 0, width, height),
                                 D2D1_ANTIALIAS_MODE_ALIASED);
    const std::size_t count = std::min(rows_.size(), boxes_.size());
    for (std::size_t i = 0; i < count; ++i) {
        const PointRect row = Scrolled(boxes_[i].row, scroll_);
        if (row.bottom < 0 || row.top > height) {
            continue;
        }
        PaintRow(static_cast<int32_t>(i), row, Scrolled(boxes_[i].control, scroll_));
    }
    target_->PopAxisAlignedClip();
}

void SettingsWindow::Impl::PaintRow(int32_t index, const PointRect& r, const PointRect& control) {
    const Theme& theme = context_.theme;
    const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
    if (row.kind == RowKind::Header) {
        DrawLine(row.label, kHeader, {r.left + 4, r.bottom - 30, r.right, r.bottom - 6},
                 ToD2D(theme.text));
        return;
    }
    const D2D1_ROUNDED_RECT shape = D2D1::RoundedRect(ToD2D(r), kRowRadius, kRowRadius);
    brush_->SetColor(ToD2D(index == hoverRow_ ? theme.hoverFill : theme.pressedFill));
    target_->FillRoundedRectangle(shape, brush_.Get());
    if (index == focusRow_) {
        brush_->SetColor(ToD2D(theme.text));
        target_->DrawRoundedRectangle(
            D2D1::RoundedRect(D2D1::RectF(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1),
                              kRowRadius, kRowRadius),
            brush_.Get(), 2.0f);
    }
    float textRight = control.right > control.left ? control.left - 12 : r.right - 16;
    if (row.kind == RowKind::Slider) {
        textRight -= kValueTextWidth;
    } else if (row.kind == RowKind::Text) {
        textRight = r.left + (r.right - r.left) * 0.45f;
    }
    const float middle = (r.top + r.bottom) / 2;
    if (row.description.empty()) {
        DrawLine(row.label, kLabel, {r.left + 16, r.top, textRight, r.bottom}, ToD2D(theme.text));
    } else {
        DrawLine(row.label, kLabel, {r.left + 16, r.top + 10, textRight, middle + 2},
                 ToD2D(theme.text));
        DrawLine(row.description, kDescription, {r.left + 16, middle + 2, textRight, r.bottom - 10},
                 ToD2D(row.warning ? theme.negative : theme.secondaryText));
    }
    switch (row.kind) {
        case RowKind::Toggle:
            PaintToggle(row, control);
            break;
        case RowKind::Slider:
            PaintSlider(index, row, control);
            break;
        case RowKind::Choice:
            PaintChoice(row, control);
            break;
        case RowKind::Button:
            PaintButton(index, row, control);
            break;
        case RowKind::Text:
            DrawLine(row.value, kDescription, {textRight + 12, r.top, r.right - 16, r.bottom},
                     ToD2D(theme.secondaryText), DWRITE_TEXT_ALIGNMENT_TRAILING);
            break;
        default:
            break;
    }
}

void SettingsWindow::Impl::PaintToggle(const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const bool on = row.getBool && row.getBool();
    const float radius = (c.bottom - c.top) / 2;
    const D2D1_ROUNDED_RECT track = D2D1::RoundedRect(ToD2D(c), radius, radius);
    const float knobRadius = radius - 4;
    const float knobX = on ? c.right - radius : c.left + radius;
    const D2D1_ELLIPSE knob =
        D2D1::Ellipse(D2D1::Point2F(knobX, (c.top + c.bottom) / 2), knobRadius, knobRadius);
    if (on) {
        brush_->SetColor(ToD2D(theme.accent));
        target_->FillRoundedRectangle(track, brush_.Get());
        brush_->SetColor(theme.dark ? D2D1::ColorF(0, 0, 0, 1) : D2D1::ColorF(1, 1, 1, 1));
    } else {
        brush_->SetColor(ToD2D(theme.secondaryText));
        target_->DrawRoundedRectangle(
            D2D1::RoundedRect(
                D2D1::RectF(c.left + 0.5f, c.top + 0.5f, c.right - 0.5f, c.bottom - 0.5f), radius,
                radius),
            brush_.Get(), 1.0f);
    }
    target_->FillEllipse(knob, brush_.Get());
}

void SettingsWindow::Impl::PaintSlider(int32_t index, const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const int32_t value = index == dragRow_ ? dragValue_ : (row.getInt ? row.getInt() : row.min);
    const float left = c.left + kSliderInset;
    const float right = c.right - kSliderInset;
    const float middle = (c.top + c.bottom) / 2;
    const float knobX = left + (right - left) * SliderFraction(value, row.min, row.max);
    const float half = kSliderLine / 2;
    brush_->SetColor(ToD2D(theme.text, 0.25f));
    target_->FillRoundedRectangle(
        D2D1::RoundedRect(D2D1::RectF(left, middle - half, right, middle + half), half, half),
        brush_.Get());
    brush_->SetColor(ToD2D(theme.accent));
    target_->FillRoundedRectangle(
        D2D1::RoundedRect(D2D1::RectF(left, middle - half, knobX, middle + half), half, half),
        brush_.Get());
    target_->FillEllipse(D2D1::Ellipse(D2D1::Point2F(knobX, middle), kKnobRadius, kKnobRadius),
                         brush_.Get());
    DrawLine(std::to_wstring(value) + row.unit, kControl,
             {c.left - kValueTextWidth, c.top, c.left - 8, c.bottom}, ToD2D(theme.text),
             DWRITE_TEXT_ALIGNMENT_TRAILING);
}

void SettingsWindow::Impl::PaintChoice(const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const D2D1_ROUNDED_RECT box = D2D1::RoundedRect(ToD2D(c), kControlRadius, kControlRadius);
    brush_->SetColor(ToD2D(theme.hoverFill));
    target_->FillRoundedRectangle(box, brush_.Get());
    brush_->SetColor(ToD2D(theme.hairline));
    target_->DrawRoundedRectangle(box, brush_.Get(), 1.0f);
    const int32_t current = CurrentOption(row);
    if (current >= 0) {
        DrawLine(row.options[static_cast<std::size_t>(current)], kControl,
                 {c.left + 12, c.top, c.right - 32, c.bottom}, ToD2D(theme.text));
    }
    DrawLine(std::wstring(1, kChevronGlyph), kIcon, {c.right - 32, c.top, c.right - 8, c.bottom},
             ToD2D(theme.secondaryText), DWRITE_TEXT_ALIGNMENT_CENTER);
}

void SettingsWindow::Impl::PaintButton(int32_t index, const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const D2D1_ROUNDED_RECT box = D2D1::RoundedRect(ToD2D(c), kControlRadius, kControlRadius);
    brush_->SetColor(ToD2D(index == hoverRow_ ? theme.hoverFill : theme.pressedFill));
    target_->FillRoundedRectangle(box, brush_.Get());
    brush_->SetColor(ToD2D(theme.hairline));
    target_->DrawRoundedRectangle(box, brush_.Get(), 1.0f);
    DrawLine(row.buttonText, kControl, c, ToD2D(theme.text), DWRITE_TEXT_ALIGNMENT_CENTER);
}

}  // namespace corvane
