#pragma once
// The look-in locations offered on the Common page, built once at start-up.
#include "win/handle.h"

#include <string>
#include <vector>

namespace findlark {

enum LookInRow : int { LookInMyComputer = 0, LookInMyDocuments = 1, LookInLocalHardDrives = 2, LookInFirstDrive = 3 };

struct LookInTable {
    std::vector<std::wstring> entries;   // "My Computer", "My Documents", "Local Hard Drives", then drive letters
    std::vector<std::wstring> captions;  // the rows of the combo box
    std::vector<int> images;             // each row's image in `imageList`
    win::UniqueImageList imageList;
};

LookInTable BuildLookInTable();

}  // namespace findlark
