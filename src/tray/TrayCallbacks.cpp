#include "tray/TrayCallbacks.h"

namespace corvane {
namespace {

constexpr uint32_t kMouseMove = 0x200;    // WM_MOUSEMOVE
constexpr uint32_t kLeftDown = 0x201;     // WM_LBUTTONDOWN
constexpr uint32_t kLeftUp = 0x202;       // WM_LBUTTONUP
constexpr uint32_t kLeftDouble = 0x203;   // WM_LBUTTONDBLCLK
constexpr uint32_t kRightDown = 0x204;    // WM_RBUTTONDOWN
constexpr uint32_t kRightUp = 0x205;      // WM_RBUTTONUP
constexpr uint32_t kRightDouble = 0x206;  // WM_RBUTTONDBLCLK
constexpr uint32_t kMiddleDown = 0x207;   // WM_MBUTTONDOWN
constexpr uint32_t kContextMenu = 0x7B;   // WM_CONTEXTMENU
constexpr uint32_t kMouseHover = 0x2A1;   // WM_MOUSEHOVER
constexpr uint32_t kMouseLeave = 0x2A3;   // WM_MOUSELEAVE
constexpr uint32_t kVersionSelect = 3;    // the version that added select and context menu
constexpr uint32_t kVersionCursor = 4;    // the version that gets the cursor and pop-ups

TrayMessages One(uint32_t message) noexcept {
    TrayMessages m;
    m.messages[0] = message;
    m.count = 1;
    return m;
}

void Then(TrayMessages& m, uint32_t message) noexcept {
    m.messages[m.count++] = message;
}

}  // namespace

TrayCallbackParams PackTrayCallback(uint32_t version, uint32_t id, uint32_t message,
                                    int32_t cursorX, int32_t cursorY) noexcept {
    TrayCallbackParams p;
    if (version >= kVersionCursor) {
        p.wParam = static_cast<uint32_t>(cursorY) << 16 | (static_cast<uint32_t>(cursorX) & 0xFFFF);
        p.lParam = static_cast<uint32_t>(id << 16 | (message & 0xFFFF));
    } else {
        p.wParam = id;
        p.lParam = message;
    }
    return p;
}

TrayMessages TrayMouseMessages(uint32_t version, uint32_t mouseMessage) noexcept {
    TrayMessages m = One(mouseMessage);
    m.grantForeground = mouseMessage == kLeftDown || mouseMessage == kLeftDouble ||
                        mouseMessage == kRightDown || mouseMessage == kRightDouble ||
                        mouseMessage == kMiddleDown;
    if (version >= kVersionSelect) {
        if (mouseMessage == kLeftUp) {
            Then(m, kTraySelect);
        } else if (mouseMessage == kRightUp) {
            Then(m, kContextMenu);
        }
    }
    return m;
}

TrayMessages TrayHoverMessages(uint32_t version) noexcept {
    TrayMessages m = One(kMouseHover);
    if (version >= kVersionCursor) {
        Then(m, kTrayPopupOpen);
    }
    return m;
}

TrayMessages TrayLeaveMessages(uint32_t version) noexcept {
    TrayMessages m = One(kMouseLeave);
    if (version >= kVersionCursor) {
        Then(m, kTrayPopupClose);
    }
    return m;
}

TrayMessages TrayMoveMessages() noexcept {
    return One(kMouseMove);
}

}  // namespace corvane
