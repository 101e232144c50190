#include "model/size_units.h"

#include "model/integer_text.h"

namespace findlark {

std::wstring_view SizeUnitText(int unit) { return IsSizeUnit(unit) ? kSizeUnitTexts[static_cast<std::size_t>(unit)] : L""; }

std::int64_t SizeUnitMultiplier(SizeUnit unit) { return std::int64_t{1} << (10 * unit); }

std::optional<std::int64_t> ReadSizeNumber(std::wstring_view text) { return ParseDigits(text, kSizeBoxMaximum); }

}  // namespace findlark
