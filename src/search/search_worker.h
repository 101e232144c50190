#pragma once
// One search run on its own thread: it walks a snapshot of the criteria and reports through its
// own channel; it never touches a window.
#include "model/search_criteria.h"
#include "search/entry_filters.h"
#include "search/content_pipeline.h"
#include "search/run_control.h"
#include "search/look_ahead.h"
#include "search/run_events.h"

#include <functional>
#include <string>
#include <vector>

namespace findlark {

// What a run needs: the criteria as they stood when Search was pressed, and the drive letters of the
// look-in list's drive rows.
struct SearchRequest {
    SearchRequest() = default;
    SearchRequest(SearchCriteria c, std::vector<wchar_t> drives) : criteria(std::move(c)), lookInDrives(std::move(drives)) {}

    SearchCriteria criteria;
    std::vector<wchar_t> lookInDrives;
    // Threads that list folders ahead of the walk; 0 lists one folder after another on the worker.
    unsigned lookAheadThreads = DefaultLookAheadThreads();
    // Threads that test files' content ahead of the walk; 0 tests each on the walk's thread.
    unsigned contentReaders = DefaultContentReaders();
    // Whether the content test reads online-only files, which downloads them.
    bool searchOnlineOnlyText = false;
    // Tests give listed entries facts that the platform here never reports (the attributes of
    // online-only files).
    std::function<void(EntryFacts&)> adjustListedFacts;
};

// The stop and pause requests of one run and its queue to the window.
struct RunChannel {
    explicit RunChannel(std::function<bool()> wake) : events(std::move(wake)) {}
    // The window has let the run go: the worker ends at its next check and its later rows are
    // dropped. Gives the rows it had handed on before.
    RunEvents::Taken stop() {
        control.requestStop();
        return events.close();
    }
    RunControl control;
    RunEvents events;
};

// The walk itself, on the calling thread: every root of the request, rows into the channel, then
// the end. Nothing escapes: an error ends the run as failed, and the end event always follows
// unless the run was stopped.
void RunSearch(const SearchRequest& request, RunChannel& channel) noexcept;

}  // namespace findlark
