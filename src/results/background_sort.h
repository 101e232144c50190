#pragma once
// Sorts or filters a long list on a thread of its own, from a snapshot of its rows, so that the window
// keeps answering while it runs. The list learns of the end on the UI thread, through `done`. The
// thread stays for the next piece of work: starting one costs milliseconds on some platforms.
#include "results/sort_order.h"
#include "win/ui_callback.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace findlark {

class BackgroundSort {
public:
    explicit BackgroundSort(std::function<void()> done);
    ~BackgroundSort();
    BackgroundSort(const BackgroundSort&) = delete;
    BackgroundSort& operator=(const BackgroundSort&) = delete;

    // The new order of the snapshot's rows (data values); nothing when `cancelled` said yes.
    using Work = std::function<std::vector<std::int32_t>(const RowsSnapshot& rows, const std::function<bool()>& cancelled)>;

    // Starts the work; false when no thread could start (the caller then does it by itself).
    bool start(RowsSnapshot rows, Work work);
    // A sort has started and its order has not been taken yet.
    bool busy() const { return busy_; }
    // The sort has ended and its order waits to be taken.
    bool finished() const { return finished_; }
    // Waits for the sort under way to end and gives the snapshot's rows in order (data values).
    std::vector<std::int32_t> take();
    // Gives up the sort under way; returns once the thread has let go of the rows.
    void cancel();

private:
    void serve(HWND target) noexcept;
    // Returns once the thread works on nothing; leaves the lock held.
    std::unique_lock<std::mutex> waitIdle();

    std::function<void()> done_;
    win::UiCallback callback_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    Work work_;             // handed to the thread, not yet begun
    bool working_ = false;  // from the handing over to the end of the work
    bool quit_ = false;
    bool busy_ = false;  // the UI thread's view: started, not taken
    RowsSnapshot rows_;
    std::vector<std::int32_t> order_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

}  // namespace findlark
