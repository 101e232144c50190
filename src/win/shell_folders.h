#pragma once
// The documents folder, as the shell names it.
#include <string>

namespace win {

// The documents folder as the machine-wide "Shell Folders" key names it (for its icon).
std::wstring MachineDocumentsFolder();
// The current user's documents folder: the per-user "Shell Folders" value "Personal", or the shell's
// known folder when that value is missing; empty when neither is known.
std::wstring UserDocumentsFolder();

}  // namespace win
