#pragma once
// The IAccessible objects an AccessibleWindow serves: one for the window's
// client area and one for each node with children of its own that a reader
// asks for. They reach the window only through the shared link, which the
// window cuts when it goes.

#include <oleacc.h>

#include <memory>

namespace corvane {

class AccessibleWindow;

struct AccessibleLink {
    AccessibleWindow* window = nullptr;
};

// A new object for the node `id` of the window's snapshot, with one reference.
[[nodiscard]] IAccessible* NewAccessibleObject(std::shared_ptr<AccessibleLink> link,
                                               int id) noexcept;

}  // namespace corvane
