// The settings window's answers to the pointer and the keys.

#include "settings/SettingsWindowImpl.h"

#include "base/Win32Handles.h"
#include "toolkit/PopupMenuGate.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace corvane {

void SettingsWindow::Impl::OnMouseMove(LPARAM lParam) {
    const D2D1_POINT_2F p = ToDips(lParam);
    if (!tracking_) {
        TRACKMOUSEEVENT leave = {sizeof(leave), TME_LEAVE, Hwnd(), 0};
        tracking_ = ::TrackMouseEvent(&leave) != FALSE;
    }
    if (ValidRow(dragRow_)) {
        const SettingsRow& row = rows_[static_cast<std::size_t>(dragRow_)];
        const PointRect& track = boxes_[static_cast<std::size_t>(dragRow_)].control;
        const int32_t value =
            SliderValueAt(p.x, track.left, track.right, row.min, row.max, row.step);
        if (value != dragValue_) {
            dragValue_ = value;
            Repaint();
        }
        return;
    }
    const int32_t entry = SidebarEntryAt(p.x, p.y, Sidebar());
    const int32_t row = p.x >= kSidebarWidth ? RowAt(rows_, boxes_, p.x, p.y, scroll_) : -1;
    if (entry != hoverEntry_ || row != hoverRow_) {
        hoverEntry_ = entry;
        hoverRow_ = row;
        Repaint();
    }
}

void SettingsWindow::Impl::OnButtonDown(LPARAM lParam) {
    const D2D1_POINT_2F p = ToDips(lParam);
    pressRow_ = -1;
    if (const int32_t entry = SidebarEntryAt(p.x, p.y, Sidebar()); entry >= 0) {
        ShowPage(entry);
        return;
    }
    const int32_t index = p.x >= kSidebarWidth ? RowAt(rows_, boxes_, p.x, p.y, scroll_) : -1;
    if (!ValidRow(index)) {
        return;
    }
    pressRow_ = index;
    const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
    if (row.kind == RowKind::Slider && row.getInt &&
        OnSliderTrack(boxes_[static_cast<std::size_t>(index)], p.x, p.y, scroll_)) {
        dragValue_ = row.getInt();
        dragRow_ = index;
        ::SetCapture(Hwnd());
        Repaint();
    }
}

void SettingsWindow::Impl::OnButtonUp(LPARAM lParam) {
    if (dragRow_ >= 0) {
        const int32_t index = dragRow_;
        pressRow_ = -1;
        dragRow_ = -1;  // before the capture goes, which would cancel the drag
        bool changed = false;
        ::ReleaseCapture();
        if (ValidRow(index)) {
            const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
            // Copies: the setter may build the rows again.
            const auto get = row.getInt;
            const auto set = row.setInt;
            if (get && set && get() != dragValue_) {
                set(dragValue_);
                changed = true;
            }
        }
        if (Hwnd() != nullptr) {
            Rebuild();
            if (changed) {
                NotifyRow(EVENT_OBJECT_VALUECHANGE, index);
            }
        }
        return;
    }
    const D2D1_POINT_2F p = ToDips(lParam);
    const int32_t index = p.x >= kSidebarWidth ? RowAt(rows_, boxes_, p.x, p.y, scroll_) : -1;
    if (!ValidRow(index) || std::exchange(pressRow_, -1) != index) {
        return;
    }
    const std::size_t i = static_cast<std::size_t>(index);
    if (rows_[i].kind == RowKind::Button &&
        !Contains(Scrolled(boxes_[i], scroll_).control, p.x, p.y)) {
        return;
    }
    Act(index, false);
}

void SettingsWindow::Impl::OnWheel(WPARAM wParam) {
    const float scroll =
        WheelScroll(scroll_, GET_WHEEL_DELTA_WPARAM(wParam), ContentHeight(boxes_), ViewHeight());
    if (scroll != scroll_) {
        scroll_ = scroll;
        // What is under the pointer has moved.
        POINT cursor = {};
        if (dragRow_ < 0 && ::GetCursorPos(&cursor) && ::ScreenToClient(Hwnd(), &cursor)) {
            const float s = 96.0f / static_cast<float>(dpi_);
            const float x = static_cast<float>(cursor.x) * s;
            hoverRow_ = x >= kSidebarWidth
                            ? RowAt(rows_, boxes_, x, static_cast<float>(cursor.y) * s, scroll_)
                            : -1;
        }
        Repaint();
    }
}

