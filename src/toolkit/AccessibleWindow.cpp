#include "toolkit/AccessibleWindow.h"

#include "toolkit/AccessibleObject.h"

#include <oleacc.h>

namespace corvane {

AccessibleWindow::AccessibleWindow(AccessibleSource& source) : source_(source) {}

AccessibleWindow::~AccessibleWindow() {
    Disconnect();
}

UINT AccessibleWindow::ActionMessage() noexcept {
    static const UINT message = ::RegisterWindowMessageW(L"CorvaneAccessibleAction");
    return message;
}

std::optional<LRESULT> AccessibleWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam,
                                                       LPARAM lParam) noexcept {
    if (message == WM_NCDESTROY) {
        Disconnect();
        return std::nullopt;
    }
    hwnd_ = hwnd;
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (link_ == nullptr || link_->window == nullptr) {
            try {
                link_ = std::make_shared<AccessibleLink>(AccessibleLink{this});
            } catch (...) {
                return std::nullopt;  // out of memory: the system's own client object
            }
        }
        if (root_ == nullptr) {
            root_ = NewAccessibleObject(link_, 0);
            if (root_ == nullptr) {
                return std::nullopt;
            }
        }
        return ::LresultFromObject(IID_IAccessible, wParam, root_);
    }
    if (message == ActionMessage() && message != 0) {
        // Posted from an older snapshot: an id the surface no longer shows is
        // dropped rather than run on whatever now has its number.
        const auto actionId = static_cast<int32_t>(wParam);
        stale_ = true;
        const AccessibleTree* tree = Tree();
        if (tree == nullptr || tree->FindAction(actionId) == kNoAccessibleNode) {
            return 0;
        }
        try {
            source_.RunAccessibleAction(actionId);
        } catch (...) {
            // Out of memory: the action did not run, as if never asked.
        }
        return 0;
    }
    return std::nullopt;
}

void AccessibleWindow::Invalidate() noexcept {
    stale_ = true;
}

const AccessibleTree* AccessibleWindow::Tree() noexcept {
    if (hwnd_ == nullptr) {
        return nullptr;
    }
    if (stale_) {
        stale_ = false;
        tree_.reset();
        try {
            tree_.emplace(source_.BuildAccessibleTree());
        } catch (...) {
            return nullptr;
        }
    }
    return tree_ ? &*tree_ : nullptr;
}

bool AccessibleWindow::PostAction(int32_t actionId) const noexcept {
    return hwnd_ != nullptr &&
           ::PostMessageW(hwnd_, ActionMessage(), static_cast<WPARAM>(actionId), 0) != FALSE;
}

void AccessibleWindow::Notify(DWORD event, int32_t actionId) noexcept {
    stale_ = true;
    if (hwnd_ == nullptr || !::IsWinEventHookInstalled(event)) {
        return;
    }
    const AccessibleTree* tree = Tree();
    if (tree == nullptr) {
        return;
    }
    const int node = actionId == kNoAccessibleAction ? 0 : tree->FindAction(actionId);
    if (node == kNoAccessibleNode) {
        return;
    }
    // The root's children by their number; deeper nodes (a list's items) by
    // their id negated, which the client object resolves as well.
    LONG child = CHILDID_SELF;
    if (node != 0) {
        child = tree->Parent(node) == 0 ? tree->ChildNumber(node) : -static_cast<LONG>(node);
    }
    ::NotifyWinEvent(event, hwnd_, OBJID_CLIENT, child);
}

void AccessibleWindow::Disconnect() noexcept {
    if (link_ != nullptr) {
        link_->window = nullptr;
    }
    if (root_ != nullptr) {
        // Readers in other processes are told the object is gone.
        ::CoDisconnectObject(root_, 0);
        root_->Release();
        root_ = nullptr;
    }
    hwnd_ = nullptr;
    tree_.reset();
    stale_ = true;
}

}  // namespace corvane
