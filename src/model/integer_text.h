#pragma once
// Integers written as text: the one reader of decimal digits behind the settings, the options files
// and the size boxes.
#include <cstdint>
#include <optional>
#include <string_view>

namespace findlark {

// Decimal digits only, no sign; nothing when empty, when anything else is there or when the number
// passes `maximum`.
std::optional<std::int64_t> ParseDigits(std::wstring_view digits, std::int64_t maximum);

// A 32-bit integer, optionally after "-" (and "+" when `plusAllowed`); nothing outside its range.
std::optional<int> ParseInt32(std::wstring_view text, bool plusAllowed = false);

}  // namespace findlark
