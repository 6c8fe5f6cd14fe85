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
