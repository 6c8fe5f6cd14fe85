#pragma once
// An appbar message whose answer travels in a shared block, carried between
// the program that sent it and Explorer's taskbar window.

#include "tray/AppBarRecord.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

namespace corvane {

// Opens the sender's block (made for this process), hands Explorer a copy
// in a block made for Explorer's process, and copies Explorer's answer back
// into the sender's block, which its sender reads and frees. Explorer's
// reply; nullopt when the sender's block cannot be opened or copied, and
// the record is then Explorer's as it came. Waits for Explorer at most
// `timeoutMs`.
[[nodiscard]] std::optional<LRESULT> RelayAppBarMessage(HWND explorer, WPARAM wParam,
                                                        std::span<const uint8_t> payload,
                                                        const AppBarRecord& record,
                                                        UINT timeoutMs) noexcept;

}  // namespace corvane
