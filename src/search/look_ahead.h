#pragma once
// Folder listings made ahead of the walk by a small pool of threads. The walk asks for the listing of
// each folder in its own order; the pool lists the folders the walk will reach next (the earliest in
// that order first) and holds at most a bounded number of finished listings, so the walk finds most
// of them done and never waits for the platform itself.
#include "search/listing.h"
#include "model/mask_list.h"
#include "search/run_control.h"
#include "search/skip_folders.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace findlark {

// A folder's place in the walk: the root's number, then the index of each folder on the way down in
// its parent's listing. Keys compare in the order in which the walk enters folders.
using WalkKey = std::vector<std::uint32_t>;

// What the walk needs of one folder: the listing of everything in it (its subfolders), and, when the
// mask offers less than everything, the listing for the mask, unless it is left to the walk.
struct FolderListings {
    std::shared_ptr<const Listing> all;
    std::optional<Listing> matches;
};

// How the folders are listed: everything in one enumeration, marked by plain patterns when the walk
// applies the masks itself, and once more for a single mask that only the platform's enumeration can
// apply. Several masks of which one needs the platform's rules are listed one by one by the walk.
struct ListingPlan {
    std::optional<PatternSet> marks;
    std::wstring platformMask;  // empty: no second enumeration
    std::wstring singleMask;    // the one mask, as the platform's enumeration takes it; empty for several
    std::vector<MaskText> platformMasks;  // several masks, each listed by the platform
    // The mask offers every entry: the full listings are the matches.
    bool everything() const { return !marks && platformMask.empty() && platformMasks.empty(); }
};

// The plan for the name box's masks.
ListingPlan PlanListings(const std::wstring& maskText);

// One thread for each core, at least two.
unsigned DefaultLookAheadThreads();

class LookAhead {
public:
    // Caps on what the pool holds ahead of the walk, whichever is reached first.
    static constexpr std::size_t kMaxFoldersAhead = 1024;
    static constexpr std::size_t kMaxEntriesAhead = 65536;

    // `threads` 0 makes every listing on the walk's own thread. The pool lists by `plan`, except the
    // second enumeration when the walk asks for a folder that no helper picked: that is the walk's.
    // The pool honours the stop and pause requests of `control` between entries.
    // Subfolders that `skip` names are never listed.
    LookAhead(unsigned threads, ListingPlan plan, const RunControl* control, const SkipFolders* skip = nullptr);
    ~LookAhead();
    LookAhead(const LookAhead&) = delete;
    LookAhead& operator=(const LookAhead&) = delete;

    // The listings of the folder at `key`: made ahead, or made now with `keepGoing` after every entry.
    // The subfolders of the listing are offered to the pool. Asking for a key gives up everything held
    // for earlier keys.
    FolderListings take(const WalkKey& key, const std::wstring& folder, const std::function<bool()>& keepGoing);

    // Entries listed by the pool so far (for tests and benchmarks).
    std::size_t entriesListedAhead() const { return entriesListed_.load(std::memory_order_relaxed); }

    // For tests: runs where the pool allocates outside a listing (taking a job, offering subfolders);
    // it may throw as a failing allocation would. An empty function ends the injection.
    static void setAllocationFaultForTesting(std::function<void()> fault);

private:
    // A listing whose subfolders the pool may still list, with the next one due.
    struct Pending {
        WalkKey parent;
        std::shared_ptr<const std::wstring> folder;
        std::shared_ptr<const Listing> listing;
        std::size_t next;  // index of the next subfolder in `listing`
    };
    struct Job {
        bool done = false;
        std::size_t entries = 0;
        FolderListings listings;
    };

    // These run with the lock held. Offering is never needed: what is not offered, the walk lists.
    void offerSubfolders(const WalkKey& key, const std::wstring& folder, std::shared_ptr<const Listing> listing) noexcept;
    void advance(std::map<WalkKey, Pending>::iterator pending, std::size_t from);
    void discardBefore(const WalkKey& key);
    bool hasRoom() const;
    // A helper's life; nothing leaves it: a helper that fails ends, and the walk lists what it would have.
    void helperLoop() noexcept;
    // One job of a helper's; false when the helper should end.
    bool helperStep(std::unique_lock<std::mutex>& lock, const std::function<bool()>& keepGoing);
    bool helperMayGoOn() const;
    Listing listEverything(const std::wstring& folder, const std::function<bool()>& keepGoing) const;
    FolderListings listFolder(const std::wstring& folder, const std::function<bool()>& keepGoing) const;

    const unsigned threadCount_;
    const ListingPlan plan_;
    const RunControl* const control_;
    const SkipFolders* const skip_;
    std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable jobDone_;
    std::map<WalkKey, Pending> pending_;  // by the key of its next subfolder
    std::map<WalkKey, Job> jobs_;         // picked by a helper, running or done
    WalkKey position_;                    // the walk's latest key
    std::size_t foldersHeld_ = 0;
    std::size_t entriesHeld_ = 0;
    std::atomic<bool> shutdown_{false};
    std::atomic<std::size_t> entriesListed_{0};
    std::vector<std::thread> threads_;
    bool threadsFailed_ = false;  // a helper could not be started: no more are tried
};

}  // namespace findlark
