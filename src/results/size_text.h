#pragma once
// How every size the program shows is written.
#include <cstdint>
#include <string>
#include <string_view>

namespace findlark {

// Index 0 to 3 of "B", "KB", "MB", "GB"; a number in a unit counts 1024 to the power of the index.
using SizeUnit = int;

std::int64_t SizeUnitMultiplier(SizeUnit unit);

// The size divided by the unit's multiplier, rounded half to even, grouped by "," in threes,
// then a space and the unit's text: 1234567 in KB gives "1,206 KB".
std::wstring FormatSizeText(std::int64_t size, SizeUnit unit, std::wstring_view unitText);

}  // namespace findlark
