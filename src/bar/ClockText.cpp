#include "bar/ClockText.h"

#include "bar/BarTextCompose.h"

#include <windows.h>

namespace corvane {

std::wstring FormatClockText(const std::wstring& dateFormat, bool showSeconds) {
    // An empty picture means no date at all; not asking Windows keeps that
    // independent of how it treats an empty picture.
    std::wstring date;
    if (!dateFormat.empty()) {
        wchar_t buffer[128] = {};
        const int n = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, dateFormat.c_str(),
                                        buffer, 128, nullptr);
        if (n > 1) {
            date.assign(buffer, static_cast<std::size_t>(n - 1));
        }
    }

    std::wstring time;
    wchar_t buffer[64] = {};
    const int n = ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, showSeconds ? 0 : TIME_NOSECONDS,
                                    nullptr, nullptr, buffer, 64);
    if (n > 1) {
        time.assign(buffer, static_cast<std::size_t>(n - 1));
    }
    return ComposeClockText(date, time);
}

}  // namespace corvane
