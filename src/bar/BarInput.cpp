// The bar and the mouse: hover and tooltips, clicks on each kind of item,
// the wheel over the status cluster and the application name's menu.

#include "bar/AppNameMenuModel.h"
#include "base/ForeignWindows.h"
#include "bar/Bar.h"
#include "bar/BarAccessibleTree.h"
#include "bar/BarClicks.h"
#include "bar/BarLayout.h"
#include "bar/BarTooltips.h"
#include "identity/AppLaunch.h"
#include "identity/ElevatedWindows.h"
#include "toolkit/KeyChord.h"
#include "toolkit/PopupMenuGate.h"
#include "bar/StatusRules.h"
#include "bar/StatusText.h"
#include "bar/SystemStatus.h"
#include "tray/TrayHost.h"

#include <shellapi.h>

#include <array>
#include <optional>

namespace corvane {
namespace {

constexpr unsigned kAutohideAfterLeaveMs = 450;
constexpr int kWindowTitleChars = 512;
constexpr int kLongDateChars = 128;
// The menu hangs this many pixels below the name.
constexpr LONG kAppNameMenuDrop = 2;

std::optional<BarButtonEvent> ButtonEventOf(UINT message) noexcept {
    switch (message) {
        case WM_LBUTTONDOWN:
            return BarButtonEvent{MouseButton::Left, true, false};
        case WM_LBUTTONDBLCLK:
            return BarButtonEvent{MouseButton::Left, true, true};
        case WM_LBUTTONUP:
            return BarButtonEvent{MouseButton::Left, false, false};
        case WM_RBUTTONDOWN:
            return BarButtonEvent{MouseButton::Right, true, false};
        case WM_RBUTTONDBLCLK:
            return BarButtonEvent{MouseButton::Right, true, true};
        case WM_RBUTTONUP:
            return BarButtonEvent{MouseButton::Right, false, false};
        case WM_MBUTTONDOWN:
            return BarButtonEvent{MouseButton::Middle, true, false};
        case WM_MBUTTONDBLCLK:
            return BarButtonEvent{MouseButton::Middle, true, true};
        case WM_MBUTTONUP:
            return BarButtonEvent{MouseButton::Middle, false, false};
        default:
            return std::nullopt;
    }
}

void OpenShellTarget(Worker& worker, const wchar_t* target) noexcept {
    try {
        LaunchInBackground(worker, target, L"open");
    } catch (...) {
        // Out of memory for the copy: nothing opens.
    }
}

// Fills `menu` from the model; submenus become owned by the menu they are
// appended to.
bool FillMenu(HMENU menu, const std::vector<AppNameMenuEntry>& entries) {
    for (const AppNameMenuEntry& e : entries) {
        switch (e.kind) {
            case AppNameMenuEntry::Kind::Separator:
                ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                break;
            case AppNameMenuEntry::Kind::Submenu: {
                UniqueMenu sub(::CreatePopupMenu());
                if (!sub || !FillMenu(sub.Get(), e.children)) {
                    return false;
                }
                if (::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.Get()),
                                  e.text.c_str())) {
                    (void)sub.Release();
                }
                break;
            }
            case AppNameMenuEntry::Kind::Item:
            default: {
                UINT flags = MF_STRING;
                if (e.grayed) {
                    flags |= static_cast<UINT>(MF_GRAYED);
                }
                if (e.checked) {
                    flags |= static_cast<UINT>(MF_CHECKED);
                }
                ::AppendMenuW(menu, flags, e.id, e.text.c_str());
                break;
            }
        }
    }
    return true;
}

WPARAM SysCommandOf(WindowCommand command) noexcept {
    switch (command) {
        case WindowCommand::Minimize:
            return SC_MINIMIZE;
        case WindowCommand::Maximize:
            return SC_MAXIMIZE;
        case WindowCommand::Restore:
            return SC_RESTORE;
        case WindowCommand::Close:
            return SC_CLOSE;
        case WindowCommand::None:
        default:
            return 0;
    }
}

