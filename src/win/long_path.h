#pragma once
// Paths for platform calls: beyond the classic length limit, and for names that the platform's own
// clean-up would change into another item's name. Portable: pure text.
#include <string>
#include <string_view>

namespace win {

// Longer paths than this go to the platform in the extended-length form (creating a folder allows
// 12 characters less than the classic 260).
constexpr std::size_t kClassicPathLimit = 248;

// The extended-length form of an absolute path: "\\?\C:\..." or "\\?\UNC\server\share\...". That
// form skips the platform's own clean-up, so separators are folded, "/" becomes "\" and "." and ".."
// are resolved here. Relative paths and paths already in a "\\?\" or "\\.\" form come back as they are.
std::wstring ExtendedLengthPath(std::wstring_view path);

// A device the platform reaches instead of a file of that name: CON, PRN, AUX, NUL, COM0-COM9,
// LPT0-LPT9 (superscript 1 to 3 too), CONIN$ and CONOUT$, in any case, with or without an extension
// ("aux.txt", "nul .log").
bool IsReservedDeviceName(std::wstring_view name);

// Whether a plain path would reach another item than the one it names: one of its names ends in a dot
// or a space (which the platform strips) or is a reserved device name.
bool NeedsExactForm(std::wstring_view path);

// What to hand to a platform call: the path as it is while it fits the classic limit and names
// exactly its item, otherwise its extended-length form.
std::wstring PlatformPath(std::wstring_view path);

// Whether a path names the root of a drive or share ("C:", "C:\", "\\server\share", "\\?\C:\").
bool IsRootFolder(std::wstring_view path);

// The folder that holds a path's last item, or nothing for a root ("C:\", "\\?\C:\",
// "\\server\share", "\\?\UNC\server\share"); a final separator is ignored.
std::wstring_view ParentFolder(std::wstring_view path);

}  // namespace win
