#pragma once
// What a search worker reports to the window, in order: batches of rows, then the end.
#include "model/row_batch.h"
#include "search/run_progress.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace findlark {

// A queue from one worker to the window. The window is asked to drain when rows arrive and no
// earlier request is still on its way; a request that could not be delivered is made again with the
// next rows. A worker far ahead of the window waits for room, so memory stays bounded.
class RunEvents {
public:
    static constexpr std::size_t kMaxPendingRows = 262144;

    // `wake` asks the window to drain and says whether the request was delivered.
    explicit RunEvents(std::function<bool()> wake) : wake_(std::move(wake)) {}
    void pushRows(RowBatch&& rows);
    // Never fails, so the end always arrives.
    void pushEnd(bool failed) noexcept;
    // Replaces the progress that the window reads with each take.
    void setProgress(RunProgress progress);
    RunProgress progress();

    struct Taken {
        std::vector<RowSlice> slices;  // in order
        bool ended = false;   // the worker has ended and every row before the end is taken
        bool failed = false;  // ended by an error that escaped the walk
        RunProgress progress;  // as last reported
        std::size_t rowCount() const;
    };
    // At most `maxRows` of the pending rows, in order. When more remain, the window is asked again.
    Taken take(std::size_t maxRows);
    // Takes no more rows and asks the window nothing more: a worker waiting for room goes on at once
    // and its later rows are dropped. Gives the rows that were queued at this moment.
    Taken close();

private:
    Taken takeLocked(std::size_t maxRows);
    void wakeLocked();
    std::function<bool()> wake_;
    std::mutex mutex_;
    std::condition_variable room_;
    std::deque<std::shared_ptr<const RowBatch>> batches_;
    std::size_t takenFromFront_ = 0;  // rows of the first batch already taken
    std::size_t pendingRows_ = 0;
    std::atomic<bool> ended_{false};
    std::atomic<bool> failed_{false};
    bool closed_ = false;
    bool wakeDelivered_ = false;  // a drain request is on its way
    RunProgress progress_;
};

// Collects rows on the worker and hands them on at least every `interval` while there are any; the
// worker asks after every entry (flushIfDue), so the clock it reads must be cheap: a coarse one of the
// platform's will do.
class RowBatcher {
public:
    using MillisecondClock = std::uint64_t (*)();
    static std::uint64_t steadyMilliseconds();

    RowBatcher(RunEvents& events, std::chrono::milliseconds interval, MillisecondClock clock = &steadyMilliseconds)
        : events_(events), interval_(static_cast<std::uint64_t>(interval.count())), clock_(clock), lastFlush_(clock()) {}
    void add(std::wstring_view name, const std::shared_ptr<const std::wstring>& folder, std::int64_t size,
             DateTime modified, std::uint32_t attributes, RowTimes times = {}) {
        pending_.add(name, folder, size, modified, attributes, times);
    }
    // Hands on what is pending when the interval has passed since the last hand-over, and the run's
    // first rows at once, so the list shows a match as soon as there is one; true when it did.
    bool flushIfDue();
    void flush();

private:
    RunEvents& events_;
    std::uint64_t interval_;
    MillisecondClock clock_;
    std::uint64_t lastFlush_;
    bool handedOn_ = false;
    RowBatch pending_;
};

}  // namespace findlark
