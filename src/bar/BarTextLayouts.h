#pragma once
// The bar's text, measured and kept as DirectWrite layouts when the bar lays
// out, and drawn as they are when it paints. Text formats and layouts do not
// belong to a render target, so they outlive a lost device.

#include "bar/BarLayout.h"

#include <dwrite.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

namespace corvane {

class BarTextLayouts final : public BarTextMeasurer {
public:
    explicit BarTextLayouts(IDWriteFactory* factory) noexcept : factory_(factory) {}

    // Forgets every layout; the formats stay.
    void Clear() noexcept;
    // Windows' text size; a new one makes the formats again.
    void SetTextScale(float textScale) noexcept;

    [[nodiscard]] IDWriteTextLayout* Clock() const noexcept { return clock_.Get(); }
    [[nodiscard]] IDWriteTextLayout* NowPlaying() const noexcept { return nowPlaying_.Get(); }
    [[nodiscard]] IDWriteTextLayout* AppName() const noexcept { return appName_.Get(); }
    [[nodiscard]] IDWriteTextLayout* MenuTitle(int32_t menuIndex) const noexcept;
    // The glyph format of the status cluster.
    [[nodiscard]] IDWriteTextFormat* IconFormat() noexcept;

    // BarTextMeasurer
    std::optional<BarTextMetrics> Measure(const BarTextRequest& request) override;
    void DiscardMenuTitle(int32_t menuIndex) override;

private:
    [[nodiscard]] bool EnsureFormats() noexcept;

    Microsoft::WRL::ComPtr<IDWriteFactory> factory_;
    float textScale_ = 1.0f;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> boldFormat_;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> regularFormat_;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> iconFormat_;
    Microsoft::WRL::ComPtr<IDWriteTextLayout> clock_;
    Microsoft::WRL::ComPtr<IDWriteTextLayout> nowPlaying_;
    Microsoft::WRL::ComPtr<IDWriteTextLayout> appName_;
    std::vector<Microsoft::WRL::ComPtr<IDWriteTextLayout>> menuTitles_;
};

}  // namespace corvane
