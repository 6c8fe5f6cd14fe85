#include "dock/CenterStart.h"

#include "config/RestoreMarks.h"
#include "dock/CenterStartPlan.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace corvane {
namespace {

constexpr wchar_t kAdvancedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr wchar_t kAlignmentValue[] = L"TaskbarAl";
constexpr UINT kBroadcastTimeoutMs = 300;

// The broadcast waits on every top-level window in turn, up to the limit
// for each, so it runs on a thread of its own. The process does not end
// before the last one has had its chance: the restore at exit must reach
// Explorer.
class BroadcastThreads {
public:
    BroadcastThreads() = default;
    BroadcastThreads(const BroadcastThreads&) = delete;
    BroadcastThreads& operator=(const BroadcastThreads&) = delete;
    ~BroadcastThreads() { WaitForAll(kExitWait); }

    void WaitForAll(std::chrono::milliseconds bound) {
        std::unique_lock lock(mutex_);
        (void)ended_.wait_for(lock, bound, [this] { return running_ == 0; });
    }

    void Start() {
        {
            const std::lock_guard lock(mutex_);
            ++running_;
        }
        try {
            std::thread([this] {
                // The asynchronous forms refuse a system message that
                // carries a pointer: only a send can carry the string.
                ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                                      reinterpret_cast<LPARAM>(L"TraySettings"), SMTO_ABORTIFHUNG,
                                      kBroadcastTimeoutMs, nullptr);
                const std::lock_guard lock(mutex_);
                --running_;
                ended_.notify_all();
            }).detach();
        } catch (...) {
            const std::lock_guard lock(mutex_);
            --running_;
            throw;
        }
    }

private:
    static constexpr std::chrono::seconds kExitWait{2};
    std::mutex mutex_;
    std::condition_variable ended_;
    int running_ = 0;
};

BroadcastThreads& Broadcasts() {
    static BroadcastThreads threads;
    return threads;
}

void TellExplorer() noexcept {
    try {
        Broadcasts().Start();
    } catch (...) {
        // No thread: Explorer reads the alignment when it next starts.
    }
}

// Windows 11 centres its taskbar unless the value says otherwise, so a
// missing value, or one of another type, reads as centred.
uint32_t ReadAlignment() noexcept {
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kAdvancedKey, kAlignmentValue, RRF_RT_REG_DWORD, nullptr,
                       &value, &bytes) != ERROR_SUCCESS) {
        return kTaskbarCentred;
    }
    return value;
}

bool WriteAlignment(uint32_t alignment) noexcept {
    const DWORD value = alignment;
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kAdvancedKey, kAlignmentValue, REG_DWORD, &value,
                             sizeof(value)) == ERROR_SUCCESS;
}

void Apply(const CenterStartPlan& plan) noexcept {
    // The user's own value is remembered before it is overwritten, and
    // forgotten only once it is back: either step failing leaves the
    // other for a later run.
    if (plan.saveRestore && !WriteRestoreMark(RestoreMark::TaskbarAlignment, *plan.saveRestore)) {
        return;
    }
    if (!plan.Changes() || !WriteAlignment(*plan.setAlignment)) {
        return;
    }
    if (plan.deleteRestore) {
        (void)ClearRestoreMark(RestoreMark::TaskbarAlignment);
    }
    // Explorer reads the alignment again only when told.
    TellExplorer();
}

}  // namespace

void SetCenterStart(bool enable) noexcept {
    Apply(PlanCenterStart(enable, ReadAlignment(),
                          ReadRestoreMark(RestoreMark::TaskbarAlignment).value_or(kNothingSaved)));
}

void WaitForCenterStartBroadcasts() noexcept {
    try {
        Broadcasts().WaitForAll(std::chrono::seconds(1));
    } catch (...) {
        // The lock failed: the broadcast goes on, or not, on its own.
    }
}

}  // namespace corvane
