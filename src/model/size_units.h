#pragma once
// The size units "B", "KB", "MB" and "GB", listed once for the size boxes, the preferences, the
// summary, the list and the bounds of a run, and the numbers the size boxes hold.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace findlark {

// Index 0 to 3 of the list below; a number in a unit counts 1024 to the power of the index.
using SizeUnit = int;

inline constexpr std::array<std::wstring_view, 4> kSizeUnitTexts = {L"B", L"KB", L"MB", L"GB"};

constexpr bool IsSizeUnit(int unit) { return unit >= 0 && unit < static_cast<int>(kSizeUnitTexts.size()); }
// The unit's text; empty for an index outside the list.
std::wstring_view SizeUnitText(int unit);
std::int64_t SizeUnitMultiplier(SizeUnit unit);

// The largest number a size box holds.
inline constexpr std::int64_t kSizeBoxMaximum = 2147483647;

// The number a size box holds: its text read as a decimal integer from 0 to the maximum, or nothing
// when the text is anything else (only pasting can put such text there).
std::optional<std::int64_t> ReadSizeNumber(std::wstring_view text);

}  // namespace findlark
