#include "search/run_control.h"

namespace findlark {

void RunControl::requestStop() {
    {
        const std::lock_guard lock(mutex_);
        stop_.store(true, std::memory_order_release);
    }
    changed_.notify_all();  // a paused worker wakes and ends
}

void RunControl::requestPause() {
    const std::lock_guard lock(mutex_);
    pause_.store(true, std::memory_order_release);
}

void RunControl::resume() {
    {
        const std::lock_guard lock(mutex_);
        pause_.store(false, std::memory_order_release);
    }
    changed_.notify_all();
}

bool RunControl::checkRunRequests(const std::function<void()>& beforeWait) {
    if (stopRequested()) return false;
    if (!pauseRequested()) return true;
    if (beforeWait) beforeWait();
    std::unique_lock lock(mutex_);
    holding_ = true;
    changed_.wait(lock, [this] { return stopRequested() || !pauseRequested(); });
    holding_ = false;
    return !stopRequested();
}

}  // namespace findlark
