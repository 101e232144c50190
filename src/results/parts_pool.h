#pragma once
// Threads kept for sharing one long piece of work among the cores: on some platforms starting a
// thread costs milliseconds, more than the share of a filter it would take on.
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace findlark {

class PartsPool {
public:
    PartsPool() = default;
    ~PartsPool();
    PartsPool(const PartsPool&) = delete;
    PartsPool& operator=(const PartsPool&) = delete;

    using Work = std::function<void(std::size_t part, std::size_t begin, std::size_t end)>;
    // Runs `work` over `parts` consecutive shares of [0, count), the calling thread taking its turn;
    // false when a share threw (out of memory). Callers take turns.
    bool run(std::size_t count, std::size_t parts, const Work& work);

private:
    void serve();
    // Takes the next share while one is left; the lock is held on entry and on return.
    void takeShares(std::unique_lock<std::mutex>& held);

    std::mutex turn_;  // one caller at a time
    std::mutex lock_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    const Work* work_ = nullptr;
    std::size_t count_ = 0;
    std::size_t parts_ = 0;
    std::size_t next_ = 0;
    std::size_t unfinished_ = 0;
    bool failed_ = false;
    bool quit_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace findlark
