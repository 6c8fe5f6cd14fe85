#include "base/WaitingThread.h"

#include <utility>

namespace corvane {

WaitingThread::~WaitingThread() {
    stopping_ = true;
    Wake();
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool WaitingThread::Start(Step step) noexcept {
    step_ = std::move(step);
    wake_.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!wake_) {
        return false;
    }
    try {
        thread_ = std::thread([this] {
            while (!stopping_ && step_(wake_.Get())) {
            }
        });
    } catch (...) {
        return false;
    }
    return true;
}

void WaitingThread::Wake() const noexcept {
    if (wake_) {
        ::SetEvent(wake_.Get());
    }
}

}  // namespace corvane
