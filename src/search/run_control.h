#pragma once
// The stop and pause requests of one search run, shared by the window and that run's worker.
// Each run owns its own, so a stopped worker can never be revived by a later run.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace findlark {

class RunControl {
public:
    void requestStop();
    void requestPause();
    void resume();
    bool stopRequested() const { return stop_.load(std::memory_order_acquire); }
    bool pauseRequested() const { return pause_.load(std::memory_order_acquire); }
    // The worker is held by a pause at this moment.
    bool holding() const { return holding_.load(std::memory_order_acquire); }

    // The worker's check after every entry: waits while paused (running `beforeWait` first) and
    // returns false when the run must end.
    bool checkRunRequests(const std::function<void()>& beforeWait = {});

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> pause_{false};
    std::atomic<bool> holding_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
};

}  // namespace findlark
