#include "app/DisplayOrder.h"

#include <algorithm>

namespace corvane {

std::vector<DisplayInfo> SortDisplays(std::vector<DisplayInfo> displays) {
    std::stable_sort(displays.begin(), displays.end(),
                     [](const DisplayInfo& a, const DisplayInfo& b) {
                         if (a.rect.left != b.rect.left) {
                             return a.rect.left < b.rect.left;
                         }
                         return a.rect.top < b.rect.top;
                     });
    return displays;
}

std::vector<uint64_t> DockDisplays(int32_t monitorSetting, const std::vector<DisplayInfo>& sorted,
                                   uint64_t mainDisplay) {
    std::vector<uint64_t> out;
    if (monitorSetting == 1) {
        out.push_back(mainDisplay);
        for (const DisplayInfo& d : sorted) {
            if (d.id != mainDisplay) {
                out.push_back(d.id);
            }
        }
        return out;
    }
    if (monitorSetting >= 2) {
        const std::size_t number = static_cast<std::size_t>(monitorSetting - 1);
        if (number >= 1 && number <= sorted.size()) {
            out.push_back(sorted[number - 1].id);
            return out;
        }
    }
    out.push_back(mainDisplay);
    return out;
}

}  // namespace corvane
