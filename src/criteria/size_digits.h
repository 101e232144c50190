#pragma once
// Rules of the size number boxes: which keys they take and what a spinner click leaves in them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace findlark {

inline constexpr std::int64_t kSizeBoxMaximum = 2147483647;

// Backspace always; a digit only when the text with the digit appended (wherever the caret stands)
// still reads as a number no larger than the maximum; nothing else.
bool SizeBoxAcceptsChar(std::wstring_view text, wchar_t typed);

std::wstring DigitsOnly(std::wstring_view text);

// The number a size box holds: its text read as a decimal integer from 0 to the maximum, or nothing
// when the text is anything else (only pasting can put such text there).
std::optional<std::int64_t> ReadSizeNumber(std::wstring_view text);

// The box's text after one spinner click of `delta`: digits only, within 0 and the maximum.
std::wstring SpinSizeText(std::wstring_view text, int delta);

}  // namespace findlark
