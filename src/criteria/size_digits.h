#pragma once
// Rules of the size number boxes: which keys they take and what a spinner click leaves in them.
#include "model/size_units.h"

#include <string>
#include <string_view>

namespace findlark {

// Backspace always; a digit only when the text with the digit appended (wherever the caret stands)
// still reads as a number no larger than the maximum; nothing else.
bool SizeBoxAcceptsChar(std::wstring_view text, wchar_t typed);

std::wstring DigitsOnly(std::wstring_view text);

// The box's text after one spinner click of `delta`: digits only, within 0 and the maximum.
std::wstring SpinSizeText(std::wstring_view text, int delta);

}  // namespace findlark
