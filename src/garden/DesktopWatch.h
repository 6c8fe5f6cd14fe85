#pragma once
// Change notifications on the desktop folders, polled rather than waited
// on, so that the garden needs no thread of its own.

#include "base/Win32Handles.h"

#include <span>
#include <string>
#include <vector>

namespace corvane {

class DesktopWatch {
public:
    DesktopWatch() = default;
    // Folders that are empty, or that refuse a notification, are not watched;
    // their changes appear at the next full scan.
    explicit DesktopWatch(std::span<const std::wstring> folders);

    // Whether a file or folder was added, removed or renamed in any watched
    // folder since the last call. Never blocks.
    [[nodiscard]] bool TakeChanges() noexcept;
    [[nodiscard]] std::size_t WatchedCount() const noexcept { return handles_.size(); }

private:
    std::vector<UniqueChangeNotification> handles_;
};

}  // namespace corvane
