#include "search/search_plan.h"

namespace findlark {

std::wstring EffectiveMask(const SearchCriteria& criteria) {
    if (!criteria.AllOrPartOfTheFileName || criteria.Mask.empty()) return L"*.*";
    return criteria.Mask;
}

bool MaskMatchesEverything(const std::wstring& mask) { return mask == L"*" || mask == L"*.*"; }

std::wstring DocumentsRoot(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\') folder.push_back(L'\\');
    folder.pop_back();
    return folder;
}

std::wstring FolderQueryPath(const std::wstring& folder) {
    const bool bareDrive = folder.size() == 2 && folder[1] == L':' &&
                           ((folder[0] >= L'A' && folder[0] <= L'Z') || (folder[0] >= L'a' && folder[0] <= L'z'));
    return bareDrive ? folder + L"\\" : folder;
}

}  // namespace findlark
