#include "start/Launcher.h"

#include "start/AppCatalog.h"
#include "start/LauncherImpl.h"
#include "start/PinRules.h"
#include "start/StartActions.h"
#include "start/StartHost.h"
#include "toolkit/SystemDragThreshold.h"

#include <windowsx.h>

#include <optional>
#include <string>
#include <utility>

namespace corvane {
namespace {

// Holding a dragged icon at an edge this long turns the page.
constexpr UINT kEdgePageMs = 650;

}  // namespace

void Launcher::OnMouseMove(POINT pixel, bool leftDown) {
    Impl& s = *impl_;
    const float toDips = 96.0f / static_cast<float>(Dpi());
    const float x = static_cast<float>(pixel.x) * toDips;
    const float y = static_cast<float>(pixel.y) * toDips;
    Relayout();
    if (leftDown && s.press.Pressed() && query_.Text().empty()) {
        if (s.press.Move(pixel.x, pixel.y) == GestureStep::DragStarted) {
            s.drag = s.press.Target();
            s.grab = {static_cast<float>(s.press.PressX()) * toDips,
                      static_cast<float>(s.press.PressY()) * toDips};
            ::SetCapture(Hwnd());
        }
        if (s.press.Dragging()) {
            s.pointer = {x, y};
            const int32_t slot =
                LauncherDropSlot(s.layout, s.arranged.grid.size(), s.motion.Page(), x, y);
            if (slot >= 0 && slot != s.drag) {
                MoveArranged(s.arranged, s.drag, slot);
                // The icon stays under the pointer in its new cell.
                const LauncherCell from = s.layout.CellOf(s.drag, s.motion.Scroll());
                const LauncherCell to = s.layout.CellOf(slot, s.motion.Scroll());
                s.grab.x += to.x - from.x;
                s.grab.y += to.y - from.y;
                s.drag = slot;
            }
            if (EdgeUnderDrag(s.layout, x) == 0) {
                if (s.edgeTimer) {
                    ::KillTimer(Hwnd(), TIMER_SURFACE_EDGE_PAGE);
                    s.edgeTimer = false;
                }
            } else if (!s.edgeTimer) {
                s.edgeTimer =
                    ::SetTimer(Hwnd(), TIMER_SURFACE_EDGE_PAGE, kEdgePageMs, nullptr) != 0;
            }
            Repaint();  // the icon follows the pointer
        }
    }
    const int32_t hover =
        LauncherItemAt(s.layout, ShownCount(), s.motion.Page(), s.motion.Scroll(), x, y);
    if (hover != s.hover) {
        s.hover = hover;
        Repaint();
    }
}

void Launcher::EndDrag() {
    Impl& s = *impl_;
    // Off before the capture goes: releasing it reports the change here.
    s.press.Cancel();
    s.drag = -1;
    if (s.edgeTimer) {
        ::KillTimer(Hwnd(), TIMER_SURFACE_EDGE_PAGE);
        s.edgeTimer = false;
    }
    if (::GetCapture() == Hwnd()) {
        ::ReleaseCapture();
    }
    Repaint();
}

bool Launcher::DropHeld() {
    if (!impl_->press.Dragging()) {
        return false;
    }
    EndDrag();
    SaveOrder();
    return true;
}

void Launcher::OnLeftButtonUp(float x, float y) {
    Impl& s = *impl_;
    Relayout();
    if (DropHeld()) {
        return;
    }
    const int32_t pressed = s.press.Target();
    const int32_t item =
        LauncherItemAt(s.layout, ShownCount(), s.motion.Page(), s.motion.Scroll(), x, y);
    const bool clicked = s.press.Release(item) == GestureStep::Clicked;
    const int32_t pages = s.layout.Pages(ShownCount());
    if (const int32_t dot = PageDotAt(s.layout, pages, x, y); dot >= 0) {
        GoToPage(dot);
        return;
    }
    if (clicked) {
        LaunchIndex(item);
    } else if (item < 0 && pressed < 0 && !Contains(LauncherSearchBox(s.layout), x, y)) {
        Close(true);
    }
}

void Launcher::OnRightButtonUp(float x, float y) {
    Impl& s = *impl_;
    Relayout();
    OpenItemMenu(LauncherItemAt(s.layout, ShownCount(), s.motion.Page(), s.motion.Scroll(), x, y),
                 std::nullopt);
}

void Launcher::OnContextMenuKey() {
    Impl& s = *impl_;
    Relayout();
    if (Shown(s.selection) == nullptr) {
        return;
    }
    // Where the page will stand once it has turned to the selection.
    const LauncherCell cell = s.layout.CellOf(s.selection, static_cast<float>(s.motion.Page()));
    const float toPixels = static_cast<float>(Dpi()) / 96.0f;
    POINT at = {static_cast<LONG>((cell.x + s.layout.cellWidth / 2.0f) * toPixels),
                static_cast<LONG>((cell.y + s.layout.icon) * toPixels)};
    ::ClientToScreen(Hwnd(), &at);
    OpenItemMenu(s.selection, at);
}

void Launcher::OpenItemMenu(int32_t index, std::optional<POINT> at) {
    const AppEntry* item = Shown(index);
    if (item == nullptr) {
        return;
    }
    const AppEntry entry = *item;
    StartHost& host = context_.host;
    const Settings& settings = context_.settings;
    // CorMenu's pinned list, as CorMenu keeps it.
    const auto pinned = [&settings] {
        return LoadMenuPinned(settings.menuPinnedSet, settings.menuPinned, settings.pinned)
            .identifiers;
    };
    ItemMenuOptions options;
    options.at = at;
    // Against the whole catalog, as CorMenu resolves its pins: an old program
    // path names only the entry it shows as.
    options.pinnedInMenu = [this, &pinned](const AppEntry& e) {
        return IsPinned(pinned(), e, catalog_.Entries());
    };
    options.togglePin = [this, &pinned, &host](const AppEntry& e, bool pin) {
        host.SaveMenuPinned(WithPinned(pinned(), e, pin, catalog_.Entries()));
    };
    options.pinToDock = [&settings, &dockPins = context_.dockPins](const AppEntry& e) {
        if (auto dock = WithDockPin(settings.pinned, e)) {
            dockPins.SaveDockPinned(std::move(*dock), nullptr);
        }
    };
    RunItemMenu(entry, options, context_);
}

void Launcher::OnWheel(int32_t signedDelta) {
    Impl& s = *impl_;
    if (!query_.Text().empty()) {
        return;
    }
    Relayout();
    if (s.motion.Wheel(signedDelta, s.layout.Pages(ShownCount()), SurfaceNowMs())) {
        s.hover = -1;
        Repaint();
    }
}

void Launcher::OnEdgeTimer() {
    Impl& s = *impl_;
    ::KillTimer(Hwnd(), TIMER_SURFACE_EDGE_PAGE);
    s.edgeTimer = false;
    if (!s.press.Dragging()) {
        return;
    }
    POINT cursor = {};
    if (!::GetCursorPos(&cursor) || !::ScreenToClient(Hwnd(), &cursor)) {
        return;
    }
    Relayout();
    const float toDips = 96.0f / static_cast<float>(Dpi());
    const float x = static_cast<float>(cursor.x) * toDips;
    const int32_t edge = EdgeUnderDrag(s.layout, x);
    if (edge == 0) {
        return;
    }
    GoToPage(s.motion.Page() + edge);
    // The icon goes along to the new page, and held at the edge it turns
    // the next one too.
    OnMouseMove(cursor, true);
}

void Launcher::OnCatalogTimer() {
    Impl& s = *impl_;
    ::KillTimer(Hwnd(), TIMER_SURFACE_CATALOG);
    const std::size_t before = catalog_.Entries().size();
    if (catalog_.GetApps(kCatalogInUseAgeMs).size() == before || s.press.Dragging()) {
        return;
    }
    Relayout();
    BuildGrid();
    RunSearch();
    KeepInsideList();
    Repaint();
}

bool Launcher::OnKey(WPARAM key) {
    Impl& s = *impl_;
    Relayout();
    const std::size_t count = ShownCount();
    const bool typed = !query_.Text().empty();
    switch (key) {
        case VK_RETURN:
            if (count == 0 && typed) {
                const std::wstring query = query_.Text();
                Close(true);
                SearchFiles(query, context_);
            } else if (s.selection >= 0) {
                LaunchIndex(s.selection);
            } else if (typed) {
                LaunchIndex(0);
            }
            break;
        case VK_ESCAPE:
            if (typed) {
                query_.Clear();
                OnQueryChanged();
                s.selection = -1;
            } else {
                Close(true);
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
            // The caret's, until an arrow went into the grid; an empty query
            // has nowhere for it to go.
            if (typed && !s.keysInGrid) {
                return EditQueryKey(key);
            }
            [[fallthrough]];
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT: {
            const LauncherKey which = key == VK_PRIOR   ? LauncherKey::PageUp
                                      : key == VK_NEXT  ? LauncherKey::PageDown
                                      : key == VK_LEFT  ? LauncherKey::Left
                                      : key == VK_RIGHT ? LauncherKey::Right
                                      : key == VK_UP    ? LauncherKey::Up
                                                        : LauncherKey::Down;
            const LauncherKeyMove move =
                MoveInLauncher(s.layout, count, which, s.selection, s.motion.Page());
            // Up from the top row gives the arrows back to the caret.
            s.keysInGrid = !(which == LauncherKey::Up && move.selection == s.selection);
            s.selection = move.selection;
            GoToPage(move.page);
            break;
        }
        default:
            if (EditQueryKey(key)) {
                s.keysInGrid = false;
                Repaint();
                return true;
            }
            return false;
    }
    Repaint();
    return true;
}

LRESULT Launcher::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const float toDips = 96.0f / static_cast<float>(Dpi());
    const float x = static_cast<float>(GET_X_LPARAM(lParam)) * toDips;
    const float y = static_cast<float>(GET_Y_LPARAM(lParam)) * toDips;
    Impl& s = *impl_;
    switch (message) {
        case WM_MOUSEMOVE:
            OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_LBUTTON) != 0);
            return 0;
        case WM_LBUTTONDOWN:
            Relayout();
            s.press.Press(
                LauncherItemAt(s.layout, ShownCount(), s.motion.Page(), s.motion.Scroll(), x, y),
                GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), SystemDragThreshold(Dpi()));
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(x, y);
            return 0;
        case WM_RBUTTONUP:
            OnRightButtonUp(x, y);
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(-GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_MOUSEHWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Hwnd()) {
                DropHeld();
            }
            return 0;
        case WM_KEYDOWN:
            if (OnKey(wParam)) {
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            // The system's default handling of the context-menu key and
            // Shift+F10 sends it with no point: the menu goes to the
            // selection. A pointer's right click is handled on its release.
            if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
                OnContextMenuKey();
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam == TIMER_SURFACE_EDGE_PAGE) {
                OnEdgeTimer();
                return 0;
            }
            if (wParam == TIMER_SURFACE_CATALOG) {
                OnCatalogTimer();
                return 0;
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
}

}  // namespace corvane
