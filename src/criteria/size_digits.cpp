#include "criteria/size_digits.h"

#include <algorithm>
#include <optional>

namespace findlark {

bool SizeBoxAcceptsChar(std::wstring_view text, wchar_t typed) {
    if (typed == L'\b') return true;
    if (typed < L'0' || typed > L'9') return false;
    std::wstring appended(text);
    appended.push_back(typed);
    return ReadSizeNumber(appended).has_value();
}

std::wstring DigitsOnly(std::wstring_view text) {
    std::wstring digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    return digits;
}

std::wstring SpinSizeText(std::wstring_view text, int delta) {
    const std::wstring digits = DigitsOnly(text);
    // Digits beyond the maximum count as the maximum.
    const std::int64_t current = digits.empty() ? 0 : ReadSizeNumber(digits).value_or(kSizeBoxMaximum);
    return std::to_wstring(std::clamp<std::int64_t>(current + delta, 0, kSizeBoxMaximum));
}

}  // namespace findlark
