#include "tray/AppBarRelay.h"

#include "base/Win32Handles.h"
#include "tray/TrayWin32.h"

#include <array>
#include <cstring>
#include <vector>

namespace corvane {
namespace {

using AppBarData = std::array<uint8_t, kAppBarDataBytes>;

// A block from another process may be smaller than the data it should hold:
// only bytes inside the mapped view are read or written.
bool ViewHolds(const void* view, bool writable) noexcept {
    MEMORY_BASIC_INFORMATION info = {};
    if (::VirtualQuery(view, &info, sizeof(info)) == 0 || info.State != MEM_COMMIT) {
        return false;
    }
    const auto end = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    const DWORD access = info.Protect & 0xFF;
    const bool readable = access == PAGE_READONLY || access == PAGE_READWRITE;
    return end - reinterpret_cast<uintptr_t>(view) >= kAppBarDataBytes && readable &&
           (!writable || access == PAGE_READWRITE);
}

// A block made for Explorer's process lives in Explorer's handle table and
// is closed there by SHFreeShared; Released when Explorer may still open it.
class ExplorerBlock {
public:
    ExplorerBlock(const AppBarData& data, DWORD explorerProcess) noexcept
        : process_(explorerProcess),
          handle_(::SHAllocShared(data.data(), static_cast<DWORD>(data.size()), process_)) {}
    ~ExplorerBlock() {
        if (handle_ != nullptr) {
            ::SHFreeShared(handle_, process_);
        }
    }
    ExplorerBlock(const ExplorerBlock&) = delete;
    ExplorerBlock& operator=(const ExplorerBlock&) = delete;

    [[nodiscard]] HANDLE Get() const noexcept { return handle_; }
    void Release() noexcept { handle_ = nullptr; }
    // Explorer's answer, through a view of this process's own.
    [[nodiscard]] bool Read(AppBarData& data) const noexcept {
        const UniqueSharedView view(::SHLockShared(handle_, process_));
        if (!view || !ViewHolds(view.Get(), false)) {
            return false;
        }
        std::memcpy(data.data(), view.Get(), data.size());
        return true;
    }

private:
    DWORD process_;
    HANDLE handle_;
};

}  // namespace

std::optional<LRESULT> RelayAppBarMessage(HWND explorer, WPARAM wParam,
                                          std::span<const uint8_t> payload,
                                          const AppBarRecord& record, UINT timeoutMs) noexcept {
    DWORD explorerProcess = 0;
    if (::GetWindowThreadProcessId(explorer, &explorerProcess) == 0) {
        return std::nullopt;
    }
    // The sender made the block for the taskbar window's process, this one:
    // the handle is one of ours.
    const DWORD self = ::GetCurrentProcessId();
    const UniqueSharedView senderView(
        ::SHLockShared(HandleFrom32<HANDLE>(record.sharedBlock), self));
    if (!senderView || !ViewHolds(senderView.Get(), true)) {
        return std::nullopt;
    }
    AppBarData data = {};
    std::memcpy(data.data(), senderView.Get(), data.size());

    ExplorerBlock block(data, explorerProcess);
    if (block.Get() == nullptr) {
        return std::nullopt;
    }
    std::vector<uint8_t> rewrapped;
    try {
        rewrapped = RewrapAppBarRecord(payload, HandleTo32(block.Get()), self);
    } catch (...) {
        return std::nullopt;
    }
    if (rewrapped.empty()) {
        return std::nullopt;
    }
    COPYDATASTRUCT copy = {kTrayDataAppBar, static_cast<DWORD>(rewrapped.size()), rewrapped.data()};
    DWORD_PTR reply = 0;
    if (::SendMessageTimeoutW(explorer, WM_COPYDATA, wParam, reinterpret_cast<LPARAM>(&copy),
                              SMTO_ABORTIFHUNG, timeoutMs, &reply) == 0) {
        // Explorer may still take the message later and open the block: its
        // handle is left to Explorer rather than closed under it.
        block.Release();
        return 0;
    }
    if (block.Read(data)) {
        std::memcpy(senderView.Get(), data.data(), data.size());
    }
    return static_cast<LRESULT>(reply);
}

}  // namespace corvane
