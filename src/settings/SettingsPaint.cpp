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
    const SidebarSize sidebar = Sidebar();
    DrawLine(L"Corvane", kTitle, SidebarTitleRect(sidebar), ToD2D(theme.text));
    for (int32_t page = 0; page < kSettingsPageCount; ++page) {
        const SidebarEntryParts parts = LayoutSidebarEntry(page, sidebar);
        if (page == page_ || page == hoverEntry_) {
            brush_->SetColor(ToD2D(page == page_ ? theme.hoverFill : theme.pressedFill));
            target_->FillRoundedRectangle(
                D2D1::RoundedRect(ToD2D(SidebarEntryRect(page, sidebar)), kRowRadius, kRowRadius),
                brush_.Get());
        }
        if (page == page_) {
            const float radius = (parts.mark.right - parts.mark.left) / 2;
            brush_->SetColor(ToD2D(theme.accent));
            target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(parts.mark), radius, radius),
                                          brush_.Get());
        }
        const SettingsPage& info = PageInfo(page);
        // The current page lies on the hover fill, the highlight in high contrast.
        const D2D1_COLOR_F color = ToD2D(page == page_ ? theme.selectedText : theme.text);
        DrawLine(std::wstring(1, info.glyph), kIcon, parts.glyph, color,
                 DWRITE_TEXT_ALIGNMENT_CENTER);
        DrawLine(Text(info.name), kLabel, parts.name, color);
    }
}

void SettingsWindow::Impl::PaintRows(float width, float height) {
    target_->PushAxisAlignedClip(D2D1::RectF(kSidebarWidth, 0, width, height),
                                 D2D1_ANTIALIAS_MODE_ALIASED);
    const std::size_t count = std::min(rows_.size(), boxes_.size());
    for (std::size_t i = 0; i < count; ++i) {
        const RowBox box = Scrolled(boxes_[i], scroll_);
        if (box.row.bottom < 0 || box.row.top > height) {
            continue;
        }
        PaintRow(static_cast<int32_t>(i), box);
    }
    target_->PopAxisAlignedClip();
}

void SettingsWindow::Impl::PaintRow(int32_t index, const RowBox& box) {
    const Theme& theme = context_.theme;
    const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
    if (row.kind == RowKind::Header) {
        DrawLine(row.label, kHeader, box.label, ToD2D(theme.text));
        return;
    }
    const PointRect& r = box.row;
    brush_->SetColor(ToD2D(index == hoverRow_ ? theme.hoverFill : theme.pressedFill));
    target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(r), kRowRadius, kRowRadius),
                                  brush_.Get());
    if (index == focusRow_) {
        brush_->SetColor(ToD2D(theme.text));
        target_->DrawRoundedRectangle(
            D2D1::RoundedRect(D2D1::RectF(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1),
                              kRowRadius, kRowRadius),
            brush_.Get(), 2.0f);
    }
    // A hovered row lies on the hover fill, the highlight in high contrast.
    const bool lit = index == hoverRow_;
    DrawLine(row.label, kLabel, box.label, ToD2D(lit ? theme.selectedText : theme.text));
    const ColorF& secondary = lit && theme.highContrast ? theme.selectedText : theme.secondaryText;
    DrawLine(row.description, kDescription, box.description,
             ToD2D(row.warning ? theme.negative : secondary));
    switch (row.kind) {
        case RowKind::Toggle:
            PaintToggle(row, box.control, lit);
            break;
        case RowKind::Slider:
            PaintSlider(index, row, box);
            break;
        case RowKind::Choice:
            PaintChoice(row, box.control);
            break;
        case RowKind::Button:
            PaintButton(index, row, box.control);
            break;
        case RowKind::Text:
            DrawLine(row.value, kDescription, box.value, ToD2D(theme.secondaryText),
                     DWRITE_TEXT_ALIGNMENT_TRAILING);
            break;
        default:
            break;
    }
}