// What a window that ignores our messages gets instead: its show state,
// which the system changes for us. It cannot be closed from here.
int ShowCommandOf(WindowCommand command) noexcept {
    switch (command) {
        case WindowCommand::Minimize:
            return SW_MINIMIZE;
        case WindowCommand::Maximize:
            return SW_MAXIMIZE;
        case WindowCommand::Restore:
            return SW_RESTORE;
        case WindowCommand::Close:
        case WindowCommand::None:
        default:
            return -1;
    }
}

}  // namespace

void Bar::OnMouseMove(int x, int y) {
    if (!mouseTracked_) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, Hwnd(), 0};
        mouseTracked_ = ::TrackMouseEvent(&tme) != FALSE;
    }
    // A pressed or dragged tray icon owns the pointer until it is let go.
    if (OnTrayMove(x, y)) {
        return;
    }
    const int hit = HitTestBar(Items(), static_cast<float>(x), static_cast<float>(y), dpi_);
    UpdateTrayHover(hit, ToScreen(x, y));
    if (hit != hoverIndex_) {
        hoverIndex_ = hit;
        UpdateTooltip();
        Repaint();
    }
}

void Bar::OnMouseLeave() {
    mouseTracked_ = false;
    if (context_.settings.autohide) {
        ::SetTimer(Hwnd(), TIMER_BAR_AUTOHIDE, kAutohideAfterLeaveMs, nullptr);
    }
    if (trayDrag_.Dragging()) {
        return;
    }
    // A press that never became a drag gets no release here any more.
    trayDrag_.Reset();
    EndTrayHover();
    const bool hoverChanged = hoverIndex_ != -1;
    hoverIndex_ = -1;
    if (hoverChanged) {
        UpdateTooltip();
    }
    if (press_.Pressed() || hoverChanged) {
        press_.Cancel();
        Repaint();
    }
}

void Bar::OnCaptureChanged(HWND newCapture) {
    if (trayDrag_.Dragging() && newCapture != Hwnd()) {
        OnTrayCaptureLost();
    }
}

void Bar::OnButton(UINT message, int x, int y) {
    const std::optional<BarButtonEvent> event = ButtonEventOf(message);
    if (!event) {
        return;
    }
    if (message == WM_LBUTTONUP && trayDrag_.Active()) {
        OnTrayRelease(x, y);
        return;
    }
    const int hit = HitTestBar(Items(), static_cast<float>(x), static_cast<float>(y), dpi_);
    const BarButtonOutcome outcome = DecideBarButton(Items(), press_, hit, *event);
    if (outcome.pressedIndex != press_.Target()) {
        // Presses here only click; a tray icon's drag is trayDrag_'s.
        press_.Press(outcome.pressedIndex, x, y, {}, false);
    }
    Repaint();

    switch (outcome.action) {
        case BarClickAction::TrayPress:
            OnTrayPress(hit, message, x, y);
            break;
        case BarClickAction::TrayForward:
            if (const auto key = TrayKeyOf(Items()[static_cast<std::size_t>(hit)])) {
                SendTrayMouse(*key, message, ToScreen(x, y));
            }
            break;
        default:
            RunClickAction(outcome.action, hit, false);
            break;
    }
    if (outcome.clearPressedAfter) {
        press_.Cancel();
        Repaint();
    }
}

