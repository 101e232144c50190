#include "search/search_worker.h"

#include "criteria/system_date_time.h"
#include "search/compute_windows.h"
#include "search/content_file.h"
#include "search/entry_filters.h"
#include "search/folder_walk.h"
#include "search/search_plan.h"
#include "search/search_roots.h"
#include "win/system_time.h"

namespace findlark {
namespace {

constexpr std::chrono::milliseconds kBatchInterval{40};

std::uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Turns the walk's entries into rows: the entry tests first, the content test last, for the entries
// that passed them all.
class RowCollector final : public WalkVisitor {
public:
    RowCollector(RunChannel& channel, const EntryFilters& filters, const std::optional<ContentRule>& content)
        : channel_(channel),
          batcher_(channel.events, kBatchInterval),
          filters_(filters),
          content_(content),
          reader_([&channel] { return channel.control.stopRequested(); }) {}

    void onMatch(const std::shared_ptr<const std::wstring>& folder, const WIN32_FIND_DATAW& entry) override {
        const EntryFacts facts{entry.cFileName,
                               entry.dwFileAttributes,
                               (static_cast<std::int64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow,
                               FileTimeValue(entry.ftCreationTime),
                               FileTimeValue(entry.ftLastAccessTime),
                               FileTimeValue(entry.ftLastWriteTime)};
        if (!filters_.passes(facts)) return;
        if (content_ && reader_.MatchContent(*folder + L"\\" + entry.cFileName, *content_) != ContentVerdict::Pass) return;
        batcher_.add(facts.name, folder, facts.size, FromSystemTime(toLocal_(entry.ftLastWriteTime)), facts.attributes);
    }

    bool checkRunRequests() override {
        batcher_.flushIfDue();
        return channel_.control.checkRunRequests([this] { batcher_.flush(); });
    }

    void finish() { batcher_.flush(); }

private:
    RunChannel& channel_;
    RowBatcher batcher_;
    const EntryFilters& filters_;
    const std::optional<ContentRule>& content_;
    ContentReader reader_;
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
        // The bounds are anchored at the moment the run starts.
        const DerivedBounds bounds = ComputeWindows(criteria, [] { return LocalNow(); });
        const win::LocalTimeConverter toLocal;
        const EntryFilters filters(criteria, bounds, [&toLocal](std::uint64_t fileTime) {
            const FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
            return ToMilliseconds(FromSystemTime(toLocal(time)));
        });
        const std::optional<ContentRule> content = MakeContentRule(criteria);
        RowCollector collector(channel, filters, content);
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
