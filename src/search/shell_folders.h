#pragma once
#include <string>

namespace findlark {

// The documents folder as the machine-wide "Shell Folders" key names it (for its icon).
std::wstring MachineDocumentsFolder();
// The current user's documents folder from the per-user "Shell Folders" key; empty when unknown.
std::wstring UserDocumentsFolder();

}  // namespace findlark
