#pragma once
// The root folders of a run: the look-in choice first, then the specified folders in list order.
#include "criteria/search_criteria.h"

#include <string>
#include <vector>

namespace findlark {

// `lookInEntries` is the look-in table as built at start-up; drives are read again now.
std::vector<std::wstring> SearchRoots(const SearchCriteria& criteria, const std::vector<std::wstring>& lookInEntries);

}  // namespace findlark
