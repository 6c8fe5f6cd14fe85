#pragma once
// Stand-ins for what the bar's window side gives its layout: text measured
// with a fixed advance per character, and a tray strip of n icons.

#include "bar/BarLayout.h"

#include <optional>
#include <vector>

namespace corvane::test {

class FakeBarTextMeasurer final : public BarTextMeasurer {
public:
    static constexpr float kCharWidth = 7;

    // Widths are deliberately not capped at the request's maximum, so that
    // the layout's own caps are what a test sees.
    std::optional<BarTextMetrics> Measure(const BarTextRequest& request) override {
        if (recording) {
            requests.push_back(request);
        }
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

    bool recording = true;
    std::optional<BarTextRole> failing;    // this role gets no layout
    std::vector<BarTextRequest> requests;  // their texts point into the layout's input
    std::vector<int32_t> discarded;
};

// n icons in 26-point slots right-aligned at the edge; the next item ends 6
// points left of the strip. Each call's edge is recorded.
class FakeTrayStrip {
public:
    FakeTrayStrip(int icons, float height) : icons_(icons), height_(height) {}

    TrayStripBuilder Builder() {
        return [this](float rightEdge, std::vector<BarItem>& items) {
            edges.push_back(rightEdge);
            const float left = rightEdge - 26.0f * static_cast<float>(icons_);
            for (int i = 0; i < icons_; ++i) {
                BarItem item;
                item.kind = BarItemKind::TrayIconItem;
                item.left = left + 26.0f * static_cast<float>(i);
                item.right = item.left + 26.0f;
                item.top = 3;
                item.bottom = height_ - 3;
                items.push_back(item);
            }
            return left - 6.0f;
        };
    }

    std::vector<float> edges;

private:
    int icons_;
    float height_;
};

}  // namespace corvane::test
