#pragma once
// Change notifications on folders, waited on by a thread of the watch's own
// so that the GUI thread neither polls nor blocks for them.

#include "base/Win32Handles.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace corvane {

class FolderWatch {
public:
    // Runs on the watch's thread when a watched folder changed; it only
    // hands the news on to the owner's thread, which then calls Rearm.
    using Changed = std::function<void()>;

    FolderWatch() noexcept;
    // Folders that are empty, or that refuse a notification, are not watched.
    // `filter` takes FILE_NOTIFY_CHANGE_* flags.
    FolderWatch(std::span<const std::wstring> folders, DWORD filter, const Changed& changed);
    // Ends the waiting thread, waiting for a callback that runs: what the
    // callback hands the news to must outlive the watch.
    ~FolderWatch();
    FolderWatch(FolderWatch&&) noexcept;
    FolderWatch& operator=(FolderWatch&&) noexcept;

    // Watches again the folders whose change was handed on, and tells
    // whether there were any; a folder that can no longer be watched is
    // dropped.
    bool Rearm() noexcept;
    [[nodiscard]] std::size_t WatchedCount() const noexcept;

    struct Watch;

private:
    std::unique_ptr<Watch> watch_;
};

}  // namespace corvane