void SettingsWindow::Impl::PaintToggle(const SettingsRow& row, const PointRect& c, bool lit) {
    const Theme& theme = context_.theme;
    const bool on = row.getBool && row.getBool();
    const float radius = (c.bottom - c.top) / 2;
    const Knob knob = ToggleKnob(c, on);
    // On a hovered row in high contrast the row is the highlight, in which an
    // accent-coloured switch would vanish: it takes the highlight's text colour.
    const bool inverse = lit && theme.highContrast;
    if (on) {
        brush_->SetColor(ToD2D(inverse ? theme.selectedText : theme.accent));
        target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(c), radius, radius), brush_.Get());
        brush_->SetColor(inverse      ? ToD2D(theme.accent)
                         : theme.dark ? D2D1::ColorF(0, 0, 0, 1)
                                      : D2D1::ColorF(1, 1, 1, 1));
    } else {
        brush_->SetColor(ToD2D(inverse ? theme.selectedText : theme.secondaryText));
        target_->DrawRoundedRectangle(
            D2D1::RoundedRect(
                D2D1::RectF(c.left + 0.5f, c.top + 0.5f, c.right - 0.5f, c.bottom - 0.5f), radius,
                radius),
            brush_.Get(), 1.0f);
    }
    target_->FillEllipse(D2D1::Ellipse(D2D1::Point2F(knob.x, knob.y), knob.radius, knob.radius),
                         brush_.Get());
}

void SettingsWindow::Impl::PaintSlider(int32_t index, const SettingsRow& row, const RowBox& box) {
    const Theme& theme = context_.theme;
    const int32_t value = index == dragRow_ ? dragValue_ : (row.getInt ? row.getInt() : row.min);
    const SliderParts slider = LayoutSlider(box.control, SliderFraction(value, row.min, row.max));
    const float half = (slider.line.bottom - slider.line.top) / 2;
    brush_->SetColor(ToD2D(theme.text, Opacity(theme, 0.25f)));
    target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(slider.line), half, half), brush_.Get());
    brush_->SetColor(ToD2D(theme.accent));
    target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(slider.filled), half, half),
                                  brush_.Get());
    const Knob& knob = slider.knob;
    target_->FillEllipse(D2D1::Ellipse(D2D1::Point2F(knob.x, knob.y), knob.radius, knob.radius),
                         brush_.Get());
    DrawLine(std::to_wstring(value) + row.unit, kControl, box.value, ToD2D(theme.text),
             DWRITE_TEXT_ALIGNMENT_TRAILING);
}

void SettingsWindow::Impl::PaintChoice(const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const D2D1_ROUNDED_RECT box = D2D1::RoundedRect(ToD2D(c), kControlRadius, kControlRadius);
    brush_->SetColor(ToD2D(theme.hoverFill));
    target_->FillRoundedRectangle(box, brush_.Get());
    brush_->SetColor(ToD2D(theme.hairline));
    target_->DrawRoundedRectangle(box, brush_.Get(), 1.0f);
    const ChoiceParts parts = LayoutChoice(c);
    const int32_t current = CurrentChoiceOption(row);
    if (current >= 0) {
        DrawLine(row.options[static_cast<std::size_t>(current)], kControl, parts.option,
                 ToD2D(theme.selectedText));
    }
    DrawLine(std::wstring(1, kChevronGlyph), kIcon, parts.chevron,
             ToD2D(theme.highContrast ? theme.selectedText : theme.secondaryText),
             DWRITE_TEXT_ALIGNMENT_CENTER);
}

void SettingsWindow::Impl::PaintButton(int32_t index, const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const D2D1_ROUNDED_RECT box = D2D1::RoundedRect(ToD2D(c), kControlRadius, kControlRadius);
    brush_->SetColor(ToD2D(index == hoverRow_ ? theme.hoverFill : theme.pressedFill));
    target_->FillRoundedRectangle(box, brush_.Get());
    brush_->SetColor(ToD2D(theme.hairline));
    target_->DrawRoundedRectangle(box, brush_.Get(), 1.0f);
    DrawLine(row.buttonText, kControl, c,
             ToD2D(index == hoverRow_ ? theme.selectedText : theme.text),
             DWRITE_TEXT_ALIGNMENT_CENTER);
}

}  // namespace corvane
