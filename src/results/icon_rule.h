#pragma once
// Which rows' icons are read from the file itself (programs, icon files, shortcuts, cursors, on a
// local drive, their bytes on the disk), off the UI thread by the icon loader. Every other icon is chosen by the entry's kind
// and extension alone. Painting a row never opens its file or waits for a slow disk.
#include <cstdint>
#include <string>
#include <string_view>

namespace findlark {

// Programs, icon files, shortcuts and cursors carry their own pictures.
bool IconLivesInFile(std::wstring_view name);
// Whether a row's icon is read from its file: a file of such a type, not on a share, and not an
// online-only file, whose reading would download it.
bool IconReadFromFile(std::wstring_view name, std::wstring_view folder, std::uint32_t attributes);
// A path on a share ("\\server\share\..."): never read for an icon.
bool IsNetworkPath(std::wstring_view path);
// The key under which icons chosen by kind are kept: folders share one, files one per extension
// (folded to lower case).
std::wstring IconTypeKey(std::wstring_view name, bool folder);

}  // namespace findlark
