#include "search/search_roots.h"

#include "search/search_plan.h"
#include "win/file_identity.h"
#include "win/shell_folders.h"

#include <windows.h>

#include <algorithm>
#include <optional>

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

// The roots left when every folder is to be searched once, by identity (volume and file ID).
std::vector<std::wstring> DistinctRoots(const std::vector<std::wstring>& roots, bool subfolders) {
    struct Root {
        std::optional<win::FileIdentity> identity;
        std::vector<win::FileIdentity> chain;  // itself and every folder above it
    };
    std::vector<Root> known;
    for (const std::wstring& root : roots) {
        // "C:" names the drive's root here, not its current folder.
        const std::wstring path = root.size() == 2 && root[1] == L':' ? root + L"\\" : root;
        known.push_back({win::IdentityOf(path), subfolders ? win::IdentityChain(path) : std::vector<win::FileIdentity>()});
    }
    const auto inside = [&](std::size_t inner, std::size_t outer) {
        const auto& chain = known[inner].chain;
        return known[outer].identity && std::find(chain.begin() + (chain.empty() ? 0 : 1), chain.end(), *known[outer].identity) != chain.end();
    };
    std::vector<std::wstring> distinct;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        bool covered = false;
        for (std::size_t j = 0; j < roots.size() && !covered && known[i].identity; ++j) {
            if (j == i) continue;
            covered = (j < i && known[j].identity == known[i].identity) || (subfolders && inside(i, j));
        }
        if (!covered) distinct.push_back(roots[i]);
    }
    return distinct;
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
    return DistinctRoots(roots, criteria.SearchSubfolders);
}

}  // namespace findlark