void Bar::RunClickAction(BarClickAction action, int hit, bool fromKeyboard) {
    switch (action) {
        case BarClickAction::OpenMenus:
            OpenMenus(hit, fromKeyboard);
            break;
        case BarClickAction::AppNameMenu: {
            // The menu runs a loop of its own, during which the bar may be
            // laid out again; the menu keeps the item it was opened from.
            const BarItem item = Items()[static_cast<std::size_t>(hit)];
            AppNameMenu(item);
            break;
        }
        case BarClickAction::ToggleTiling:
            ToggleTiling();
            break;
        case BarClickAction::QuickSettings:
            TakeForegroundFromUnreachable(Hwnd());
            SendKeyChord({VK_LWIN, 'A'});
            break;
        case BarClickAction::SoundSettings:
            OpenShellTarget(context_.worker, L"ms-settings:sound");
            break;
        case BarClickAction::ToggleMute:
            if (context_.status != nullptr) {
                context_.status->ToggleMute();
            }
            context_.host.RefreshBars();
            UpdateTooltip();
            break;
        case BarClickAction::Notifications:
            TakeForegroundFromUnreachable(Hwnd());
            SendKeyChord({VK_LWIN, 'N'});
            break;
        case BarClickAction::DateTimeSettings:
            OpenShellTarget(context_.worker, L"ms-settings:dateandtime");
            break;
        case BarClickAction::NowPlayingCard: {
            const PixelRect box = ItemPixelBox(Items()[static_cast<std::size_t>(hit)], dpi_);
            const POINT topLeft = ToScreen(box.left, box.top);
            const RECT anchor{topLeft.x, topLeft.y, topLeft.x + box.Width(),
                              topLeft.y + box.Height()};
            context_.nowPlaying.OpenCard(anchor, false, dpi_);
            break;
        }
        case BarClickAction::PlayPause:
            context_.nowPlaying.TogglePlayPause();
            break;
        case BarClickAction::TilingSettings:
            context_.open.OpenSettings(kPageTiling);
            break;
        case BarClickAction::TrayPress:
        case BarClickAction::TrayForward:
        case BarClickAction::None:
        default:
            break;
    }
}

void Bar::OnWheel(int delta, int screenX, int screenY) {
    POINT pt{screenX, screenY};
    if (!::ScreenToClient(Hwnd(), &pt)) {
        return;
    }
    const int hit = HitTestBar(Items(), static_cast<float>(pt.x), static_cast<float>(pt.y), dpi_);
    if (hit < 0 || Items()[static_cast<std::size_t>(hit)].kind != BarItemKind::StatusItem) {
        return;
    }
    if (context_.status != nullptr) {
        context_.status->StepVolume(WheelVolumeDelta(delta));
    }
    context_.host.RefreshBars();
    UpdateTooltip();
}

void Bar::ToggleTiling() {
    context_.host.ToggleTiling();
    UpdateTooltip();
    for (std::size_t i = 0; i < Items().size(); ++i) {
        if (Items()[i].kind == BarItemKind::TilingButtonItem) {
            accessible_.Notify(EVENT_OBJECT_STATECHANGE,
                               BarActionId(static_cast<int>(i), BarItemKind::TilingButtonItem));
        }
    }
}

std::wstring Bar::TooltipText(const BarItem& item) const {
    switch (item.kind) {
        case BarItemKind::AppNameItem: {
            HWND window = context_.current.window;
            if (window == nullptr || !::IsWindow(window)) {
                return {};
            }
            return ForeignWindowTitle(window, kWindowTitleChars);
        }
        case BarItemKind::TilingButtonItem:
            return TilingTooltipText(context_.settings.tilingEnabled);
        case BarItemKind::StatusItem: {
            static const StatusModel kNoStatus;
            return StatusTooltipText(context_.status != nullptr ? context_.status->Model()
                                                                : kNoStatus);
        }
        case BarItemKind::ClockItem: {
            std::array<wchar_t, kLongDateChars> date{};
            const int n =
                ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr,
                                  date.data(), static_cast<int>(date.size()), nullptr);
            return n > 1 ? std::wstring(date.data(), static_cast<std::size_t>(n - 1))
                         : std::wstring();
        }
        case BarItemKind::TrayIconItem: {
            TrayHost* host = Tray();
            const TrayIcon* icon =
                host != nullptr ? host->Find(item.ownerWindow, item.iconId) : nullptr;
            return icon != nullptr ? TrayTooltipText(*icon) : std::wstring();
        }
        case BarItemKind::NowPlayingItem: {
            const NowPlayingWidgetView view = context_.nowPlaying.View();
            return NowPlayingTooltipText(view.title, view.artist, view.album);
        }
        case BarItemKind::MenuTitleItem:
        default:
            return {};
    }
}

