#include "toolkit/Notice.h"

#include "base/Win32Handles.h"

#include <memory>

namespace corvane {
namespace {

struct NoticeText {
    std::wstring text;
    UINT type = 0;
};

DWORD WINAPI ShowNoticeThread(void* parameter) {
    const std::unique_ptr<NoticeText> notice(static_cast<NoticeText*>(parameter));
    ::MessageBoxW(nullptr, notice->text.c_str(), L"Corvane",
                  MB_OK | MB_SETFOREGROUND | notice->type);
    return 0;
}

}  // namespace

std::wstring SystemMessage(DWORD error) {
    wchar_t* raw = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    // Freed however the copy below ends, out of memory included.
    const std::unique_ptr<wchar_t, decltype(&::LocalFree)> owned(raw, &::LocalFree);
    std::wstring text = length > 0 && raw != nullptr ? std::wstring(raw, length) : L"";
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return text + L" (" + std::to_wstring(error) + L")";
}

void ShowNotice(std::wstring text, UINT type) noexcept {
    try {
        auto notice = std::make_unique<NoticeText>(NoticeText{std::move(text), type});
        const UniqueHandle thread(
            ::CreateThread(nullptr, 0, &ShowNoticeThread, notice.get(), 0, nullptr));
        if (thread) {
            (void)notice.release();
        }
    } catch (...) {
        // Out of memory for the text: the notice is not shown.
    }
}

}  // namespace corvane
