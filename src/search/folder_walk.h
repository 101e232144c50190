#pragma once
// The depth-first walk of one root: subfolders first (post-order), each folder's own matches
// after its subtree; the root's own matches first or last by the "all files and folders" rule.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace findlark {

struct WalkOptions {
    std::wstring mask;  // handed to the platform's enumeration
    bool searchAllFilesAndFolders = true;
    bool searchSystemFolders = true;
    bool searchHiddenFilesAndFolders = true;
    bool searchSubfolders = true;
};

// Receives every entry a folder's enumeration offers for the mask ("." and ".." left out).
class WalkVisitor {
public:
    virtual ~WalkVisitor() = default;
    virtual void onMatch(const std::shared_ptr<const std::wstring>& folder, const WIN32_FIND_DATAW& entry) = 0;
    // Runs after every entry of every enumeration; false ends the walk at once.
    virtual bool checkRunRequests() = 0;
};

class FolderWalk {
public:
    FolderWalk(const WalkOptions& options, WalkVisitor& visitor);
    // Walks one root; false when the visitor ended the walk.
    bool SearchRoot(const std::wstring& root);

private:
    // A folder's entries as "*" listed them, kept when the mask offers everything anyway.
    using Listing = std::vector<WIN32_FIND_DATAW>;
    struct Level {
        const std::wstring* path;
        std::wstring finalPath;  // resolved when a link below needs it
    };

    bool WalkSubfolders(const std::wstring& folder, Listing* listing);
    bool ListFolderMatches(const std::wstring& folder);
    bool EmitListing(const std::wstring& folder, const Listing& listing);
    bool LeadsToAncestor(const std::wstring& link);

    const WalkOptions& options_;
    WalkVisitor& visitor_;
    const bool reuseListings_;
    std::vector<Level> ancestors_;
};

}  // namespace findlark
