#include "garden/DesktopWatch.h"

namespace corvane {

DesktopWatch::DesktopWatch(std::span<const std::wstring> folders) {
    for (const std::wstring& folder : folders) {
        if (folder.empty()) {
            continue;
        }
        UniqueChangeNotification handle(::FindFirstChangeNotificationW(
            folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME));
        if (handle) {
            handles_.push_back(std::move(handle));
        }
    }
}

bool DesktopWatch::TakeChanges() noexcept {
    bool changed = false;
    for (const UniqueChangeNotification& handle : handles_) {
        if (::WaitForSingleObject(handle.Get(), 0) == WAIT_OBJECT_0) {
            changed = true;
            ::FindNextChangeNotification(handle.Get());
        }
    }
    return changed;
}

}  // namespace corvane
