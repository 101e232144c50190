#pragma once
// The look-in locations offered on the Common page, built once at start-up.
#include "model/search_criteria.h"
#include "win/handle.h"

#include <string>
#include <vector>

namespace findlark {

struct LookInTable {
    std::vector<std::wstring> entries;   // "My Computer", "My Documents", "Local Hard Drives", then drive letters
    std::vector<std::wstring> captions;  // the rows of the combo box
    std::vector<int> images;             // each row's image in `imageList`
    win::UniqueImageList imageList;

    // The drive letters of the rows from `LookInFirstDrive` on, as a run needs them.
    std::vector<wchar_t> driveLetters() const;
};

LookInTable BuildLookInTable();

}  // namespace findlark
