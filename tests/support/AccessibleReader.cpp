#include "support/AccessibleReader.h"

#include "base/Win32Handles.h"

#include <oleacc.h>
#include <wrl/client.h>

namespace corvane::test {
namespace {

// Each child by number with the object, until `visit` returns false.
template <typename Visit>
void VisitChildren(HWND window, Visit visit) {
    const ComApartment com;
    Microsoft::WRL::ComPtr<IAccessible> object;
    long count = 0;
    if (SUCCEEDED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                               IID_IAccessible,
                                               reinterpret_cast<void**>(object.GetAddressOf()))) &&
        SUCCEEDED(object->get_accChildCount(&count))) {
        VARIANT child{};
        child.vt = VT_I4;
        for (child.lVal = 1; child.lVal <= count && visit(object.Get(), child); ++child.lVal) {
        }
    }
}

std::wstring NameOf(IAccessible* object, const VARIANT& child) {
    BSTR name = nullptr;
    std::wstring text;
    if (object->get_accName(child, &name) == S_OK && name != nullptr) {
        text = name;
    }
    ::SysFreeString(name);
    return text;
}

}  // namespace

std::vector<AccessibleChild> ReadAccessibleChildren(HWND window) {
    std::vector<AccessibleChild> children;
    VisitChildren(window, [&](IAccessible* object, const VARIANT& child) {
        VARIANT role{};
        VARIANT state{};
        object->get_accRole(child, &role);
        object->get_accState(child, &state);
        children.push_back({NameOf(object, child), role.vt == VT_I4 ? role.lVal : 0,
                            state.vt == VT_I4 ? state.lVal : 0});
        return true;
    });
    return children;
}

bool DoAccessibleDefaultAction(HWND window, const std::wstring& name) {
    bool done = false;
    VisitChildren(window, [&](IAccessible* object, const VARIANT& child) {
        done = NameOf(object, child) == name && object->accDoDefaultAction(child) == S_OK;
        return NameOf(object, child) != name;
    });
    return done;
}

}  // namespace corvane::test
