#include "toolkit/Tooltip.h"

#include <commctrl.h>

#include <utility>

namespace corvane {
namespace {

constexpr int kMaxWidth = 480;
constexpr UINT_PTR kToolId = 1;

// The one tool, which covers the whole owner.
TOOLINFOW Tool(HWND owner) noexcept {
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = owner;
    ti.uId = kToolId;
    return ti;
}

}  // namespace

void Tooltip::Create(HWND owner, HINSTANCE instance, Placement placement) noexcept {
    owner_ = owner;
    placement_ = placement;
    text_.clear();
    window_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                    instance, nullptr));
    if (!window_) {
        return;
    }
    TOOLINFOW ti = Tool(owner_);
    ti.uFlags = placement == Placement::NearPointer ? TTF_SUBCLASS : TTF_TRACK | TTF_ABSOLUTE;
    ti.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(window_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageW(window_.Get(), TTM_SETMAXTIPWIDTH, 0, kMaxWidth);
    if (placement == Placement::NearPointer) {
        ::SendMessageW(window_.Get(), TTM_ACTIVATE, FALSE, 0);
    }
}

void Tooltip::SetText(std::wstring text) noexcept {
    if (!window_) {
        return;
    }
    text_ = std::move(text);
    TOOLINFOW ti = Tool(owner_);
    ti.lpszText = text_.data();
    ::SendMessageW(window_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Tooltip::SetArea(const PixelRect& area) noexcept {
    if (!window_) {
        return;
    }
    TOOLINFOW ti = Tool(owner_);
    ti.rect = {area.left, area.top, area.right, area.bottom};
    ::SendMessageW(window_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Tooltip::Show() noexcept {
    if (window_) {
        ::SendMessageW(window_.Get(), TTM_ACTIVATE, TRUE, 0);
    }
}

void Tooltip::ShowAbove(int32_t centreX, int32_t bottom) noexcept {
    if (!window_) {
        return;
    }
    TOOLINFOW ti = Tool(owner_);
    const auto bubble = static_cast<DWORD>(
        ::SendMessageW(window_.Get(), TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&ti)));
    const int x = centreX - LOWORD(bubble) / 2;
    const int y = bottom - HIWORD(bubble);
    ::SendMessageW(window_.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
    ::SendMessageW(window_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
}

void Tooltip::Hide() noexcept {
    text_.clear();
    if (!window_) {
        return;
    }
    if (placement_ == Placement::NearPointer) {
        ::SendMessageW(window_.Get(), TTM_ACTIVATE, FALSE, 0);
    } else {
        TOOLINFOW ti = Tool(owner_);
        ::SendMessageW(window_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    }
}

}  // namespace corvane
