#include "search/search_worker.h"

#include "win/system_date_time.h"
#include "model/attributes.h"
#include "search/compute_windows.h"
#include "search/content_file.h"
#include "search/content_pipeline.h"
#include "search/entry_filters.h"
#include "search/folder_walk.h"
#include "search/search_plan.h"
#include "search/search_roots.h"
#include "win/system_time.h"

#include <deque>

namespace findlark {
namespace {

constexpr std::chrono::milliseconds kBatchInterval{40};
// The system's tick count costs next to nothing to read, unlike the precise clock; its steps of 10 to
// 16 ms are fine for the batches' pace.
std::uint64_t TickMilliseconds() { return ::GetTickCount64(); }
// Progress is reported with every batch of rows, and on entering a folder once this has passed.
constexpr std::chrono::milliseconds kProgressInterval{100};
// How long the walk waits for a verdict before it looks at the run's requests again.
constexpr std::chrono::milliseconds kVerdictWait{10};

// Turns the walk's entries into rows: the entry tests first, the content test last, for the entries
// that passed them all. Content tests run on the pipeline's readers while the walk goes on; rows
// waiting for their verdict keep the walk's order. Counts what the status bar shows of the run's
// progress.
class RowCollector final : public WalkVisitor {
public:
    RowCollector(const SearchRequest& request, RunChannel& channel, const EntryFilters& filters,
                 const std::optional<ContentRule>& content)
        : request_(request),
          channel_(channel),
          batcher_(channel.events, kBatchInterval, &TickMilliseconds),
          filters_(filters),
          content_(content) {
        if (!content_) return;
        pipeline_.emplace(
            request.contentReaders,
            [&rule = *content_](std::function<bool()> stopRequested) -> ContentPipeline::Test {
                auto reader = std::make_shared<ContentReader>(std::move(stopRequested));
                return [reader, &rule](const std::wstring& path) { return reader->MatchContent(path, rule); };
            },
            channel.control);
    }

    void onFolder(const std::shared_ptr<const std::wstring>& folder) override {
        ++progress_.foldersSearched;
        progress_.currentFolder = folder;
        if (std::chrono::steady_clock::now() - lastProgress_ >= kProgressInterval) publishProgress();
    }

    void onMatch(const std::shared_ptr<const std::wstring>& folder, const EntryFacts& entry) override {
        if (!request_.adjustListedFacts) return consider(folder, entry);
        EntryFacts adjusted = entry;
        request_.adjustListedFacts(adjusted);
        consider(folder, adjusted);
    }

    void onUnreadable(const std::wstring&) override { ++progress_.unreadableFolders; }

    bool checkRunRequests() override {
        takeVerdicts();
        if (batcher_.flushIfDue()) publishProgress();
        return channel_.control.checkRunRequests([this] {
            batcher_.flush();
            publishProgress();
        });
    }

    // False when the run was stopped before every verdict came.
    bool finish() {
        while (!pending_.empty()) {
            if (!waitForVerdict()) return false;
        }
        batcher_.flush();
        progress_.currentFolder.reset();
        publishProgress();
        return true;
    }

private:
    struct PendingRow {
        std::wstring name;
        std::shared_ptr<const std::wstring> folder;
        std::int64_t size;
        std::uint64_t written;
        std::uint32_t attributes;
        RowTimes times;
    };
    void consider(const std::shared_ptr<const std::wstring>& folder, const EntryFacts& entry) {
        if (!filters_.passes(entry)) return;
        if (content_) {
            // Reading an online-only file downloads it. It was not searched, so it is listed
            // neither as holding the phrases nor as lacking them.
            if (!(entry.attributes & kAttributeDirectory) && IsOnlineOnly(entry.attributes) &&
                !request_.searchOnlineOnlyText) {
                ++progress_.onlineOnlyNotSearched;
                return;
            }
            std::wstring path = *folder;
            path += L'\\';
            path += entry.name;
            while (pipeline_->full()) {
                if (!waitForVerdict()) return;
            }
            pipeline_->submit(std::move(path));
            pending_.push_back({std::wstring(entry.name), folder, entry.size, entry.written, entry.attributes,
                                {entry.created, entry.accessed}});
            takeVerdicts();
            return;
        }
        addRow(entry.name, folder, entry.size, entry.written, entry.attributes, {entry.created, entry.accessed});
    }

