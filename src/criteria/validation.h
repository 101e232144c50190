#pragma once
// The checks made before a search starts, as rules: which fault comes first, on which page it lies,
// where the focus goes and what the warning says. Showing them is the window's business.
#include "criteria/search_criteria.h"

#include <optional>
#include <string>

namespace findlark {

// The control the user has to correct; `Unchanged` leaves the focus where it is.
enum class FaultFocus { Unchanged, NameMask };

struct CriteriaFault {
    int page = 0;
    int subPage = -1;  // "Date && Time" sub-page, -1 for none
    FaultFocus focus = FaultFocus::Unchanged;
    std::wstring message;
};

// The first fault of the criteria, or nothing when a search may start.
std::optional<CriteriaFault> FindCriteriaFault(const SearchCriteria& criteria);

// A mask with a separator or a drive would list another folder's entries under the walked folder.
bool MaskLeavesItsFolder(const std::wstring& mask);

}  // namespace findlark
