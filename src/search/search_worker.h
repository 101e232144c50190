#pragma once
// One search run on its own thread: it walks a snapshot of the criteria and reports through its
// own channel; it never touches a window.
#include "criteria/search_criteria.h"
#include "search/run_control.h"
#include "search/run_events.h"
#include "win/worker_thread.h"

#include <memory>
#include <string>
#include <vector>

namespace findlark {

struct RunChannel {
    explicit RunChannel(std::function<void()> wake) : events(std::move(wake)) {}
    RunControl control;
    RunEvents events;
};

// The walk itself, on the calling thread: every root of the criteria, rows into the channel, then
// the end. An error that escapes the walk ends the run as failed.
void RunSearch(const SearchCriteria& criteria, const std::vector<std::wstring>& lookInEntries, RunChannel& channel);

// Starts RunSearch on a worker thread that keeps the channel alive for as long as it runs.
win::WorkerThread StartSearchWorker(SearchCriteria criteria, std::vector<std::wstring> lookInEntries,
                                    std::shared_ptr<RunChannel> channel);

}  // namespace findlark
