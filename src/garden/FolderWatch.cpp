#include "garden/FolderWatch.h"

#include "base/WaitingThread.h"

#include <mutex>
#include <vector>

namespace corvane {
namespace {

// One wait covers the wake event and every folder.
constexpr std::size_t kMaxFolders = MAXIMUM_WAIT_OBJECTS - 1;

}  // namespace

struct FolderWatch::Watch {
    struct Folder {
        UniqueChangeNotification change;
        // Handed on and not yet asked for again: not waited on meanwhile,
        // as the handle stays signalled until FindNextChangeNotification.
        bool fired = false;
        // Could not be watched again; its handle stays open until the
        // thread has ended, as the thread may be waiting on it.
        bool dropped = false;
    };

    Changed changed;
    std::mutex lock;
    std::vector<Folder> folders;
    std::vector<HANDLE> handles;
    std::vector<std::size_t> indexes;
    WaitingThread thread;  // last: ends before what it uses goes

    bool Step(HANDLE wake) noexcept {
        handles.assign(1, wake);
        indexes.clear();
        {
            std::scoped_lock guard(lock);
            for (std::size_t i = 0; i < folders.size(); ++i) {
                if (!folders[i].fired && !folders[i].dropped) {
                    handles.push_back(folders[i].change.Get());
                    indexes.push_back(i);
                }
            }
        }
        const DWORD result = ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()),
                                                      handles.data(), FALSE, INFINITE);
        if (result == WAIT_OBJECT_0) {
            return true;
        }
        const DWORD index = result - WAIT_OBJECT_0 - 1;
        if (index >= indexes.size()) {
            return false;
        }
        {
            std::scoped_lock guard(lock);
            folders[indexes[index]].fired = true;
        }
        changed();
        return true;
    }
};

FolderWatch::FolderWatch() noexcept = default;
FolderWatch::~FolderWatch() = default;
FolderWatch::FolderWatch(FolderWatch&&) noexcept = default;
FolderWatch& FolderWatch::operator=(FolderWatch&&) noexcept = default;

FolderWatch::FolderWatch(std::span<const std::wstring> folders, DWORD filter,
                         const Changed& changed) {
    auto watch = std::make_unique<Watch>();
    watch->changed = changed;
    for (const std::wstring& folder : folders) {
        if (folder.empty() || watch->folders.size() == kMaxFolders) {
            continue;
        }
        UniqueChangeNotification change(
            ::FindFirstChangeNotificationW(folder.c_str(), FALSE, filter));
        if (change) {
            watch->folders.push_back({.change = std::move(change)});
        }
    }
    // Without a thread nothing is watched, and the owner's backup poll remains.
    if (watch->folders.empty() ||
        !watch->thread.Start([raw = watch.get()](HANDLE wake) { return raw->Step(wake); })) {
        return;
    }
    watch_ = std::move(watch);
}

bool FolderWatch::Rearm() noexcept {
    if (!watch_) {
        return false;
    }
    bool fired = false;
    {
        std::scoped_lock guard(watch_->lock);
        for (Watch::Folder& folder : watch_->folders) {
            if (!folder.fired || folder.dropped) {
                continue;
            }
            fired = true;
            folder.fired = false;
            // A change made since the signal leaves the handle signalled
            // again, and the next wait returns at once.
            folder.dropped = !::FindNextChangeNotification(folder.change.Get());
        }
    }
    if (fired) {
        watch_->thread.Wake();
    }
    return fired;
}

std::size_t FolderWatch::WatchedCount() const noexcept {
    if (!watch_) {
        return 0;
    }
    std::scoped_lock guard(watch_->lock);
    std::size_t count = 0;
    for (const Watch::Folder& folder : watch_->folders) {
        count += folder.dropped ? 0 : 1;
    }
    return count;
}

}  // namespace corvane
