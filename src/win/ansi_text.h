#pragma once
// The one rule by which text goes into the ANSI code page: exactly or not at all. A best fit or the
// default character would store, export or look for another text than the user's.
#include <optional>
#include <string>
#include <string_view>

namespace win {

// The text's bytes in the ANSI code page, or nothing when a character has no exact form there.
std::optional<std::string> ExactAnsi(std::wstring_view text);

}  // namespace win
