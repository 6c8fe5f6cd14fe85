#include "start/QueryKeys.h"

#include "base/Win32Handles.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace corvane {
namespace {

// The query holds far less; the bound keeps a huge clipboard from being
// copied whole only to be cut.
constexpr std::size_t kClipboardReadLimit = 65536;

std::optional<QueryKey> EditKeyOf(UINT vk) noexcept {
    switch (vk) {
        case VK_LEFT:
            return QueryKey::Left;
        case VK_RIGHT:
            return QueryKey::Right;
        case VK_HOME:
            return QueryKey::Home;
        case VK_END:
            return QueryKey::End;
        case VK_BACK:
            return QueryKey::Backspace;
        case VK_DELETE:
            return QueryKey::Delete;
        case VK_INSERT:
            return QueryKey::Insert;
        case 'A':
            return QueryKey::A;
        case 'C':
            return QueryKey::C;
        case 'V':
            return QueryKey::V;
        case 'X':
            return QueryKey::X;
        default:
            return std::nullopt;
    }
}

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) noexcept : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) {
            ::CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    [[nodiscard]] bool IsOpen() const noexcept { return open_; }

private:
    bool open_;
};

}  // namespace

std::wstring SystemClipboard::Read() {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) {
        return {};
    }
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
    if (text == nullptr) {
        return {};
    }
    // The block's size keeps the read inside what the other program handed
    // over, terminated or not.
    const std::size_t limit = std::min(::GlobalSize(data) / sizeof(wchar_t), kClipboardReadLimit);
    std::wstring result(text, std::find(text, text + limit, L'\0'));
    ::GlobalUnlock(data);
    return result;
}

void SystemClipboard::Write(std::wstring_view text) {
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    auto* buffer = memory ? static_cast<wchar_t*>(::GlobalLock(memory.Get())) : nullptr;
    if (buffer == nullptr) {
        return;
    }
    std::memcpy(buffer, text.data(), text.size() * sizeof(wchar_t));
    buffer[text.size()] = L'\0';
    ::GlobalUnlock(memory.Get());
    const OpenedClipboard clipboard(owner_);
    if (clipboard.IsOpen() && ::EmptyClipboard() &&
        ::SetClipboardData(CF_UNICODETEXT, memory.Get()) != nullptr) {
        // The clipboard owns the block now.
        (void)memory.Release();
    }
}

QueryKeyResult HandleQueryKey(QueryEdit& edit, UINT vk, bool ctrl, bool shift,
                              QueryClipboard& clipboard) {
    const std::optional<QueryKey> key = EditKeyOf(vk);
    return key ? ApplyQueryKey(edit, *key, ctrl, shift, clipboard) : QueryKeyResult::Ignored;
}

}  // namespace corvane
