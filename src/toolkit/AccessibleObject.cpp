#include "toolkit/AccessibleObject.h"

#include "base/ComObject.h"
#include "toolkit/AccessibleWindow.h"

#include <new>
#include <string>
#include <utility>

namespace corvane {
namespace {

LONG SystemRole(AccessibleRole role) noexcept {
    switch (role) {
        case AccessibleRole::Window:
            return ROLE_SYSTEM_WINDOW;
        case AccessibleRole::ToolBar:
            return ROLE_SYSTEM_TOOLBAR;
        case AccessibleRole::MenuBar:
            return ROLE_SYSTEM_MENUBAR;
        case AccessibleRole::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleRole::MenuItem:
            return ROLE_SYSTEM_MENUITEM;
        case AccessibleRole::List:
            return ROLE_SYSTEM_LIST;
        case AccessibleRole::ListItem:
            return ROLE_SYSTEM_LISTITEM;
        case AccessibleRole::Text:
            return ROLE_SYSTEM_STATICTEXT;
        case AccessibleRole::EditableText:
            return ROLE_SYSTEM_TEXT;
        case AccessibleRole::Slider:
            return ROLE_SYSTEM_SLIDER;
        case AccessibleRole::CheckButton:
            return ROLE_SYSTEM_CHECKBUTTON;
        case AccessibleRole::ComboBox:
            return ROLE_SYSTEM_COMBOBOX;
        case AccessibleRole::PageTab:
            return ROLE_SYSTEM_PAGETAB;
        case AccessibleRole::Grouping:
            return ROLE_SYSTEM_GROUPING;
        case AccessibleRole::Clock:
            return ROLE_SYSTEM_CLOCK;
        case AccessibleRole::Client:
        default:
            return ROLE_SYSTEM_CLIENT;
    }
}

LONG SystemState(uint32_t states) noexcept {
    static constexpr std::pair<uint32_t, LONG> kStates[] = {
        {kAccFocused, STATE_SYSTEM_FOCUSED},         {kAccSelected, STATE_SYSTEM_SELECTED},
        {kAccChecked, STATE_SYSTEM_CHECKED},         {kAccPressed, STATE_SYSTEM_PRESSED},
        {kAccExpanded, STATE_SYSTEM_EXPANDED},       {kAccHasPopup, STATE_SYSTEM_HASPOPUP},
        {kAccUnavailable, STATE_SYSTEM_UNAVAILABLE}, {kAccInvisible, STATE_SYSTEM_INVISIBLE},
        {kAccOffscreen, STATE_SYSTEM_OFFSCREEN},     {kAccFocusable, STATE_SYSTEM_FOCUSABLE},
        {kAccSelectable, STATE_SYSTEM_SELECTABLE},
    };
    LONG out = 0;
    for (const auto& [ours, system] : kStates) {
        if ((states & ours) != 0) {
            out |= system;
        }
    }
    return out;
}

std::optional<AccessibleDirection> DirectionOf(long navDir) noexcept {
    switch (navDir) {
        case NAVDIR_NEXT:
            return AccessibleDirection::Next;
        case NAVDIR_PREVIOUS:
            return AccessibleDirection::Previous;
        case NAVDIR_FIRSTCHILD:
            return AccessibleDirection::FirstChild;
        case NAVDIR_LASTCHILD:
            return AccessibleDirection::LastChild;
        case NAVDIR_LEFT:
            return AccessibleDirection::Left;
        case NAVDIR_RIGHT:
            return AccessibleDirection::Right;
        case NAVDIR_UP:
            return AccessibleDirection::Up;
        case NAVDIR_DOWN:
            return AccessibleDirection::Down;
        default:
            return std::nullopt;
    }
}

// A text property: S_FALSE and no string when the node has none.
HRESULT AnswerText(const std::wstring& text, BSTR* out) noexcept {
    if (text.empty()) {
        return S_FALSE;
    }
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

class AccessibleObject final : public ComObject<IAccessible> {
public:
    AccessibleObject(std::shared_ptr<AccessibleLink> link, int id) noexcept
        : link_(std::move(link)), id_(id) {}

    // IDispatch: readers use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) {
            return E_POINTER;
        }
        *parent = nullptr;
        const AccessibleTree* tree = Tree();
        if (tree == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        const int up = tree->Parent(id_);
        if (up == kNoAccessibleNode) {
            return ::CreateStdAccessibleObject(link_->window->Hwnd(), OBJID_WINDOW, IID_IDispatch,
                                               reinterpret_cast<void**>(parent));
        }
        *parent = NewAccessibleObject(link_, up);
        return *parent != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        const AccessibleTree* tree = Tree();
        if (tree == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        *count = static_cast<long>(tree->Children(id_).size());
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        int node = kNoAccessibleNode;
        if (const HRESULT hr = Resolve(child, node); FAILED(hr)) {
            return hr;
        }
        if (node == id_) {
            return E_INVALIDARG;
        }
        if (Tree()->Children(node).empty()) {
            return S_FALSE;  // a simple element, answered by this object
        }
        *out = NewAccessibleObject(link_, node);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return TextOf(child, out, &AccessibleNode::name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return TextOf(child, out, &AccessibleNode::value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return TextOf(child, out, &AccessibleNode::description);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return TextOf(child, out, &AccessibleNode::shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return TextOf(child, out, &AccessibleNode::defaultAction);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return TextOf(child, out, nullptr);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file != nullptr) {
            *file = nullptr;
        }
        if (topic != nullptr) {
            *topic = -1;
        }
        return Tree() != nullptr ? S_FALSE : RPC_E_DISCONNECTED;
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        return NodeVariant(child, out, [](const AccessibleNode& n) { return SystemRole(n.role); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        return NodeVariant(child, out,
                           [](const AccessibleNode& n) { return SystemState(n.states); });
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        return Among(out, kAccFocused);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        return Among(out, kAccSelected);
    }

    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT child) override {
        int node = kNoAccessibleNode;
        const HRESULT hr = Resolve(child, node);
        return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        *left = *top = *width = *height = 0;
        int node = kNoAccessibleNode;
        if (const HRESULT hr = Resolve(child, node); FAILED(hr)) {
            return hr;
        }
        const PixelRect& r = Tree()->Node(node).location;
        POINT origin{r.left, r.top};
        if (!::ClientToScreen(link_->window->Hwnd(), &origin)) {
            return E_FAIL;
        }
        *left = origin.x;
        *top = origin.y;
        *width = r.Width();
        *height = r.Height();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(long navDir, VARIANT start, VARIANT* out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(out);
        int from = kNoAccessibleNode;
        if (const HRESULT hr = Resolve(start, from); FAILED(hr)) {
            return hr;
        }
        const std::optional<AccessibleDirection> direction = DirectionOf(navDir);
        if (!direction) {
            return E_INVALIDARG;
        }
        const bool intoChildren = *direction == AccessibleDirection::FirstChild ||
                                  *direction == AccessibleDirection::LastChild;
        // From the object itself, siblings are its parent's to tell; from a
        // child, only the object's own children can be named.
        if (intoChildren != (from == id_)) {
            return from == id_ ? S_FALSE : E_INVALIDARG;
        }
        return Answer(Tree()->Navigate(from, *direction), out);
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(out);
        const AccessibleTree* tree = Tree();
        if (tree == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        POINT p{x, y};
        if (!::ScreenToClient(link_->window->Hwnd(), &p)) {
            return E_FAIL;
        }
        int hit = tree->HitTest(id_, p.x, p.y);
        // Named by the child of this object it lies in.
        while (hit != kNoAccessibleNode && hit != id_ && tree->Parent(hit) != id_) {
            hit = tree->Parent(hit);
        }
        return Answer(hit, out);
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        int node = kNoAccessibleNode;
        if (const HRESULT hr = Resolve(child, node); FAILED(hr)) {
            return hr;
        }
        const AccessibleNode& n = Tree()->Node(node);
        if (n.defaultAction.empty() || n.actionId == kNoAccessibleAction) {
            return DISP_E_MEMBERNOTFOUND;
        }
        return link_->window->PostAction(n.actionId) ? S_OK : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    [[nodiscard]] bool Answers(REFIID iid) const noexcept override {
        return iid == IID_IDispatch || iid == IID_IAccessible;
    }
    // The snapshot, or null once the window is gone (or the surface could not
    // build one); a node id from an older snapshot may be gone with it.
    [[nodiscard]] const AccessibleTree* Tree() const noexcept {
        if (link_->window == nullptr) {
            return nullptr;
        }
        const AccessibleTree* tree = link_->window->Tree();
        return tree != nullptr && tree->Valid(id_) ? tree : nullptr;
    }

    // A reader's VT_I4 child number to a node id of the snapshot.
    HRESULT Resolve(const VARIANT& child, int& node) const noexcept {
        const AccessibleTree* tree = Tree();
        if (tree == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        if (child.vt != VT_I4) {
            return E_INVALIDARG;
        }
        node = tree->ChildAt(id_, child.lVal);
        return node == kNoAccessibleNode ? E_INVALIDARG : S_OK;
    }

    // A node as this object names it: itself or a simple child by number, a
    // child with children of its own as an object; nothing for none.
    HRESULT Answer(int node, VARIANT* out) const noexcept {
        const AccessibleTree* tree = Tree();
        if (node == kNoAccessibleNode || tree == nullptr) {
            return S_FALSE;
        }
        if (node != id_ && !tree->Children(node).empty()) {
            out->vt = VT_DISPATCH;
            out->pdispVal = NewAccessibleObject(link_, node);
            return out->pdispVal != nullptr ? S_OK : E_OUTOFMEMORY;
        }
        out->vt = VT_I4;
        out->lVal = node == id_ ? CHILDID_SELF : tree->ChildNumber(node);
        return S_OK;
    }

    // The first node of this object and its children with `state`.
    HRESULT Among(VARIANT* out, uint32_t state) const noexcept {
        if (out == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(out);
        const AccessibleTree* tree = Tree();
        if (tree == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        if ((tree->Node(id_).states & state) != 0) {
            return Answer(id_, out);
        }
        for (const int child : tree->Children(id_)) {
            if ((tree->Node(child).states & state) != 0) {
                return Answer(child, out);
            }
        }
        return S_FALSE;
    }

    HRESULT TextOf(const VARIANT& child, BSTR* out, std::wstring AccessibleNode::*field) const {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        int node = kNoAccessibleNode;
        if (const HRESULT hr = Resolve(child, node); FAILED(hr)) {
            return hr;
        }
        return field != nullptr ? AnswerText(Tree()->Node(node).*field, out) : S_FALSE;
    }

    template <typename Property>
    HRESULT NodeVariant(const VARIANT& child, VARIANT* out, Property property) const noexcept {
        if (out == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(out);
        int node = kNoAccessibleNode;
        if (const HRESULT hr = Resolve(child, node); FAILED(hr)) {
            return hr;
        }
        out->vt = VT_I4;
        out->lVal = property(Tree()->Node(node));
        return S_OK;
    }

    std::shared_ptr<AccessibleLink> link_;
    int id_;
};

}  // namespace

IAccessible* NewAccessibleObject(std::shared_ptr<AccessibleLink> link, int id) noexcept {
    return new (std::nothrow) AccessibleObject(std::move(link), id);
}

}  // namespace corvane
