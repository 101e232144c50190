#include "results/size_text.h"

#include <cmath>

namespace findlark {

std::wstring FormatSizeText(std::int64_t size, SizeUnit unit, std::wstring_view unitText) {
    // Units above bytes divide in floating point; bytes stay exact however large.
    const std::int64_t rounded =
        unit <= 0 ? size
                  : static_cast<std::int64_t>(std::nearbyint(static_cast<long double>(size) /
                                                             static_cast<long double>(SizeUnitMultiplier(unit))));
    const bool negative = rounded < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(rounded) : static_cast<std::uint64_t>(rounded);
    const std::wstring digits = std::to_wstring(magnitude);
    std::wstring text = negative ? L"-" : L"";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text.push_back(L',');
        text.push_back(digits[i]);
    }
    text.push_back(L' ');
    text.append(unitText);
    return text;
}

}  // namespace findlark
