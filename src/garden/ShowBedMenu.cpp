#include "garden/ShowBedMenu.h"

#include "base/Win32Handles.h"
#include "toolkit/PopupMenuGate.h"

#include <climits>

namespace corvane {
namespace {

int Length(std::wstring_view text) noexcept {
    return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                           : static_cast<int>(text.size());
}

}  // namespace

BedCommand ShowBedMenu(HWND bedWindow, const Bed& bed, bool roomForBed, POINT screen) noexcept {
    try {
        UniqueMenu menu(::CreatePopupMenu());
        if (!menu) {
            return BedCommand::None;
        }
        for (const BedMenuEntry& entry : BedMenuEntries(bed, roomForBed)) {
            if (entry.command == BedCommand::None) {
                ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
            } else {
                ::AppendMenuW(menu.Get(), MF_STRING | (entry.enabled ? 0u : MF_GRAYED),
                              static_cast<UINT_PTR>(entry.command), entry.text);
            }
        }
        ::SetForegroundWindow(bedWindow);
        const PopupMenuScope menuOpen;
        const BOOL chosen = ::TrackPopupMenuEx(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                               screen.x, screen.y, bedWindow, nullptr);
        return chosen >= static_cast<BOOL>(BedCommand::NewBed) &&
                       chosen <= static_cast<BOOL>(BedCommand::Settings)
                   ? static_cast<BedCommand>(chosen)
                   : BedCommand::None;
    } catch (...) {
        return BedCommand::None;
    }
}

int CompareItemNames(std::wstring_view a, std::wstring_view b) noexcept {
    int result = ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE | SORT_DIGITSASNUMBERS,
                                   a.data(), Length(a), b.data(), Length(b), nullptr, nullptr, 0);
    if (result == 0) {
        // A system without numeric ordering refuses the flag: sort as text.
        result = ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.data(), Length(a),
                                   b.data(), Length(b), nullptr, nullptr, 0);
    }
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

NameCompare UserNameCompare() {
    return [](std::wstring_view a, std::wstring_view b) { return CompareItemNames(a, b); };
}

}  // namespace corvane
