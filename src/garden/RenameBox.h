#pragma once
// The small edit box that renames a bed in place, over its header. Enter or a
// click elsewhere keeps the typed name, Escape keeps the old one.

#include "base/WindowBase.h"
#include "base/Win32Handles.h"

#include <windows.h>

#include <functional>
#include <string>

namespace corvane {

inline constexpr wchar_t kGardenRenameClass[] = L"CorvaneGardenRename";

class RenameBox final : public WindowBase {
public:
    // The cleaned, non-empty new name.
    using Renamed = std::function<void(const std::wstring& name)>;

    explicit RenameBox(HINSTANCE instance) noexcept : instance_(instance) {}
    // Closes an open box without renaming.
    ~RenameBox() override;

    // Opens the box over the header of `bed` holding `current`, all of it
    // selected. A box already open is committed first.
    bool Start(HWND bed, const std::wstring& current, Renamed renamed) noexcept;
    void Commit() noexcept { Close(true); }
    void Cancel() noexcept { Close(false); }

    [[nodiscard]] bool IsOpen() const noexcept { return Hwnd() != nullptr; }
    [[nodiscard]] HWND Edit() const noexcept { return edit_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self) noexcept;
    void Close(bool commit) noexcept;

    HINSTANCE instance_;
    HWND edit_ = nullptr;
    UniqueFont font_;
    Renamed renamed_;
};

}  // namespace corvane
