#include "bar/BarTextLayouts.h"

#include "toolkit/FontFamilies.h"
#include "toolkit/TextFormats.h"

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

constexpr float kTextSize = 12.5f;
constexpr float kIconTextSize = 15.0f;

ComPtr<IDWriteTextFormat> MakeFormat(IDWriteFactory* factory, const std::wstring& family,
                                     DWRITE_FONT_WEIGHT weight, float size, bool centred) {
    ComPtr<IDWriteTextFormat> format;
    if (FAILED(factory->CreateTextFormat(family.c_str(), nullptr, weight, DWRITE_FONT_STYLE_NORMAL,
                                         DWRITE_FONT_STRETCH_NORMAL, size, L"", &format))) {
        return nullptr;
    }
    format->SetTextAlignment(centred ? DWRITE_TEXT_ALIGNMENT_CENTER
                                     : DWRITE_TEXT_ALIGNMENT_LEADING);
    format->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_CENTER);
    format->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    return format;
}

}  // namespace

bool BarTextLayouts::EnsureFormats() noexcept {
    if (boldFormat_ && regularFormat_ && iconFormat_) {
        return true;
    }
    if (!factory_) {
        return false;
    }
    try {
        // The status glyphs are icons and keep their size.
        boldFormat_ = MakeFormat(factory_.Get(), TextFontFamily(), DWRITE_FONT_WEIGHT_SEMI_BOLD,
                                 kTextSize * textScale_, false);
        regularFormat_ = MakeFormat(factory_.Get(), TextFontFamily(), DWRITE_FONT_WEIGHT_NORMAL,
                                    kTextSize * textScale_, false);
        iconFormat_ = MakeFormat(factory_.Get(), IconFontFamily(), DWRITE_FONT_WEIGHT_NORMAL,
                                 kIconTextSize, true);
    } catch (...) {
        return false;
    }
    return boldFormat_ && regularFormat_ && iconFormat_;
}

void BarTextLayouts::SetTextScale(float textScale) noexcept {
    if (textScale != textScale_) {
        textScale_ = textScale;
        boldFormat_.Reset();
        regularFormat_.Reset();
        Clear();
    }
}

void BarTextLayouts::Clear() noexcept {
    clock_.Reset();
    nowPlaying_.Reset();
    appName_.Reset();
    menuTitles_.clear();
}

IDWriteTextLayout* BarTextLayouts::MenuTitle(int32_t menuIndex) const noexcept {
    if (menuIndex < 0 || static_cast<std::size_t>(menuIndex) >= menuTitles_.size()) {
        return nullptr;
    }
    return menuTitles_[static_cast<std::size_t>(menuIndex)].Get();
}

IDWriteTextFormat* BarTextLayouts::IconFormat() noexcept {
    return EnsureFormats() ? iconFormat_.Get() : nullptr;
}

std::optional<BarTextMetrics> BarTextLayouts::Measure(const BarTextRequest& request) {
    if (!EnsureFormats()) {
        return std::nullopt;
    }
    IDWriteTextFormat* format =
        request.role == BarTextRole::AppName ? boldFormat_.Get() : regularFormat_.Get();
    ComPtr<IDWriteTextLayout> layout;
    if (FAILED(factory_->CreateTextLayout(request.text.data(),
                                          static_cast<UINT32>(request.text.size()), format,
                                          request.maxWidth, request.maxHeight, &layout))) {
        return std::nullopt;
    }
    if (request.role == BarTextRole::NowPlaying) {
        TrimWithEllipsis(factory_.Get(), layout.Get());
        layout->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    }
    DWRITE_TEXT_METRICS metrics = {};
    if (FAILED(layout->GetMetrics(&metrics))) {
        return std::nullopt;
    }
    switch (request.role) {
        case BarTextRole::Clock:
            clock_ = layout;
            break;
        case BarTextRole::NowPlaying:
            nowPlaying_ = layout;
            break;
        case BarTextRole::AppName:
            appName_ = layout;
            break;
        case BarTextRole::MenuTitle:
            if (request.menuIndex >= 0) {
                const auto index = static_cast<std::size_t>(request.menuIndex);
                if (menuTitles_.size() <= index) {
                    menuTitles_.resize(index + 1);
                }
                menuTitles_[index] = layout;
            }
            break;
    }
    return BarTextMetrics{metrics.width, metrics.widthIncludingTrailingWhitespace};
}

void BarTextLayouts::DiscardMenuTitle(int32_t menuIndex) {
    if (menuIndex >= 0 && static_cast<std::size_t>(menuIndex) < menuTitles_.size()) {
        menuTitles_.resize(static_cast<std::size_t>(menuIndex));
    }
}

}  // namespace corvane
