#pragma once
// The search box's edit keys on Windows: key codes to edit commands, and the
// system clipboard behind them. One entry point both start surfaces call
// while their search box has the keyboard.

#include "start/QueryText.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace corvane {

// CF_UNICODETEXT of the system clipboard, opened for `owner`.
class SystemClipboard final : public QueryClipboard {
public:
    explicit SystemClipboard(HWND owner) noexcept : owner_(owner) {}
    [[nodiscard]] std::wstring Read() override;
    void Write(std::wstring_view text) override;

private:
    HWND owner_;
};

// One WM_KEYDOWN with the modifiers held; Ignored for keys that are not
// edit keys, which the surface then handles itself.
QueryKeyResult HandleQueryKey(QueryEdit& edit, UINT vk, bool ctrl, bool shift,
                              QueryClipboard& clipboard);

}  // namespace corvane
