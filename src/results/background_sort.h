#pragma once
// Sorts or filters a long list on a thread of its own, from a snapshot of its rows, so that the window
// keeps answering while it runs. The list learns of the end on the UI thread, through `done`.
#include "results/sort_order.h"
#include "win/ui_callback.h"

#include <atomic>
#include <functional>
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
    bool busy() const { return thread_.joinable(); }
    // The sort has ended and its order waits to be taken.
    bool finished() const { return finished_; }
    // Waits for the sort under way to end and gives the snapshot's rows in order (data values).
    std::vector<std::int32_t> take();
    // Gives up the sort under way; returns once the thread has let go of the rows.
    void cancel();

private:
    std::function<void()> done_;
    win::UiCallback callback_;
    std::thread thread_;
    RowsSnapshot rows_;
    std::vector<std::int32_t> order_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
};

}  // namespace findlark
