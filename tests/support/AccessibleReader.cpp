#include "support/AccessibleReader.h"

#include "base/Win32Handles.h"

#include <oleacc.h>
#include <wrl/client.h>

namespace corvane::test {
namespace {

std::wstring TextOf(IAccessible* object, const VARIANT& child,
                    HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*)) {
    BSTR text = nullptr;
    std::wstring out;
    if ((object->*property)(child, &text) == S_OK && text != nullptr) {
        out = text;
    }
    ::SysFreeString(text);
    return out;
}

std::wstring NameOf(IAccessible* object, const VARIANT& child) {
    return TextOf(object, child, &IAccessible::get_accName);
}

// Each child by number with the object, until `visit` returns false.
template <typename Visit>
void VisitChildrenOf(IAccessible* object, Visit visit) {
    long count = 0;
    VARIANT child{};
    child.vt = VT_I4;
    if (SUCCEEDED(object->get_accChildCount(&count))) {
        for (child.lVal = 1; child.lVal <= count && visit(object, child); ++child.lVal) {
        }
    }
}

// The children of the client object, or of its first child named `within`.
template <typename Visit>
void VisitChildren(HWND window, const std::wstring& within, Visit visit) {
    const ComApartment com;
    Microsoft::WRL::ComPtr<IAccessible> object;
    Microsoft::WRL::ComPtr<IDispatch> inner;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                            IID_IAccessible,
                                            reinterpret_cast<void**>(object.GetAddressOf())))) {
        return;
    }
    if (!within.empty()) {
        VisitChildrenOf(object.Get(), [&](IAccessible* parent, const VARIANT& child) {
            return NameOf(parent, child) != within || parent->get_accChild(child, &inner) != S_OK;
        });
        if (object.Reset(); !inner || FAILED(inner.As(&object))) {
            return;
        }
    }
    VisitChildrenOf(object.Get(), visit);
}

}  // namespace

std::vector<AccessibleChild> ReadAccessibleChildren(HWND window, const std::wstring& within) {
    std::vector<AccessibleChild> children;
    VisitChildren(window, within, [&](IAccessible* object, const VARIANT& child) {
        VARIANT role{};
        VARIANT state{};
        object->get_accRole(child, &role);
        object->get_accState(child, &state);
        children.push_back({NameOf(object, child), role.vt == VT_I4 ? role.lVal : 0,
                            state.vt == VT_I4 ? state.lVal : 0,
                            TextOf(object, child, &IAccessible::get_accValue)});
        return true;
    });
    return children;
}

bool DoAccessibleDefaultAction(HWND window, const std::wstring& name, const std::wstring& within) {
    bool done = false;
    VisitChildren(window, within, [&](IAccessible* object, const VARIANT& child) {
        done = NameOf(object, child) == name && object->accDoDefaultAction(child) == S_OK;
        return NameOf(object, child) != name;
    });
    return done;
}

std::wstring AccessibleEventName(HWND window, LONG object, LONG child) {
    const ComApartment com;
    Microsoft::WRL::ComPtr<IAccessible> found;
    VARIANT id{};
    return SUCCEEDED(::AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                                 static_cast<DWORD>(child), &found, &id))
               ? NameOf(found.Get(), id)
               : std::wstring();
}

}  // namespace corvane::test
