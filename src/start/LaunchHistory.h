#pragma once
// The launch history in launches.txt next to corvane.ini: read once on the
// worker, counted in memory on the GUI thread, written back on the worker
// after each start. The GUI thread never waits for the disk, and a start
// made before the file was read is added to what it held.

#include "base/Worker.h"
#include "start/LaunchRecords.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace corvane {

class LaunchHistory {
public:
    // `path` empty: nothing is read or written, starts are counted in memory.
    LaunchHistory(Worker& worker, std::wstring path);
    ~LaunchHistory();  // cancels what the worker would still hand back
    LaunchHistory(const LaunchHistory&) = delete;
    LaunchHistory& operator=(const LaunchHistory&) = delete;

    // Asks the worker for the file; once is enough.
    void Load();
    void RecordStart(std::wstring_view key);

    [[nodiscard]] const LaunchRecords& Records() const noexcept { return records_; }

    // The path next to the executable.
    [[nodiscard]] static std::wstring DefaultPath();

private:
    void Save();

    struct SaveState;

    Worker& worker_;
    std::wstring path_;
    uint32_t channel_ = 0;
    LaunchRecords records_;
    bool loadAsked_ = false;
    bool loaded_ = false;
    uint64_t saves_ = 0;
    std::shared_ptr<SaveState> saveState_;
};

}  // namespace corvane
