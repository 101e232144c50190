#include "search/run_events.h"

#include <algorithm>
#include <utility>

namespace findlark {

// A closed queue asks nothing: the window that drained it may be gone.
void RunEvents::wakeLocked() {
    if (!closed_ && !wakeDelivered_ && wake_) wakeDelivered_ = wake_();
}

std::size_t RunEvents::Taken::rowCount() const {
    std::size_t count = 0;
    for (const RowSlice& slice : slices) count += slice.end - slice.begin;
    return count;
}

void RunEvents::pushRows(RowBatch&& rows) {
    if (rows.empty()) return;
    auto batch = std::make_shared<const RowBatch>(std::move(rows));
    std::unique_lock lock(mutex_);
    room_.wait(lock, [this] { return closed_ || pendingRows_ < kMaxPendingRows; });
    if (closed_) return;
    pendingRows_ += batch->size();
    batches_.push_back(std::move(batch));
    wakeLocked();
}

void RunEvents::pushEnd(bool failed) noexcept {
    try {
        const std::lock_guard lock(mutex_);
        ended_ = true;
        failed_ = failed;
        wakeLocked();
    } catch (...) {
        // Only a broken mutex lands here; the window's fallback timer still finds the end.
        failed_ = failed;
        ended_ = true;
    }
}

RunEvents::Taken RunEvents::close() {
    Taken queued;
    {
        const std::lock_guard lock(mutex_);
        queued = takeLocked(pendingRows_);
        closed_ = true;
    }
    room_.notify_all();
    return queued;
}

void RunEvents::setProgress(RunProgress progress) {
    const std::lock_guard lock(mutex_);
    progress_ = std::move(progress);
}

RunProgress RunEvents::progress() {
    const std::lock_guard lock(mutex_);
    return progress_;
}

RunEvents::Taken RunEvents::take(std::size_t maxRows) {
    Taken taken;
    {
        const std::lock_guard lock(mutex_);
        taken = takeLocked(maxRows);
        if (!batches_.empty()) wakeLocked();
    }
    room_.notify_all();
    return taken;
}

RunEvents::Taken RunEvents::takeLocked(std::size_t maxRows) {
    Taken taken;
    wakeDelivered_ = false;
    std::size_t count = 0;
    while (!batches_.empty() && count < maxRows) {
        const std::size_t available = batches_.front()->size() - takenFromFront_;
        const std::size_t wanted = std::min(available, maxRows - count);
        taken.slices.push_back({batches_.front(), takenFromFront_, takenFromFront_ + wanted});
        count += wanted;
        pendingRows_ -= wanted;
        if (wanted == available) {
            batches_.pop_front();
            takenFromFront_ = 0;
        } else {
            takenFromFront_ += wanted;
        }
    }
    taken.ended = ended_ && batches_.empty();
    taken.failed = taken.ended && failed_;
    taken.progress = progress_;
    return taken;
}

std::uint64_t RowBatcher::steadyMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

bool RowBatcher::flushIfDue() {
    if (pending_.empty() || (handedOn_ && clock_() - lastFlush_ < interval_)) return false;
    flush();
    return true;
}

void RowBatcher::flush() {
    lastFlush_ = clock_();
    if (pending_.empty()) return;
    handedOn_ = true;
    events_.pushRows(std::exchange(pending_, {}));
}

}  // namespace findlark
