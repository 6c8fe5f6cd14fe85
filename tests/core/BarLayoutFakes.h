#pragma once
// Stand-ins for what the bar's window side gives its layout: text measured
// with a fixed advance per character, and a tray strip of n icons.

#include "bar/BarLayout.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

class FakeBarTextMeasurer final : public BarTextMeasurer {
public:
    static constexpr float kCharWidth = 7;

    struct Call {
        BarTextRole role;
        int32_t menuIndex;
        std::wstring text;
        float maxWidth;
        float maxHeight;
    };

    // Widths are deliberately not capped at the request's maximum, so that
    // the layout's own caps are what a test sees.
    std::optional<BarTextMetrics> Measure(const BarTextRequest& request) override {
        if (recording) {
            calls.push_back({request.role, request.menuIndex, std::wstring(request.text),
                             request.maxWidth, request.maxHeight});
        }
        if (failing && *failing == request.role) {
            return std::nullopt;
        }
        std::size_t trailing = 0;
        while (trailing < request.text.size() &&
               request.text[request.text.size() - 1 - trailing] == L' ') {
            ++trailing;
        }
        BarTextMetrics metrics;
        metrics.width = kCharWidth * static_cast<float>(request.text.size() - trailing);
        metrics.widthIncludingTrailingWhitespace =
            kCharWidth * static_cast<float>(request.text.size());
        return metrics;
    }

    void DiscardMenuTitle(int32_t menuIndex) override { discarded.push_back(menuIndex); }

    std::vector<const Call*> CallsFor(BarTextRole role) const {
        std::vector<const Call*> found;
        for (const Call& call : calls) {
            if (call.role == role) {
                found.push_back(&call);
            }
        }
        return found;
    }

    bool recording = true;
    std::optional<BarTextRole> failing;  // this role gets no layout
    std::vector<Call> calls;
    std::vector<int32_t> discarded;
};

// n icons in 26-point slots right-aligned at the edge, 3 .. height - 3; the
// next item ends 6 points left of the strip. Each call's edge is recorded.
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
                item.ownerWindow = 0x1000u + static_cast<uint64_t>(i);
                item.iconId = static_cast<uint32_t>(i + 1);
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
