#include "start/LaunchHistory.h"

#include "base/ImagePaths.h"
#include "base/Utf16.h"
#include "config/FileBytes.h"

#include <windows.h>

#include <mutex>
#include <utility>

namespace corvane {
namespace {

// 200 lines of long keys fit many times over; a larger file is cut here.
constexpr std::size_t kMaxFileBytes = 512 * 1024;

constexpr uint64_t kLoadJob = 1;
constexpr uint64_t kSaveJob = 2;

int64_t NowSeconds() noexcept {
    FILETIME now = {};
    ::GetSystemTimeAsFileTime(&now);
    const uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    // 100-ns ticks since 1601 to seconds since 1970.
    constexpr uint64_t kTicksPerSecond = 10000000;
    constexpr uint64_t kSeconds1601To1970 = 11644473600;
    const uint64_t seconds = ticks / kTicksPerSecond;
    return seconds > kSeconds1601To1970 ? static_cast<int64_t>(seconds - kSeconds1601To1970) : 0;
}

}  // namespace

// Two saves may run on two worker threads at once; the later snapshot wins
// and an earlier one that comes after it is not written.
struct LaunchHistory::SaveState {
    std::mutex mutex;
    uint64_t written = 0;
};

LaunchHistory::LaunchHistory(Worker& worker, std::wstring path)
    : worker_(worker),
      path_(std::move(path)),
      channel_(worker.NewChannel()),
      saveState_(std::make_shared<SaveState>()) {}

LaunchHistory::~LaunchHistory() {
    worker_.Cancel(channel_);
}

std::wstring LaunchHistory::DefaultPath() {
    return PathNextToExecutable(L"launches.txt");
}

void LaunchHistory::Load() {
    if (loadAsked_) {
        return;
    }
    loadAsked_ = true;
    if (path_.empty()) {
        loaded_ = true;
        return;
    }
    worker_.Submit<LaunchRecords>(
        {channel_, kLoadJob}, WorkUrgency::Background,
        [path = path_] {
            const std::vector<uint8_t> bytes = ReadFileBytes(path, kMaxFileBytes);
            return LaunchRecords::FromText(DecodeUtf16Le(bytes.data(), bytes.size()));
        },
        [this](LaunchRecords&& read) {
            loaded_ = true;
            const bool startedMeanwhile = !records_.Items().empty();
            records_.AddOnto(std::move(read));
            if (startedMeanwhile) {
                Save();
            }
        });
}

void LaunchHistory::RecordStart(std::wstring_view key) {
    records_.Record(key, NowSeconds());
    // Before the file was read, a save would drop what it holds: the read
    // adds this start and saves then.
    if (loaded_) {
        Save();
    }
}

void LaunchHistory::Save() {
    if (path_.empty()) {
        return;
    }
    worker_.Submit({channel_, kSaveJob}, WorkUrgency::Background,
                   [path = path_, bytes = EncodeUtf16LeWithBom(records_.ToText()),
                    state = saveState_, save = ++saves_] {
                       const std::lock_guard lock(state->mutex);
                       if (save > state->written) {
                           state->written = save;
                           (void)ReplaceFileBytes(path, bytes);
                       }
                   });
}

}  // namespace corvane
