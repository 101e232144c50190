#pragma once
// The depth-first walk of one root: subfolders first (post-order), each folder's own matches
// after its subtree; the root's own matches first or last by the "all files and folders" rule.
// The listings come from a look-ahead pool, in the same order as one enumeration after another.
#include "search/look_ahead.h"

#include <memory>
#include <string>
#include <vector>

namespace findlark {

struct WalkOptions {
    std::wstring mask;  // the name box's masks, separated by ";"
    std::wstring skipFolders;  // folders never entered: names, masks or paths, separated by ";"
    bool searchAllFilesAndFolders = true;
    bool searchSystemFolders = true;
    bool searchHiddenFilesAndFolders = true;
    bool searchSubfolders = true;
    // 0: every folder listed on the walk's own thread, one after another.
    unsigned lookAheadThreads = DefaultLookAheadThreads();
    // Stop and pause requests that the look-ahead honours; none when null.
    const RunControl* control = nullptr;
};

class WalkVisitor {
public:
    virtual ~WalkVisitor() = default;
    // The walk enters a folder (before its subtree).
    virtual void onFolder(const std::shared_ptr<const std::wstring>& folder) = 0;
    // An entry the enumeration offered for the mask ("." and ".." left out).
    virtual void onMatch(const std::shared_ptr<const std::wstring>& folder, const EntryFacts& entry) = 0;
    // A folder that could not be read: access denied, gone or not ready.
    virtual void onUnreadable(const std::wstring& folder) = 0;
    // Runs after every entry of every enumeration; false ends the walk at once.
    virtual bool checkRunRequests() = 0;
};

class FolderWalk {
public:
    FolderWalk(const WalkOptions& options, WalkVisitor& visitor);
    // Walks one root; false when the visitor ended the walk.
    bool SearchRoot(const std::wstring& root);

private:
    using SharedPath = std::shared_ptr<const std::wstring>;
    // A folder on the way down from the root; the walk keeps a stack of these, not the call stack,
    // so no depth of folders can exhaust the thread's stack.
    struct Level {
        SharedPath path;
        FolderListings listings;
        std::size_t next = 0;    // the next entry of `listings.all` to look at
        std::wstring finalPath;  // resolved when a link below needs it
    };

    bool rootSkipped(const std::wstring& root) const;
    bool enter(const SharedPath& folder);
    bool WalkSubfolders();
    bool emitMatches(const SharedPath& folder, const FolderListings& listings);
    bool emitBySeveralMasks(const SharedPath& folder, const FolderListings& listings);
    bool emitListing(const SharedPath& folder, const Listing& listing, bool markedOnly);
    bool leadsToAncestor(const std::wstring& link);

    const WalkOptions& options_;
    WalkVisitor& visitor_;
    const ListingPlan plan_;
    const SkipFolders skip_;
    const std::function<bool()> keepGoing_;
    LookAhead lookAhead_;
    std::vector<Level> levels_;
    WalkKey key_;  // of the deepest level
    std::uint32_t nextRoot_ = 0;
};

}  // namespace findlark
