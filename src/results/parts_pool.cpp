#include "results/parts_pool.h"

#include <system_error>

namespace findlark {

PartsPool::~PartsPool() {
    {
        const std::lock_guard<std::mutex> held(lock_);
        quit_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

bool PartsPool::run(std::size_t count, std::size_t parts, const Work& work) {
    const std::lock_guard<std::mutex> turn(turn_);
    while (threads_.size() + 1 < parts) {
        try {
            threads_.emplace_back([this] { serve(); });
        } catch (const std::system_error&) {
            break;  // fewer threads: the shares wait for one that is free
        }
    }
    std::unique_lock<std::mutex> held(lock_);
    work_ = &work;
    count_ = count;
    parts_ = parts;
    next_ = 0;
    unfinished_ = parts;
    failed_ = false;
    wake_.notify_all();
    takeShares(held);
    finished_.wait(held, [this] { return unfinished_ == 0; });
    work_ = nullptr;
    return !failed_;
}

void PartsPool::takeShares(std::unique_lock<std::mutex>& held) {
    while (work_ && next_ < parts_) {
        const std::size_t part = next_++;
        const Work& work = *work_;
        const std::size_t count = count_, parts = parts_;
        held.unlock();
        bool threw = false;
        try {
            work(part, count * part / parts, count * (part + 1) / parts);
        } catch (...) {
            threw = true;
        }
        held.lock();
        failed_ = failed_ || threw;
        if (--unfinished_ == 0) finished_.notify_all();
    }
}

void PartsPool::serve() {
    std::unique_lock<std::mutex> held(lock_);
    while (!quit_) {
        takeShares(held);
        wake_.wait(held, [this] { return quit_ || (work_ && next_ < parts_); });
    }
}

}  // namespace findlark
