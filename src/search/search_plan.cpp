#include "search/search_plan.h"

#include "model/ascii_case.h"

namespace findlark {

std::wstring EffectiveMask(const SearchCriteria& criteria) {
    // A regular expression is tested on every entry of the full listing.
    if (!criteria.AllOrPartOfTheFileName || criteria.Mask.empty() || criteria.MaskIsRegularExpression) return L"*.*";
    return criteria.Mask;
}

bool MaskMatchesEverything(const std::wstring& mask) { return mask == L"*" || mask == L"*.*"; }

std::wstring DocumentsRoot(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\') folder.push_back(L'\\');
    folder.pop_back();
    return folder;
}

std::wstring FolderQueryPath(const std::wstring& folder) {
    const bool bareDrive = folder.size() == 2 && folder[1] == L':' && IsAsciiLetter(folder[0]);
    return bareDrive ? folder + L"\\" : folder;
}

}  // namespace findlark
