#pragma once
// Functions looked up at run time (undocumented or by ordinal), typed once.

#include <windows.h>

namespace corvane {

// The export as a function pointer of type Fn, or null. The detour through a
// plain function-pointer type is the one conversion compilers accept without a
// cast-function-type warning.
template <typename Fn>
[[nodiscard]] Fn ProcAs(HMODULE module, const char* name) noexcept {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// By ordinal: the low word of the "name" is the number.
template <typename Fn>
[[nodiscard]] Fn ProcAs(HMODULE module, WORD ordinal) noexcept {
    return ProcAs<Fn>(module, MAKEINTRESOURCEA(ordinal));
}

}  // namespace corvane
