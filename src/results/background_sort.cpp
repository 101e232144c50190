#include "results/background_sort.h"

#include <system_error>

namespace findlark {

BackgroundSort::BackgroundSort(std::function<void()> done)
    : done_(std::move(done)), callback_([this] {
          if (finished_ && done_) done_();
      }) {}

BackgroundSort::~BackgroundSort() {
    cancelled_ = true;  // the work in hand ends at its next look, not at its end
    {
        const std::unique_lock<std::mutex> held = waitIdle();
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool BackgroundSort::start(RowsSnapshot rows, Work work) {
    cancel();
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread([this, target = callback_.target()] { serve(target); });
        } catch (const std::system_error&) {
            return false;
        }
    }
    {
        const std::lock_guard<std::mutex> held(lock_);
        rows_ = std::move(rows);
        work_ = std::move(work);
        cancelled_ = false;
        finished_ = false;
        working_ = true;
    }
    busy_ = true;
    wake_.notify_all();
    return true;
}

void BackgroundSort::serve(HWND target) noexcept {
    std::unique_lock<std::mutex> held(lock_);
    for (;;) {
        wake_.wait(held, [this] { return quit_ || work_; });
        if (quit_) return;
        const Work work = std::move(work_);
        work_ = nullptr;
        held.unlock();
        std::vector<std::int32_t> order;
        try {
            order = work(rows_, [this] { return cancelled_.load(); });
        } catch (...) {
            order.clear();  // out of memory: the list keeps its order
        }
        held.lock();
        order_ = std::move(order);
        working_ = false;
        finished_ = true;
        idle_.notify_all();
        ::PostMessageW(target, win::UiCallback::kMessage, 0, 0);
    }
}

std::unique_lock<std::mutex> BackgroundSort::waitIdle() {
    std::unique_lock<std::mutex> held(lock_);
    idle_.wait(held, [this] { return !working_; });
    return held;
}

std::vector<std::int32_t> BackgroundSort::take() {
    const std::unique_lock<std::mutex> held = waitIdle();
    busy_ = false;
    finished_ = false;
    rows_ = {};
    return std::move(order_);
}

void BackgroundSort::cancel() {
    cancelled_ = true;
    const std::unique_lock<std::mutex> held = waitIdle();
    busy_ = false;
    finished_ = false;
    rows_ = {};
    order_.clear();
}

}  // namespace findlark
