#pragma once
// The root folders of a run: the look-in choice first, then the specified folders in list order.
#include "model/search_criteria.h"

#include <string>
#include <vector>

namespace findlark {

// `lookInDrives` holds the drive letters of the look-in rows from `LookInFirstDrive` on, as the list
// was built at start-up; the present drives are read again now.
std::vector<std::wstring> SearchRoots(const SearchCriteria& criteria, const std::vector<wchar_t>& lookInDrives);

}  // namespace findlark
