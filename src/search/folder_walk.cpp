#include "search/folder_walk.h"

#include "search/search_plan.h"
#include "win/file_identity.h"
#include "win/handle.h"
#include "win/long_path.h"

#include <optional>
#include <unordered_set>
#include <vector>

namespace findlark {

FolderWalk::FolderWalk(const WalkOptions& options, WalkVisitor& visitor)
    : options_(options),
      visitor_(visitor),
      plan_(PlanListings(options.mask)),
      skip_(options.skipFolders, &PlatformUpcase),
      keepGoing_([&visitor] { return visitor.checkRunRequests(); }),
      lookAhead_(options.searchSubfolders ? options.lookAheadThreads : 0, plan_, options.control, &skip_) {}

bool FolderWalk::SearchRoot(const std::wstring& root) {
    const SharedPath path = std::make_shared<const std::wstring>(root);
    levels_.clear();
    key_.assign(1, nextRoot_++);
    visitor_.onFolder(path);
    if (!options_.searchSubfolders || (!options_.searchAllFilesAndFolders && rootSkipped(root))) {
        return emitMatches(path, FolderListings{});
    }
    if (!enter(path)) return false;
    if (options_.searchAllFilesAndFolders) {
        return emitMatches(path, levels_.front().listings) && WalkSubfolders();
    }
    return WalkSubfolders() && emitMatches(path, levels_.front().listings);
}

// A hidden or system root is not walked when those are switched off; its own matches still count.
// A drive's root is never judged by its own bits: NTFS marks every root hidden and system.
bool FolderWalk::rootSkipped(const std::wstring& root) const {
    const std::wstring queried = FolderQueryPath(root);
    if (win::IsRootFolder(queried)) return false;
    const DWORD attributes = ::GetFileAttributesW(win::PlatformPath(queried).c_str());  // failure: all bits set
    return ((attributes & FILE_ATTRIBUTE_SYSTEM) && !options_.searchSystemFolders) ||
           ((attributes & FILE_ATTRIBUTE_HIDDEN) && !options_.searchHiddenFilesAndFolders);
}

// Lists the folder at the current key and makes it the deepest level; false when the run ended.
bool FolderWalk::enter(const SharedPath& folder) {
    FolderListings listings = lookAhead_.take(key_, *folder, keepGoing_);
    if (listings.all->abandoned()) return false;
    if (IsUnreadable(*listings.all)) visitor_.onUnreadable(*folder);
    levels_.push_back(Level{folder, std::move(listings), 0, {}});
    return true;
}

// Walks the subtree of the root level: each subfolder's subtree, then its matches, in the order of
// the root's listing, with a check after every entry.
bool FolderWalk::WalkSubfolders() {
    while (true) {
        Level& level = levels_.back();
        const Listing& all = *level.listings.all;
        if (level.next == all.size()) {
            if (levels_.size() == 1) return true;  // the root's own matches are the caller's
            if (!emitMatches(level.path, level.listings)) return false;
            levels_.pop_back();
            key_.pop_back();
            if (!visitor_.checkRunRequests()) return false;
            continue;
        }
        const std::size_t index = level.next++;
        const std::uint32_t attributes = all.attributes(index);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !skip_.skips(*level.path, all.name(index))) {
            std::wstring child = *level.path;
            child += L'\\';
            child += all.name(index);
            if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !leadsToAncestor(child)) {
                const SharedPath path = std::make_shared<const std::wstring>(std::move(child));
                key_.push_back(static_cast<std::uint32_t>(index));
                visitor_.onFolder(path);
                if (!enter(path)) return false;
                continue;  // its check follows its subtree
            }
        }
        if (!visitor_.checkRunRequests()) return false;
    }
}

// The folder's entries for the mask: the listing of everything when the mask offers everything
// anyway, its marked entries when the walk applies the mask itself, the platform's listing for the
// mask made ahead, or one made now.
bool FolderWalk::emitMatches(const SharedPath& folder, const FolderListings& listings) {
    if (!plan_.platformMasks.empty()) return emitBySeveralMasks(folder, listings);
    if (listings.all && plan_.platformMask.empty()) return emitListing(folder, *listings.all, !plan_.everything());
    std::optional<Listing> listedNow;
    if (!listings.matches) {
        // Several plain masks are marked in a full listing; the platform serves a single mask itself.
        listedNow = plan_.singleMask.empty() ? ListFolderMarking(*folder, *plan_.marks, keepGoing_)
                                             : ListFolder(*folder, plan_.singleMask, keepGoing_);
    }
    const Listing& matches = listings.matches ? *listings.matches : *listedNow;
    if (matches.abandoned()) return false;
    // A folder whose full listing failed has been counted already.
    if (IsUnreadable(matches) && !(listings.all && IsUnreadable(*listings.all))) visitor_.onUnreadable(*folder);
    return emitListing(folder, matches, plan_.singleMask.empty());
}

// Masks of which one needs the platform's own rules: one enumeration per mask, and the entries of the
// full listing that one mask to include offers and none to leave out does, in the full listing's order.
bool FolderWalk::emitBySeveralMasks(const SharedPath& folder, const FolderListings& listings) {
    std::optional<Listing> listedNow;
    if (!listings.all) listedNow = ListFolder(*folder, L"*", keepGoing_);
    const Listing& all = listings.all ? *listings.all : *listedNow;
    if (all.abandoned()) return false;
    if (listedNow && IsUnreadable(all)) visitor_.onUnreadable(*folder);
    std::unordered_set<std::wstring_view> included, excluded;
    std::vector<Listing> perMask;
    perMask.reserve(plan_.platformMasks.size());
    for (const MaskText& each : plan_.platformMasks) {
        perMask.push_back(ListFolder(*folder, each.mask, keepGoing_));
        const Listing& offered = perMask.back();
        if (offered.abandoned()) return false;
        for (std::size_t i = 0; i < offered.size(); ++i) (each.exclude ? excluded : included).insert(offered.name(i));
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::wstring_view name = all.name(i);
        if (!included.contains(name) || excluded.contains(name)) continue;
        visitor_.onMatch(folder, all.facts(i));
        if (!visitor_.checkRunRequests()) return false;
    }
    return true;
}

bool FolderWalk::emitListing(const SharedPath& folder, const Listing& listing, bool markedOnly) {
    for (std::size_t i = 0; i < listing.size(); ++i) {
        if (markedOnly && !listing.marked(i)) continue;
        visitor_.onMatch(folder, listing.facts(i));
        if (!visitor_.checkRunRequests()) return false;
    }
    return true;
}

// A junction or symbolic link back to a folder on the current path would walk forever.
bool FolderWalk::leadsToAncestor(const std::wstring& link) {
    const std::wstring target = win::FinalPathOf(link);
    if (target.empty()) return false;
    for (Level& level : levels_) {
        if (level.finalPath.empty()) level.finalPath = win::FinalPathOf(FolderQueryPath(*level.path));
        if (::CompareStringOrdinal(level.finalPath.c_str(), -1, target.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
    }
    return false;
}

}  // namespace findlark
