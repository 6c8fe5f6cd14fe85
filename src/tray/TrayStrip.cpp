#include "tray/TrayStrip.h"

#include "base/TextHelpers.h"

#include <algorithm>
#include <utility>

namespace corvane {
namespace {

constexpr int kDipsPerInch = 96;

// Where the program stands in the Order list; unlisted programs after all.
std::size_t OrderPosition(const std::vector<std::wstring>& order, const std::wstring& exeName) {
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), exeName) - order.begin());
}

int32_t ToPixels(float points, uint32_t dpi) noexcept {
    return static_cast<int32_t>(static_cast<double>(points) * dpi / kDipsPerInch);
}

bool Contains(const std::vector<std::wstring>& list, std::wstring_view value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

bool IsTrayIconShown(const TrayIcon& icon, const std::vector<std::wstring>& hidden) {
    if (icon.hiddenByState || icon.icon == 0) {
        return false;
    }
    // Nothing to click and nothing to read: a placeholder, not an icon.
    if (icon.callbackMessage == 0 && icon.tooltip.empty()) {
        return false;
    }
    std::wstring lowerTip;
    bool lowered = false;
    for (const std::wstring& entry : hidden) {
        if (entry.empty()) {
            continue;
        }
        if (entry == icon.exeName) {
            return false;
        }
        if (!lowered) {
            lowerTip = ToLower(icon.tooltip);
            lowered = true;
        }
        if (lowerTip.find(entry) != std::wstring::npos) {
            return false;
        }
    }
    return true;
}

TrayStripLayout LayoutTrayStrip(const std::vector<TrayIcon>& icons,
                                const std::vector<std::wstring>& order,
                                const std::vector<std::wstring>& hidden,
                                std::wstring_view draggedBelow, float rightEdge, float barHeight) {
    std::vector<std::pair<std::size_t, std::size_t>> shown;  // order position, icon index
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const TrayIcon& icon = icons[i];
        const bool heldBelow = !draggedBelow.empty() && icon.exeName == draggedBelow;
        if (!heldBelow && IsTrayIconShown(icon, hidden)) {
            shown.emplace_back(OrderPosition(order, icon.exeName), i);
        }
    }
    std::stable_sort(shown.begin(), shown.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    TrayStripLayout layout;
    if (shown.empty()) {
        // No strip, so no gap either: the item to the right already keeps its own.
        layout.nextRight = rightEdge;
        return layout;
    }
    const float left = rightEdge - kTraySlotWidth * static_cast<float>(shown.size());
    const float top = kTrayStripInset;
    const float bottom = barHeight - kTrayStripInset;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const float x = left + kTraySlotWidth * static_cast<float>(i);
        layout.slots.push_back({shown[i].second, {x, top, x + kTraySlotWidth, bottom}});
    }
    layout.strip = {left, top, rightEdge, bottom};
    layout.nextRight = left - kTrayStripGap;
    return layout;
}

PixelRect TraySlotOnScreen(const PointRect& slot, uint32_t dpi, int32_t originX,
                           int32_t originY) noexcept {
    return {ToPixels(slot.left, dpi) + originX, ToPixels(slot.top, dpi) + originY,
            ToPixels(slot.right, dpi) + originX, ToPixels(slot.bottom, dpi) + originY};
}

void TrayDrag::Press(int item, uint32_t message, int32_t x, int32_t y, DragThreshold threshold,
                     std::wstring exeName) {
    Reset();
    press.Press(item, x, y, threshold);
    pressedMessage = message;
    dragExeName = std::move(exeName);
}

void TrayDrag::Reset() noexcept {
    press.Cancel();
    pressedMessage = 0;
    dragBelow = false;
    dragExeName.clear();
    dragX = 0;
}

bool TrayDragIsBelow(int32_t y, int32_t clientBottom, uint32_t dpi) noexcept {
    // Points to pixels rounded to nearest, as MulDiv rounds.
    const int64_t margin =
        (static_cast<int64_t>(kTrayHideBelowPoints) * dpi + kDipsPerInch / 2) / kDipsPerInch;
    return static_cast<int64_t>(y) > static_cast<int64_t>(clientBottom) + margin;
}

std::vector<TrayStripProgram> TrayStripPrograms(const std::vector<TrayIcon>& icons,
                                                const TrayStripLayout& layout) {
    std::vector<TrayStripProgram> programs;
    for (const TraySlot& slot : layout.slots) {
        if (slot.iconIndex >= icons.size()) {
            continue;
        }
        const std::wstring& name = icons[slot.iconIndex].exeName;
        // An unknown program cannot be kept in the Order list: it would not
        // survive the settings file (empty entries are dropped on reading).
        if (name.empty() || std::any_of(programs.begin(), programs.end(),
                                        [&](const auto& p) { return p.exeName == name; })) {
            continue;
        }
        programs.push_back({name, (slot.rect.left + slot.rect.right) / 2});
    }
    return programs;
}

std::optional<std::vector<std::wstring>> ReorderTray(const std::vector<TrayStripProgram>& programs,
                                                     std::wstring_view dragExeName, float dragX,
                                                     const std::vector<std::wstring>& order) {
    const auto dragged = std::find_if(programs.begin(), programs.end(),
                                      [&](const auto& p) { return p.exeName == dragExeName; });
    if (dragged == programs.end() || programs.size() < 2) {
        return std::nullopt;
    }
    const auto k = static_cast<std::size_t>(dragged - programs.begin());
    std::size_t j = 0;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        if (programs[i].centre < dragX) {
            j = i;
        }
    }
    if (j == k) {
        return std::nullopt;
    }
    std::vector<std::wstring> names;
    for (const TrayStripProgram& p : programs) {
        names.push_back(p.exeName);
    }
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(k));
    names.insert(names.begin() + static_cast<std::ptrdiff_t>(j), std::wstring(dragExeName));
    return MergeTrayOrder(order, names);
}

std::vector<std::wstring> MergeTrayOrder(const std::vector<std::wstring>& order,
                                         const std::vector<std::wstring>& strip) {
    std::vector<std::wstring> merged;
    merged.reserve(order.size() + strip.size());
    std::size_t next = 0;
    for (const std::wstring& entry : order) {
        if (!Contains(strip, entry)) {
            merged.push_back(entry);
        } else if (next < strip.size()) {
            merged.push_back(strip[next++]);
        }
    }
    merged.insert(merged.end(), strip.begin() + static_cast<std::ptrdiff_t>(next), strip.end());
    return merged;
}

std::vector<std::wstring> HideTrayProgram(std::vector<std::wstring> hidden,
                                          std::wstring_view exeName) {
    if (!exeName.empty() && !Contains(hidden, exeName)) {
        hidden.emplace_back(exeName);
    }
    return hidden;
}

std::vector<std::wstring> UnhideTrayEntry(std::vector<std::wstring> hidden,
                                          std::wstring_view name) {
    if (name.empty()) {
        hidden.clear();
        return hidden;
    }
    const std::wstring lower = ToLower(name);
    std::erase(hidden, lower);
    return hidden;
}

}  // namespace corvane