    void addRow(std::wstring_view name, const std::shared_ptr<const std::wstring>& folder, std::int64_t size,
                std::uint64_t writtenTime, std::uint32_t attributes, RowTimes times) {
        const FILETIME written{static_cast<DWORD>(writtenTime), static_cast<DWORD>(writtenTime >> 32)};
        batcher_.add(name, folder, size, win::FromSystemTime(toLocal_(written)), attributes, times);
        ++progress_.itemsFound;
    }

    // Takes the oldest file's verdict if it comes within `wait`; a file that holds the phrases
    // becomes a row.
    bool takeVerdict(std::chrono::milliseconds wait) {
        if (pending_.empty()) return false;
        const std::optional<ContentVerdict> verdict = pipeline_->takeFront(wait);
        if (!verdict) return false;
        const PendingRow row = std::move(pending_.front());
        pending_.pop_front();
        bool pass = *verdict == ContentVerdict::Pass;
        if (*verdict == ContentVerdict::Unreadable) {
            // A folder has no text to read: judged as empty content, as always. A file that could not
            // be read is listed neither way, and counted.
            if (row.attributes & kAttributeDirectory) {
                pass = ContentScan(*content_).finish();
            } else {
                ++progress_.unreadableFiles;
            }
        }
        if (pass) addRow(row.name, row.folder, row.size, row.written, row.attributes, row.times);
        return true;
    }

    void takeVerdicts() {
        while (takeVerdict({})) {
        }
    }

    // Waits for the oldest file's verdict, held meanwhile by a pause; false when the run must end.
    bool waitForVerdict() {
        while (!takeVerdict(kVerdictWait)) {
            if (!checkRunRequests()) return false;
        }
        return true;
    }

    void publishProgress() {
        lastProgress_ = std::chrono::steady_clock::now();
        channel_.events.setProgress(progress_);
    }

    const SearchRequest& request_;
    RunChannel& channel_;
    RowBatcher batcher_;
    const EntryFilters& filters_;
    const std::optional<ContentRule>& content_;
    std::optional<ContentPipeline> pipeline_;
    std::deque<PendingRow> pending_;  // handed to the pipeline, in the walk's order
    const win::LocalTimeConverter toLocal_;
    RunProgress progress_;
    std::chrono::steady_clock::time_point lastProgress_;
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
        options.skipFolders = criteria.SkipFolders;
        options.lookAheadThreads = request.lookAheadThreads;
        options.control = &channel.control;
        // The bounds are anchored at the moment the run starts.
        const DerivedBounds bounds = ComputeWindows(criteria, [] { return win::LocalNow(); });
        const win::LocalTimeConverter toLocal;
        const EntryFilters filters(criteria, bounds, [&toLocal](std::uint64_t fileTime) {
            const FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
            return ToMilliseconds(win::FromSystemTime(toLocal(time)));
        }, criteria.MaskIsRegularExpression && !criteria.CaseSensitive ? &PlatformCaseFolding() : nullptr);
        const std::optional<ContentRule> content = MakeContentRule(criteria);
        RowCollector collector(request, channel, filters, content);
        FolderWalk walk(options, collector);
        for (const std::wstring& root : SearchRoots(criteria, request.lookInDrives)) {
            if (!walk.SearchRoot(root)) return;  // stopped: the window has already ended the run
        }
        if (!collector.finish()) return;  // stopped
    } catch (...) {
        failed = true;  // the rows handed on so far still count
    }
    if (!channel.control.stopRequested()) channel.events.pushEnd(failed);
}

}  // namespace findlark