void Bar::UpdateTooltip() {
    if (!tooltip_.Exists()) {
        return;
    }
    std::wstring text;
    if (hoverIndex_ >= 0 && static_cast<std::size_t>(hoverIndex_) < Items().size()) {
        text = TooltipText(Items()[static_cast<std::size_t>(hoverIndex_)]);
    }
    const TooltipUpdate plan = PlanTooltipUpdate(tooltip_.Text(), text);
    if (!plan.activate) {
        tooltip_.Hide();
        return;
    }
    tooltip_.SetArea(ItemPixelBox(Items()[static_cast<std::size_t>(hoverIndex_)], dpi_));
    if (plan.sendText) {
        tooltip_.SetText(std::move(text));
    }
    tooltip_.Show();
}

void Bar::AppNameMenu(const BarItem& item) {
    const HWND target = context_.current.window;
    const bool valid = target != nullptr && ::IsWindow(target);

    AppNameMenuFacts facts;
    facts.targetValid = valid;
    facts.targetMaximized = valid && ::IsZoomed(target);
    facts.tilingActive = context_.host.TilingActive();
    facts.targetFloating = valid && context_.host.IsFloating(target);
    facts.displayName = context_.current.displayName;
    facts.exeName = context_.current.exeName;
    facts.floatList = context_.settings.floatingApps;
    facts.hiddenTray = context_.settings.trayHidden;
    facts.targetBeyondReach = valid && IsWindowBeyondReach(target);

    UniqueMenu menu(::CreatePopupMenu());
    if (!menu || !FillMenu(menu.Get(), BuildAppNameMenu(facts))) {
        return;
    }
    const PixelRect box = ItemPixelBox(item, dpi_);
    POINT anchor{box.left, box.bottom + kAppNameMenuDrop};
    ::ClientToScreen(Hwnd(), &anchor);

    // A popup menu only closes on an outside click when its owner is in front.
    ::SetForegroundWindow(Hwnd());
    const PopupMenuScope menuOpen;
    popupOpen_ = true;
    if (keyboardFocus_) {
        // Opened by a key: the first entry shows selected, as in a menu bar.
        ::PostMessageW(Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    }
    const auto id = static_cast<uint32_t>(::TrackPopupMenuEx(
        menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY, anchor.x, anchor.y, Hwnd(), nullptr));
    EndPopup();
    ::PostMessageW(Hwnd(), WM_NULL, 0, 0);
    menu.Reset();

    const bool stillValid = target != nullptr && ::IsWindow(target);
    const WindowCommand command = AppNameWindowCommand(id, stillValid && ::IsZoomed(target));
    if (command != WindowCommand::None && stillValid) {
        if (!facts.targetBeyondReach) {
            ::PostMessageW(target, WM_SYSCOMMAND, SysCommandOf(command), 0);
        } else if (const int show = ShowCommandOf(command); show >= 0) {
            (void)::ShowWindowAsync(target, show);
        }
    }
    switch (id) {
        case kMenuQuit:
            ::PostQuitMessage(0);
            break;

        case kMenuNeverTile:
            context_.host.ToggleNeverTile(facts.exeName);
            break;
        case kMenuFloatWindow:  // offered only while tiling runs
            if (stillValid) {
                context_.host.ToggleFloating(target);
            }
            break;
        default:
            if (const auto entry = HiddenTrayEntryOf(id, facts.hiddenTray)) {
                context_.host.UnhideTrayEntry(*entry);
            }
            break;
    }
    // Closed without a choice from the keyboard, the name keeps the focus.
    const bool keyboardStays = keyboardFocus_ && id == 0;
    if (AppNameMenuReturnsForeground(id) && !keyboardStays && target != nullptr &&
        ::IsWindow(target)) {
        ::SetForegroundWindow(target);
    }
    // After the application got its focus back, so that the window opens in
    // front of it.
    if (id == kMenuSettings) {
        context_.open.OpenSettings(kPageGeneral);
    }
}

}  // namespace corvane