void SettingsWindow::Impl::OnKey(WPARAM key) {
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (key) {
        case VK_ESCAPE:
            ::DestroyWindow(Hwnd());
            return;
        case VK_TAB:
            MoveFocus(shift ? -1 : 1);
            return;
        case VK_PRIOR:
        case VK_NEXT:
            // Ctrl+Page Up / Page Down: the sidebar's pages, wrapping.
            if ((::GetKeyState(VK_CONTROL) & 0x8000) != 0) {
                ShowPage((page_ + (key == VK_NEXT ? 1 : kSettingsPageCount - 1)) %
                         kSettingsPageCount);
            }
            return;
        case VK_UP:
            MoveFocus(-1);
            return;
        case VK_DOWN:
            MoveFocus(1);
            return;
        case VK_SPACE:
        case VK_RETURN:
            if (ValidRow(focusRow_) &&
                rows_[static_cast<std::size_t>(focusRow_)].kind != RowKind::Slider) {
                Act(focusRow_, true);
            }
            return;
        case VK_LEFT:
        case VK_RIGHT:
            StepSlider(focusRow_, key == VK_LEFT ? -1 : 1);
            return;
        default:
            return;
    }
}

void SettingsWindow::Impl::MoveFocus(int32_t step) {
    const int32_t next = NextInteractiveRow(rows_, focusRow_, step);
    if (next == focusRow_) {
        return;
    }
    focusRow_ = next;
    if (ValidRow(next)) {
        scroll_ =
            ClampScroll(ScrollToShow(boxes_[static_cast<std::size_t>(next)], scroll_, ViewHeight()),
                        ContentHeight(boxes_), ViewHeight());
    }
    Repaint();
    NotifyRow(EVENT_OBJECT_FOCUS, next);
}

void SettingsWindow::Impl::ShowPage(int32_t page) {
    page_ = std::clamp(page, 0, kSettingsPageCount - 1);
    scroll_ = 0;
    hoverRow_ = -1;
    focusRow_ = -1;
    Rebuild();
    accessible_.Notify(EVENT_OBJECT_SELECTION, page_);
}

void SettingsWindow::Impl::Act(int32_t index, bool viaKeyboard) {
    const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
    DWORD told = 0;  // the event the row's change raises
    switch (row.kind) {
        case RowKind::Toggle: {
            const auto get = row.getBool;
            const auto set = row.setBool;
            if (get && set) {
                set(!get());
                told = EVENT_OBJECT_STATECHANGE;
            }
            break;
        }
        case RowKind::Choice:
            told = OpenChoice(index, viaKeyboard) ? EVENT_OBJECT_VALUECHANGE : 0;
            break;
        case RowKind::Button: {
            const auto action = row.action;
            if (action) {
                action();
            }
            break;
        }
        default:
            return;
    }
    // An action may have closed the window.
    if (Hwnd() != nullptr) {
        Rebuild();
        if (told != 0) {
            NotifyRow(told, index);
        }
    }
}

bool SettingsWindow::Impl::OpenChoice(int32_t index, bool viaKeyboard) {
    const std::size_t i = static_cast<std::size_t>(index);
    const SettingsRow row = rows_[i];  // the menu's loop may rebuild the rows
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu) {
        return false;
    }
    const int32_t current = CurrentChoiceOption(row);
    for (std::size_t option = 0; option < row.options.size(); ++option) {
        const UINT flags =
            MF_STRING | (static_cast<int32_t>(option) == current ? MF_CHECKED : MF_UNCHECKED);
        ::AppendMenuW(menu.Get(), flags, option + 1, row.options[option].c_str());
    }
    POINT at = {};
    if (viaKeyboard) {
        const PointRect control = Scrolled(boxes_[i], scroll_).control;
        at = {::MulDiv(static_cast<int>(control.left), static_cast<int>(dpi_), 96),
              ::MulDiv(static_cast<int>(control.bottom), static_cast<int>(dpi_), 96)};
        ::ClientToScreen(Hwnd(), &at);
    } else {
        ::GetCursorPos(&at);
    }
    const PopupMenuScope menuOpen;
    const auto chosen = static_cast<std::size_t>(::TrackPopupMenu(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Hwnd(), nullptr));
    if (chosen == 0 || chosen > row.options.size() || !row.setInt) {
        return false;
    }
    const int32_t value = ChoiceOptionValue(row, chosen - 1);
    if (row.getInt && row.getInt() == value) {
        return false;
    }
    row.setInt(value);
    return true;
}

void SettingsWindow::Impl::StepSlider(int32_t index, int32_t direction) {
    if (!ValidRow(index)) {
        return;
    }
    const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
    const auto get = row.getInt;
    const auto set = row.setInt;
    if (row.kind != RowKind::Slider || !get || !set || row.max < row.min) {
        return;
    }
    const int32_t old = get();
    // A stored value beyond the slider's end (the file allows more) stays
    // until the key points back into the range.
    if ((direction > 0 && old >= row.max) || (direction < 0 && old <= row.min)) {
        return;
    }
    const int32_t step = std::max(row.step, 1);
    const int32_t value = std::clamp(old + direction * step, row.min, row.max);
    if (value != old) {
        set(value);
        if (Hwnd() != nullptr) {
            Rebuild();
            NotifyRow(EVENT_OBJECT_VALUECHANGE, index);
        }
    }
}

}  // namespace corvane
