#pragma once
// The names a user may give a copy in the rename dialog.
#include <string_view>

namespace findlark {

// Not empty, no separator or character that a file name cannot hold, and none that the platform would
// alter (a final dot or space, a device name such as CON): the copy lands in the chosen folder under
// exactly that name, and every program can open it.
bool IsValidNewName(std::wstring_view name);

}  // namespace findlark
