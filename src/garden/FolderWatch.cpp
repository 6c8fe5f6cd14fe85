#include "garden/FolderWatch.h"

#include <atomic>

namespace corvane {

struct FolderWatch::Watch {
    UniqueChangeNotification change;
    Changed changed;
    std::atomic<bool> fired{false};
    // Last, so that it is unregistered before the rest goes.
    UniqueThreadPoolWait wait;

    static void CALLBACK OnSignalled(void* context, BOOLEAN) noexcept {
        auto* watch = static_cast<Watch*>(context);
        watch->fired.store(true);
        watch->changed();
    }

    // Once only: the handle stays signalled until the owner's thread asks
    // for the next change, and a pool wait on it would fire again and again.
    bool Register() noexcept {
        fired.store(false);
        HANDLE handle = nullptr;
        if (!::RegisterWaitForSingleObject(&handle, change.Get(), &Watch::OnSignalled, this,
                                           INFINITE, WT_EXECUTEONLYONCE | WT_EXECUTEINWAITTHREAD)) {
            return false;
        }
        wait.Reset(handle);
        return true;
    }
};

FolderWatch::FolderWatch() noexcept = default;
FolderWatch::~FolderWatch() = default;
FolderWatch::FolderWatch(FolderWatch&&) noexcept = default;
FolderWatch& FolderWatch::operator=(FolderWatch&&) noexcept = default;

FolderWatch::FolderWatch(std::span<const std::wstring> folders, DWORD filter,
                         const Changed& changed) {
    for (const std::wstring& folder : folders) {
        if (folder.empty()) {
            continue;
        }
        auto watch = std::make_unique<Watch>();
        watch->change.Reset(::FindFirstChangeNotificationW(folder.c_str(), FALSE, filter));
        watch->changed = changed;
        if (watch->change && watch->Register()) {
            watches_.push_back(std::move(watch));
        }
    }
}

bool FolderWatch::Rearm() noexcept {
    bool fired = false;
    for (auto it = watches_.begin(); it != watches_.end();) {
        Watch& watch = **it;
        if (!watch.fired.load()) {
            ++it;
            continue;
        }
        fired = true;
        watch.wait.Reset();
        // A change made since the signal leaves the handle signalled again,
        // and the new wait fires at once.
        if (::FindNextChangeNotification(watch.change.Get()) && watch.Register()) {
            ++it;
        } else {
            it = watches_.erase(it);
        }
    }
    return fired;
}

}  // namespace corvane
