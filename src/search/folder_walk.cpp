#include "search/folder_walk.h"

#include "search/search_plan.h"
#include "win/handle.h"

namespace findlark {
namespace {

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

win::UniqueFindHandle FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& entry) {
    return win::UniqueFindHandle(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                                    nullptr, FIND_FIRST_EX_LARGE_FETCH));
}

// The path a folder finally resolves to, links followed; empty when it cannot be opened.
std::wstring FinalPath(const std::wstring& folder) {
    const win::UniqueFileHandle handle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return {};
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle.get(), path.data(), static_cast<DWORD>(path.size()), 0);
    if (length >= path.size()) {
        path.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(handle.get(), path.data(), static_cast<DWORD>(path.size()), 0);
    }
    path.resize(length < path.size() ? length : 0);
    return path;
}

}  // namespace

FolderWalk::FolderWalk(const WalkOptions& options, WalkVisitor& visitor)
    : options_(options), visitor_(visitor), reuseListings_(MaskMatchesEverything(options.mask)) {}

bool FolderWalk::SearchRoot(const std::wstring& root) {
    ancestors_.assign(1, Level{&root, {}});
    if (options_.searchAllFilesAndFolders) {
        if (!ListFolderMatches(root)) return false;
        return !options_.searchSubfolders || WalkSubfolders(root, nullptr);
    }
    if (options_.searchSubfolders) {
        const DWORD attributes = ::GetFileAttributesW(FolderQueryPath(root).c_str());  // failure: all bits set
        const bool skipped = ((attributes & FILE_ATTRIBUTE_SYSTEM) && !options_.searchSystemFolders) ||
                             ((attributes & FILE_ATTRIBUTE_HIDDEN) && !options_.searchHiddenFilesAndFolders);
        if (!skipped) {
            Listing listing;
            if (!WalkSubfolders(root, reuseListings_ ? &listing : nullptr)) return false;
            if (reuseListings_) return EmitListing(root, listing);
        }
    }
    return ListFolderMatches(root);
}

bool FolderWalk::WalkSubfolders(const std::wstring& folder, Listing* listing) {
    WIN32_FIND_DATAW entry;
    const win::UniqueFindHandle find = FindFirst(folder + L"\\*", entry);
    if (!find) return true;
    do {
        if (!IsDotEntry(entry.cFileName) && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            const std::wstring child = folder + L"\\" + entry.cFileName;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !LeadsToAncestor(child)) {
                ancestors_.push_back(Level{&child, {}});
                bool goOn;
                if (reuseListings_) {
                    Listing childListing;
                    goOn = WalkSubfolders(child, &childListing) && EmitListing(child, childListing);
                } else {
                    goOn = WalkSubfolders(child, nullptr) && ListFolderMatches(child);
                }
                ancestors_.pop_back();
                if (!goOn) return false;
            }
        }
        if (listing && !IsDotEntry(entry.cFileName)) listing->push_back(entry);
        if (!visitor_.checkRunRequests()) return false;
    } while (::FindNextFileW(find.get(), &entry));
    return true;
}

bool FolderWalk::ListFolderMatches(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const win::UniqueFindHandle find = FindFirst(folder + L"\\" + options_.mask, entry);
    if (!find) return true;
    std::shared_ptr<const std::wstring> shared;
    do {
        if (!IsDotEntry(entry.cFileName)) {
            if (!shared) shared = std::make_shared<const std::wstring>(folder);
            visitor_.onMatch(shared, entry);
        }
        if (!visitor_.checkRunRequests()) return false;
    } while (::FindNextFileW(find.get(), &entry));
    return true;
}

bool FolderWalk::EmitListing(const std::wstring& folder, const Listing& listing) {
    std::shared_ptr<const std::wstring> shared;
    for (const WIN32_FIND_DATAW& entry : listing) {
        if (!shared) shared = std::make_shared<const std::wstring>(folder);
        visitor_.onMatch(shared, entry);
        if (!visitor_.checkRunRequests()) return false;
    }
    return true;
}

// A junction or symbolic link back to a folder on the current path would walk forever.
bool FolderWalk::LeadsToAncestor(const std::wstring& link) {
    const std::wstring target = FinalPath(link);
    if (target.empty()) return false;
    for (Level& level : ancestors_) {
        if (level.finalPath.empty()) level.finalPath = FinalPath(FolderQueryPath(*level.path));
        if (::CompareStringOrdinal(level.finalPath.c_str(), -1, target.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
    }
    return false;
}

}  // namespace findlark
