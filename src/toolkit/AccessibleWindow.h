#pragma once
// A surface window readable by screen readers: answers WM_GETOBJECT for its
// client area with an IAccessible that serves a snapshot of the tree the
// surface builds from its own layout, runs the readers' default actions as
// posted messages, and tells them of focus, name, value and state changes.
//
// The surface owns one AccessibleWindow and calls HandleMessage first in its
// window procedure. Readers may hold the object after the window is gone;
// from then on it answers RPC_E_DISCONNECTED.

#include "toolkit/AccessibleNode.h"

#include <windows.h>
#include <unknwn.h>

#include <memory>
#include <optional>

namespace corvane {

class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    // The surface's tree as its current layout stands; the root's location is
    // the client area. Called on the window's thread, never while an action
    // runs; may throw (the reader then gets an empty window).
    virtual AccessibleNode BuildAccessibleTree() = 0;
    // A reader asked for a node's default action: the surface does what the
    // same click or key does. Runs from the window procedure, never inside
    // the reader's call.
    virtual void RunAccessibleAction(int32_t actionId) = 0;
};

struct AccessibleLink;

class AccessibleWindow {
public:
    explicit AccessibleWindow(AccessibleSource& source);
    ~AccessibleWindow();
    AccessibleWindow(const AccessibleWindow&) = delete;
    AccessibleWindow& operator=(const AccessibleWindow&) = delete;

    // WM_GETOBJECT, the posted default actions and WM_NCDESTROY (after which
    // the served objects are cut off); the result when the message was taken.
    [[nodiscard]] std::optional<LRESULT> HandleMessage(HWND hwnd, UINT message, WPARAM wParam,
                                                       LPARAM lParam) noexcept;
    // What the surface shows changed: the next question builds a new snapshot.
    void Invalidate() noexcept;
    // Raises a WinEvent (EVENT_OBJECT_FOCUS, _NAMECHANGE, _VALUECHANGE,
    // _STATECHANGE, _SELECTION, EVENT_SYSTEM_MENUPOPUPSTART/END ...) for the
    // node with this action id in a fresh snapshot, or for the window itself
    // with kNoAccessibleAction. Nothing when no reader listens for it.
    void Notify(DWORD event, int32_t actionId) noexcept;

    // The tree as served now, rebuilt when invalidated; null before the window
    // exists, after it is gone, or when the surface could not build it.
    [[nodiscard]] const AccessibleTree* Tree() noexcept;
    [[nodiscard]] HWND Hwnd() const noexcept { return hwnd_; }
    // Posts the action to the window; false when it is gone.
    bool PostAction(int32_t actionId) const noexcept;
    // The message the default actions arrive with (registered once).
    [[nodiscard]] static UINT ActionMessage() noexcept;

    // The window goes without its WM_NCDESTROY reaching the surface: the
    // served objects are cut off now.
    void Disconnect() noexcept;

private:
    AccessibleSource& source_;
    HWND hwnd_ = nullptr;
    bool stale_ = true;
    std::optional<AccessibleTree> tree_;
    std::shared_ptr<AccessibleLink> link_;
    IUnknown* root_ = nullptr;  // the client object, made at the first request
};

}  // namespace corvane
