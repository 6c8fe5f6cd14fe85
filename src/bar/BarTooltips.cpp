#include "bar/BarTooltips.h"

#include "config/Texts.h"

namespace corvane {

std::wstring TrayTooltipText(const TrayIcon& icon) {
    constexpr uint32_t kOwnTooltipVersion = 4;
    if (icon.version >= kOwnTooltipVersion && !icon.showTip) {
        return {};
    }
    return icon.tooltip;
}

std::wstring TilingTooltipText(bool on) {
    std::wstring text = on ? Text(TextId::TilingOn) : Text(TextId::TilingOff);
    text += Text(TextId::TilingTooltipHint);
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
    text += Text(TextId::NowPlayingTooltipHint);
    return text;
}

}  // namespace corvane
