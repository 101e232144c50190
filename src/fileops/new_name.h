#pragma once
// The names a user may give a copy in the rename dialog.
#include <functional>
#include <string>
#include <string_view>

namespace findlark {

// Not empty, no separator or character that a file name cannot hold, and none that the platform would
// alter (a final dot or space, a device name such as CON): the copy lands in the chosen folder under
// exactly that name, and every program can open it.
bool IsValidNewName(std::wstring_view name);

// The first name "stem (2).ext", then 3, 4 ..., that `taken` says is free, as Explorer offers to keep
// both items; a folder's name has no extension, nor has a name whose only dot leads it. The name
// itself when every number up to a bound is taken.
std::wstring FirstFreeName(std::wstring_view name, bool folder, const std::function<bool(const std::wstring&)>& taken);

}  // namespace findlark
