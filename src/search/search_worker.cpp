#include "search/search_worker.h"

#include "search/folder_walk.h"
#include "search/search_plan.h"
#include "search/search_roots.h"
#include "win/system_time.h"

namespace findlark {
namespace {

constexpr std::chrono::milliseconds kBatchInterval{40};

// Turns the walk's entries into rows; the entry tests slot in as one call per entry.
class RowCollector final : public WalkVisitor {
public:
    explicit RowCollector(RunChannel& channel) : channel_(channel), batcher_(channel.events, kBatchInterval) {}

    void onMatch(const std::shared_ptr<const std::wstring>& folder, const WIN32_FIND_DATAW& entry) override {
        FoundRow row;
        row.name = entry.cFileName;
        row.folder = folder;
        row.size = (static_cast<std::int64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        row.modified = toLocal_(entry.ftLastWriteTime);
        batcher_.add(std::move(row));
    }

    bool checkRunRequests() override {
        batcher_.flushIfDue();
        return channel_.control.checkRunRequests([this] { batcher_.flush(); });
    }

    void finish() { batcher_.flush(); }

private:
    RunChannel& channel_;
    RowBatcher batcher_;
    const win::LocalTimeConverter toLocal_;
};

}  // namespace

void RunSearch(const SearchCriteria& criteria, const std::vector<std::wstring>& lookInEntries, RunChannel& channel) {
    WalkOptions options;
    options.searchAllFilesAndFolders = criteria.SearchAllFilesAndFolders;
    options.searchSystemFolders = criteria.SearchSystemFolders;
    options.searchHiddenFilesAndFolders = criteria.SearchHiddenFilesAndFolders;
    options.searchSubfolders = criteria.SearchSubfolders;
    RowCollector collector(channel);
    bool failed = false;
    try {
        options.mask = EffectiveMask(criteria);
        FolderWalk walk(options, collector);
        for (const std::wstring& root : SearchRoots(criteria, lookInEntries)) {
            if (!walk.SearchRoot(root)) return;  // stopped: the window has already ended the run
        }
    } catch (...) {
        failed = true;  // the rows found so far still count
    }
    collector.finish();
    if (!channel.control.stopRequested()) channel.events.pushEnd(failed);
}

win::WorkerThread StartSearchWorker(SearchCriteria criteria, std::vector<std::wstring> lookInEntries,
                                    std::shared_ptr<RunChannel> channel) {
    return win::WorkerThread([criteria = std::move(criteria), entries = std::move(lookInEntries),
                              channel = std::move(channel)] { RunSearch(criteria, entries, *channel); });
}

}  // namespace findlark
