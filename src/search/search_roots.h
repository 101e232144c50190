#pragma once
// The root folders of a run: the look-in choice first, then the specified folders in list order.
#include "model/search_criteria.h"

#include <string>
#include <vector>

namespace findlark {

// `lookInDrives` holds the drive letters of the look-in rows from `LookInFirstDrive` on, as the list
// was built at start-up; the present drives are read again now.
// Each folder is searched once, however it is spelt (case, short names, another drive letter, a
// final separator): a root that is an earlier one, or that lies inside another one searched with
// its subfolders, is left out.
std::vector<std::wstring> SearchRoots(const SearchCriteria& criteria, const std::vector<wchar_t>& lookInDrives);

}  // namespace findlark
