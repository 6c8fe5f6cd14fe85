#pragma once
// The tray's system calls: handles as the protocol carries them, and the
// Win32 side of the icon list.

#include "tray/TrayIconStore.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace corvane {

// Handles travel as 32 bits in the protocol; the system widens them with the
// sign, as it does for every handle it passes between 32- and 64-bit code.
template <typename Handle>
[[nodiscard]] inline Handle HandleFrom32(uint32_t value) noexcept {
    return reinterpret_cast<Handle>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}
template <typename Handle>
[[nodiscard]] inline uint32_t HandleTo32(Handle handle) noexcept {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

// Icon copies are the host's own and live until the list lets go of them.
// A handle from another program is never trusted: a bogus one copies to 0.
class Win32TraySystem final : public TraySystem {
public:
    [[nodiscard]] uint64_t CopyIcon(uint32_t handle) override;
    void DestroyIcon(uint64_t icon) override;
    [[nodiscard]] bool IsWindow(uint32_t window) override;
    [[nodiscard]] uint32_t ProcessOfWindow(uint32_t window) override;
    [[nodiscard]] std::wstring ExeNameOfProcess(uint32_t processId) override;
};

}  // namespace corvane
