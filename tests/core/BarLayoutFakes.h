#pragma once
// Stand-ins for what the bar's window side gives its layout: text measured
// with a fixed advance per character, and a tray strip of n icons.

#include "bar/BarLayout.h"

#include <optional>
#include <vector>

namespace corvane::test {

// An item from left to right, 3 points below the top of a 28-point bar and 3 above its bottom.
inline BarItem ItemAt(BarItemKind kind, float left, float right, float bottom = 25) {
    return {.kind = kind, .left = left, .top = 3, .right = right, .bottom = bottom};
}

class FakeBarTextMeasurer final : public BarTextMeasurer {
public:
    static constexpr float kCharWidth = 7;

    // Widths are deliberately not capped at the request's maximum, so that
    // the layout's own caps are what a test sees.
    std::optional<BarTextMetrics> Measure(const BarTextRequest& request) override {
        requests.push_back(request);
        if (failing && *failing == request.role) {
            return std::nullopt;
        }
        const std::size_t trailing =
            request.text.size() - (request.text.find_last_not_of(L' ') + 1);
        BarTextMetrics metrics;
        metrics.width = kCharWidth * static_cast<float>(request.text.size() - trailing);
        metrics.widthIncludingTrailingWhitespace =
            kCharWidth * static_cast<float>(request.text.size());
        return metrics;
    }

    void DiscardMenuTitle(int32_t menuIndex) override { discarded.push_back(menuIndex); }

    std::optional<BarTextRole> failing;    // this role gets no layout
    std::vector<BarTextRequest> requests;  // their texts point into the layout's input
    std::vector<int32_t> discarded;
};

// n icons in 26-point slots right-aligned at the edge; the next item ends 6
// points left of the strip.
class FakeTrayStrip {
public:
    FakeTrayStrip(int icons, float height) : icons_(icons), height_(height) {}

    TrayStripBuilder Builder() {
        return [this](float rightEdge, std::vector<BarItem>& items) {
            const float left = rightEdge - 26.0f * static_cast<float>(icons_);
            for (int i = 0; i < icons_; ++i) {
                const float x = left + 26.0f * static_cast<float>(i);
                items.push_back(ItemAt(BarItemKind::TrayIconItem, x, x + 26.0f, height_ - 3));
            }
            return left - 6.0f;
        };
    }

private:
    int icons_;
    float height_;
};

}  // namespace corvane::test
