#include "search/search_worker.h"

#include "criteria/system_date_time.h"
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
        batcher_.add(entry.cFileName, folder, (static_cast<std::int64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow,
                     FromSystemTime(toLocal_(entry.ftLastWriteTime)), entry.dwFileAttributes);
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

void RunSearch(const SearchRequest& request, RunChannel& channel) noexcept {
    bool failed = false;
    try {
        const SearchCriteria& criteria = request.criteria;
        WalkOptions options;
        options.mask = EffectiveMask(criteria);
        options.searchAllFilesAndFolders = criteria.SearchAllFilesAndFolders;
        options.searchSystemFolders = criteria.SearchSystemFolders;
        options.searchHiddenFilesAndFolders = criteria.SearchHiddenFilesAndFolders;
        options.searchSubfolders = criteria.SearchSubfolders;
        RowCollector collector(channel);
        FolderWalk walk(options, collector);
        for (const std::wstring& root : SearchRoots(criteria, request.lookInDrives)) {
            if (!walk.SearchRoot(root)) return;  // stopped: the window has already ended the run
        }
        collector.finish();
    } catch (...) {
        failed = true;  // the rows handed on so far still count
    }
    if (!channel.control.stopRequested()) channel.events.pushEnd(failed);
}

}  // namespace findlark
