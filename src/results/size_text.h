#pragma once
// How every size the program shows is written.
#include "model/size_units.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace findlark {

// The size divided by the unit's multiplier, rounded half to even, grouped by "," in threes,
// then a space and the unit's text: 1234567 in KB gives "1,206 KB".
std::wstring FormatSizeText(std::int64_t size, SizeUnit unit, std::wstring_view unitText);

}  // namespace findlark
