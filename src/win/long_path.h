#pragma once
// Paths for platform calls beyond the classic length limit. Portable: pure text.
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

// What to hand to a platform call: the path as it is while it fits the classic limit, otherwise its
// extended-length form.
std::wstring PlatformPath(std::wstring_view path);

}  // namespace win
