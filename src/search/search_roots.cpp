#include "search/search_roots.h"

#include "search/search_plan.h"
#include "win/shell_folders.h"

#include <windows.h>

namespace findlark {
namespace {

// Present drives as "C:", optionally only the fixed ones.
std::vector<std::wstring> DriveRoots(bool fixedOnly) {
    std::vector<std::wstring> roots;
    const DWORD drives = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        const std::wstring root{static_cast<wchar_t>(L'A' + i), L':'};
        if (!fixedOnly || ::GetDriveTypeW(root.c_str()) == DRIVE_FIXED) roots.push_back(root);
    }
    return roots;
}

}  // namespace

std::vector<std::wstring> SearchRoots(const SearchCriteria& criteria, const std::vector<wchar_t>& lookInDrives) {
    std::vector<std::wstring> roots;
    if (criteria.LookIn) {
        switch (criteria.LookInWhere) {
        case LookInMyComputer:
            roots = DriveRoots(false);
            break;
        case LookInMyDocuments:
            roots.push_back(DocumentsRoot(win::UserDocumentsFolder()));
            break;
        case LookInLocalHardDrives:
            roots = DriveRoots(true);
            break;
        default:
            if (criteria.LookInWhere >= LookInFirstDrive &&
                criteria.LookInWhere - LookInFirstDrive < static_cast<int>(lookInDrives.size()))
                roots.push_back({lookInDrives[static_cast<size_t>(criteria.LookInWhere - LookInFirstDrive)], L':'});
            break;
        }
    }
    if (criteria.AdditionalFolders) roots.insert(roots.end(), criteria.Directories.begin(), criteria.Directories.end());
    return roots;
}

}  // namespace findlark
