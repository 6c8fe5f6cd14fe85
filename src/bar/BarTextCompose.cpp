#include "bar/BarTextCompose.h"

namespace corvane {

std::wstring ComposeClockText(std::wstring_view date, std::wstring_view time) {
    std::wstring text;
    if (!date.empty()) {
        text.reserve(date.size() + 3 + time.size());
        text.append(date);
        text.append(L"   ");
    }
    text.append(time);
    return text;
}

std::wstring ComposeNowPlayingText(std::wstring_view title, std::wstring_view artist) {
    std::wstring text(title);
    if (!artist.empty()) {
        text.append(L"  \u2014  ");
        text.append(artist);
    }
    return text;
}

}  // namespace corvane
