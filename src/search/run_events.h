#pragma once
// What a search worker reports to the window, in order: batches of rows, then the end.
#include "criteria/date_time.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace findlark {

// One entry that passed every test, as the worker found it.
struct FoundRow {
    std::wstring name;
    std::shared_ptr<const std::wstring> folder;  // shared by the rows of one folder
    std::int64_t size = 0;
    DateTime modified = 0;  // local time
};

struct RunEvent {
    enum class Kind { Rows, Ended } kind = Kind::Rows;
    std::vector<FoundRow> rows;
    bool failed = false;  // Ended: an error escaped the walk
};

// A queue from one worker to the window. `wake` runs when the queue turns non-empty, so the
// window is told once per batch of events, not once per event.
class RunEvents {
public:
    explicit RunEvents(std::function<void()> wake) : wake_(std::move(wake)) {}
    void pushRows(std::vector<FoundRow> rows);
    void pushEnd(bool failed);
    std::vector<RunEvent> drain();

private:
    void push(RunEvent event);
    std::function<void()> wake_;
    std::mutex mutex_;
    std::vector<RunEvent> pending_;
};

// Collects rows on the worker and hands them on at least every `interval` while there are any; the
// worker asks after every entry (flushIfDue), so adding a row costs no clock reading.
class RowBatcher {
public:
    RowBatcher(RunEvents& events, std::chrono::milliseconds interval) : events_(events), interval_(interval) {}
    void add(FoundRow row);
    // Hands on what is pending when the interval has passed since the last hand-over.
    void flushIfDue();
    void flush();

private:
    RunEvents& events_;
    std::chrono::milliseconds interval_;
    std::chrono::steady_clock::time_point lastFlush_ = std::chrono::steady_clock::now();
    std::vector<FoundRow> pending_;
};

}  // namespace findlark
