#include "criteria/validation.h"

#include "criteria/page_index.h"

namespace findlark {

bool MaskLeavesItsFolder(const std::wstring& mask) { return mask.find_first_of(L"\\/:") != std::wstring::npos; }

std::optional<CriteriaFault> FindCriteriaFault(const SearchCriteria& c) {
    if (c.AllOrPartOfTheFileName && MaskLeavesItsFolder(c.Mask))
        return CriteriaFault{PageIndexCommon, -1, FaultFocus::NameMask, L"The file name mask cannot contain \\, / or :."};
    return std::nullopt;
}

}  // namespace findlark
