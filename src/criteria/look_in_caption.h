#pragma once
#include <string>
#include <string_view>

namespace findlark {

// "Local Hard Drives (C:; D:)" for the fixed drives "CD"; "Local Hard Drives" when there is none.
std::wstring LocalHardDrivesCaption(std::wstring_view fixedDriveLetters);

}  // namespace findlark
