#include "search/run_events.h"

#include <utility>

namespace findlark {

void RunEvents::pushRows(std::vector<FoundRow> rows) {
    RunEvent event;
    event.rows = std::move(rows);
    push(std::move(event));
}

void RunEvents::pushEnd(bool failed) {
    RunEvent event;
    event.kind = RunEvent::Kind::Ended;
    event.failed = failed;
    push(std::move(event));
}

void RunEvents::push(RunEvent event) {
    bool wasEmpty = false;
    {
        const std::lock_guard lock(mutex_);
        wasEmpty = pending_.empty();
        pending_.push_back(std::move(event));
    }
    if (wasEmpty && wake_) wake_();
}

std::vector<RunEvent> RunEvents::drain() {
    const std::lock_guard lock(mutex_);
    return std::exchange(pending_, {});
}

void RowBatcher::add(FoundRow row) { pending_.push_back(std::move(row)); }

void RowBatcher::flushIfDue() {
    if (pending_.empty()) return;
    if (std::chrono::steady_clock::now() - lastFlush_ >= interval_) flush();
}

void RowBatcher::flush() {
    lastFlush_ = std::chrono::steady_clock::now();
    if (pending_.empty()) return;
    events_.pushRows(std::exchange(pending_, {}));
}

}  // namespace findlark
