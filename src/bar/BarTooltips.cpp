#include "bar/BarTooltips.h"

#include "config/Language.h"

namespace corvane {

std::wstring TrayTooltipText(const TrayIcon& icon) {
    constexpr uint32_t kOwnTooltipVersion = 4;
    if (icon.version >= kOwnTooltipVersion && !icon.showTip) {
        return {};
    }
    return icon.tooltip;
}

std::wstring TilingTooltipText(bool on) {
    std::wstring text = on ? Tr(L"Tiling: på", L"Tiling: on") : Tr(L"Tiling: av", L"Tiling: off");
    text += Tr(L"\nKlikk for å slå av/på · Høyreklikk for innstillinger",
               L"\nClick to toggle · Right-click for settings");
    return text;
}

std::wstring NowPlayingTooltipText(std::wstring_view title, std::wstring_view artist,
                                   std::wstring_view album) {
    std::wstring text(title);
    if (!artist.empty()) {
        text += L"\n";
        text += artist;
    }
    if (!album.empty()) {
        text += L"\n";
        text += album;
    }
    text += Tr(L"\nKlikk for kontroller · Midtklikk for spill/pause",
               L"\nClick for controls · Middle-click to play/pause");
    return text;
}

}  // namespace corvane
