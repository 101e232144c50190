#pragma once
// Which rows' icons are read from the file itself (programs, icon files, shortcuts, cursors, on a
// local drive), off the UI thread by the icon loader. Every other icon is chosen by the entry's kind
// and extension alone. Painting a row never opens its file or waits for a slow disk.
#include <string>
#include <string_view>

namespace findlark {

// Programs, icon files, shortcuts and cursors carry their own pictures.
bool IconLivesInFile(std::wstring_view name);
// A path on a share ("\\server\share\..."): never read for an icon.
bool IsNetworkPath(std::wstring_view path);
// The key under which icons chosen by kind are kept: folders share one, files one per extension
// (folded to lower case).
std::wstring IconTypeKey(std::wstring_view name, bool folder);

}  // namespace findlark
