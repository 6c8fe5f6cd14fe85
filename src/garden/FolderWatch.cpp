#include "garden/FolderWatch.h"

#include <mutex>
#include <thread>
#include <vector>

namespace corvane {
namespace {

// One wait covers the wake event and every folder.
constexpr std::size_t kMaxFolders = MAXIMUM_WAIT_OBJECTS - 1;

}  // namespace

// One thread of our own waits without a time limit: a system pool keeps an
// idle worker that wakes every few seconds for as long as a wait is
// registered, which costs more than the whole garden otherwise does at rest.
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
    bool stopping = false;
    UniqueHandle wake;
    std::thread thread;

    ~Watch() {
        {
            std::scoped_lock guard(lock);
            stopping = true;
        }
        ::SetEvent(wake.Get());
        if (thread.joinable()) {
            thread.join();
        }
    }

    void Run() noexcept {
        std::vector<HANDLE> handles;
        std::vector<std::size_t> indexes;
        for (;;) {
            handles.assign(1, wake.Get());
            indexes.clear();
            {
                std::scoped_lock guard(lock);
                if (stopping) {
                    return;
                }
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
                continue;
            }
            const DWORD index = result - WAIT_OBJECT_0 - 1;
            if (index >= indexes.size()) {
                return;
            }
            {
                std::scoped_lock guard(lock);
                folders[indexes[index]].fired = true;
            }
            changed();
        }
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
    watch->wake.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (watch->folders.empty() || !watch->wake) {
        return;
    }
    try {
        watch->thread = std::thread([raw = watch.get()] { raw->Run(); });
    } catch (...) {
        // No thread: nothing is watched, and the owner's backup poll remains.
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
        ::SetEvent(watch_->wake.Get());
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
