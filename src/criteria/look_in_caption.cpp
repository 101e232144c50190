#include "criteria/look_in_caption.h"

namespace findlark {

std::wstring LocalHardDrivesCaption(std::wstring_view fixedDriveLetters) {
    if (fixedDriveLetters.empty()) return L"Local Hard Drives";
    std::wstring caption = L"Local Hard Drives (";
    for (const wchar_t letter : fixedDriveLetters) {
        caption.push_back(letter);
        caption += L":; ";
    }
    caption.pop_back();       // the final space
    caption.back() = L')';    // the final ";"
    return caption;
}

}  // namespace findlark
