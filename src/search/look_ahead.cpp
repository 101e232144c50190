#include "search/look_ahead.h"

#include <windows.h>

#include "search/search_plan.h"
#include "win/fault_hook.h"

#include <algorithm>
#include <chrono>

namespace findlark {
namespace {

// How often a helper held by a pause looks again; well inside the tenth of a second that Pause and
// Stop may take to reach the pool.
constexpr std::chrono::milliseconds kPausePoll{20};

bool IsWalkedSubfolder(const Listing& listing, std::size_t index) {
    const std::uint32_t attributes = listing.attributes(index);
    // Links are left to the walk, which first makes sure they do not lead back up.
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The walk never enters a skipped folder, so the pool does not list it either.
std::size_t NextSubfolder(const Listing& listing, const std::wstring& folder, const SkipFolders* skip, std::size_t from) {
    while (from < listing.size() &&
           (!IsWalkedSubfolder(listing, from) || (skip && skip->skips(folder, listing.name(from)))))
        ++from;
    return from;
}

WalkKey ChildKey(const WalkKey& parent, std::size_t index) {
    WalkKey key = parent;
    key.push_back(static_cast<std::uint32_t>(index));
    return key;
}

win::FaultHook<void()> allocationFault;

void InjectedAllocationFault() {
    if (const auto fault = allocationFault.current()) (*fault)();
}

std::size_t EntriesOf(const FolderListings& listings) {
    return listings.all->size() + (listings.matches ? listings.matches->size() : 0);
}

}  // namespace

ListingPlan PlanListings(const std::wstring& maskText) {
    const std::vector<MaskText> masks = SplitMasks(maskText);
    if (IsSingleMask(masks)) {
        const std::wstring& mask = masks.front().mask;
        ListingPlan plan;
        plan.singleMask = mask;
        if (MaskMatchesEverything(mask)) return plan;
        if (std::optional<PlainPattern> marks = PlainPattern::parse(mask, &PlatformUpcase)) {
            plan.marks.emplace(std::move(*marks));
        } else {
            plan.platformMask = mask;
        }
        return plan;
    }
    std::vector<PlainPattern> includes, excludes;
    bool everything = false;
    for (const MaskText& each : masks) {
        if (!each.exclude && MaskMatchesEverything(each.mask)) {
            everything = true;
            continue;
        }
        std::optional<PlainPattern> plain = PlainPattern::parse(each.mask, &PlatformUpcase);
        if (!plain) {
            ListingPlan plan;
            plan.platformMasks = masks;
            return plan;
        }
        (each.exclude ? excludes : includes).push_back(std::move(*plain));
    }
    ListingPlan plan;
    plan.marks.emplace(std::move(includes), everything, std::move(excludes));
    return plan;
}

unsigned DefaultLookAheadThreads() { return std::max(2u, std::thread::hardware_concurrency()); }

void LookAhead::setAllocationFaultForTesting(std::function<void()> fault) { allocationFault.set(std::move(fault)); }

LookAhead::LookAhead(unsigned threads, ListingPlan plan, const RunControl* control, const SkipFolders* skip)
    : threadCount_(threads), plan_(std::move(plan)), control_(control), skip_(skip) {}

LookAhead::~LookAhead() {
    {
        const std::lock_guard lock(mutex_);
        shutdown_ = true;
    }
    workReady_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

FolderListings LookAhead::take(const WalkKey& key, const std::wstring& folder, const std::function<bool()>& keepGoing) {
    std::unique_lock lock(mutex_);
    position_ = key;
    discardBefore(key);
    const auto ready = [&] {
        const auto job = jobs_.find(key);
        return job == jobs_.end() || job->second.done;
    };
    if (!ready()) jobDone_.wait(lock, ready);
    const auto job = jobs_.find(key);
    if (job != jobs_.end()) {
        FolderListings listings = std::move(job->second.listings);
        --foldersHeld_;
        entriesHeld_ -= job->second.entries;
        jobs_.erase(job);
        lock.unlock();
        workReady_.notify_all();
        return listings;
    }
    // Not picked by any helper: the walk lists it, and no helper may pick it later.
    const auto due = pending_.find(key);
    if (due != pending_.end()) advance(due, key.back() + std::size_t{1});
    lock.unlock();
    FolderListings listings;
    listings.all = std::make_shared<const Listing>(listEverything(folder, keepGoing));
    if (!listings.all->abandoned()) {
        lock.lock();
        offerSubfolders(key, folder, listings.all);
    }
    return listings;
}

// Called with the lock held. Out of memory or threads, fewer folders are offered, or none: the walk
// lists what the pool does not.
void LookAhead::offerSubfolders(const WalkKey& key, const std::wstring& folder, std::shared_ptr<const Listing> listing) noexcept {
    if (threadCount_ == 0 || key < position_) return;  // no helpers, or the walk has passed this folder
    const std::size_t first = NextSubfolder(*listing, folder, skip_, 0);
    if (first == listing->size()) return;
    try {
        InjectedAllocationFault();
        pending_.emplace(ChildKey(key, first),
                         Pending{key, std::make_shared<const std::wstring>(folder), std::move(listing), first});
        while (threads_.size() < threadCount_ && !threadsFailed_) threads_.emplace_back([this] { helperLoop(); });
    } catch (...) {
        threadsFailed_ = threadsFailed_ || threads_.size() < threadCount_;
    }
    workReady_.notify_all();
}

// Moves a pending listing on to its next subfolder from `from`, or drops it when none is left.
void LookAhead::advance(std::map<WalkKey, Pending>::iterator pending, std::size_t from) {
    auto node = pending_.extract(pending);
    const std::size_t next = NextSubfolder(*node.mapped().listing, *node.mapped().folder, skip_, from);
    if (next == node.mapped().listing->size()) return;
    node.mapped().next = next;
    node.key() = ChildKey(node.mapped().parent, next);
    pending_.insert(std::move(node));
}

// The walk enters folders in key order, so what is due before `key` is no longer wanted.
void LookAhead::discardBefore(const WalkKey& key) {
    while (!pending_.empty() && pending_.begin()->first < key) advance(pending_.begin(), pending_.begin()->second.next + 1);
    for (auto job = jobs_.begin(); job != jobs_.end() && job->first < key;) {
        if (!job->second.done) {
            ++job;  // its helper drops it when done
            continue;
        }
        --foldersHeld_;
        entriesHeld_ -= job->second.entries;
        job = jobs_.erase(job);
    }
}

bool LookAhead::hasRoom() const { return foldersHeld_ < kMaxFoldersAhead && entriesHeld_ < kMaxEntriesAhead; }

bool LookAhead::helperMayGoOn() const {
    for (;;) {
        if (shutdown_.load(std::memory_order_acquire) || (control_ && control_->stopRequested())) return false;
        if (!control_ || !control_->pauseRequested()) return true;
        std::this_thread::sleep_for(kPausePoll);
    }
}

Listing LookAhead::listEverything(const std::wstring& folder, const std::function<bool()>& keepGoing) const {
    return plan_.marks ? ListFolderMarking(folder, *plan_.marks, keepGoing) : ListFolder(folder, L"*", keepGoing);
}

FolderListings LookAhead::listFolder(const std::wstring& folder, const std::function<bool()>& keepGoing) const {
    FolderListings listings;
    listings.all = std::make_shared<const Listing>(listEverything(folder, keepGoing));
    if (!plan_.platformMask.empty() && !listings.all->abandoned()) {
        listings.matches = ListFolder(folder, plan_.platformMask, keepGoing);
    }
    return listings;
}

void LookAhead::helperLoop() noexcept {
    try {
        const std::function<bool()> keepGoing = [this] {
            entriesListed_.fetch_add(1, std::memory_order_relaxed);
            return helperMayGoOn();
        };
        std::unique_lock lock(mutex_);
        while (helperStep(lock, keepGoing)) {
        }
    } catch (...) {
        // Out of memory, say, before a job was taken: this helper ends, and the walk lists on.
    }
}

bool LookAhead::helperStep(std::unique_lock<std::mutex>& lock, const std::function<bool()>& keepGoing) {
    workReady_.wait(lock, [this] { return shutdown_ || (!pending_.empty() && hasRoom()); });
    if (shutdown_) return false;
    if (control_ && (control_->pauseRequested() || control_->stopRequested())) {
        lock.unlock();
        const bool goOn = helperMayGoOn();
        lock.lock();
        return goOn;
    }
    InjectedAllocationFault();
    const auto due = pending_.begin();
    const WalkKey key = due->first;
    const std::wstring folder = *due->second.folder + L"\\" + std::wstring(due->second.listing->name(due->second.next));
    advance(due, due->second.next + 1);
    jobs_[key];
    // From here on the job is registered: nothing may leave it undone, or the walk would wait for it.
    lock.unlock();
    std::optional<FolderListings> listings;
    try {
        listings = listFolder(folder, keepGoing);
    } catch (...) {
        // Out of memory, say: the walk lists this folder itself.
    }
    lock.lock();
    const auto job = jobs_.find(key);
    if (!listings || key < position_) {
        jobs_.erase(job);
    } else {
        job->second.done = true;
        job->second.entries = EntriesOf(*listings);
        job->second.listings = std::move(*listings);
        ++foldersHeld_;
        entriesHeld_ += job->second.entries;
        if (!job->second.listings.all->abandoned()) offerSubfolders(key, folder, job->second.listings.all);
    }
    jobDone_.notify_all();
    return true;
}

}  // namespace findlark
