#include "model/integer_text.h"

#include <climits>

namespace findlark {

std::optional<std::int64_t> ParseDigits(std::wstring_view digits, std::int64_t maximum) {
    if (digits.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const wchar_t c : digits) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > maximum) return std::nullopt;
    }
    return value;
}

std::optional<int> ParseInt32(std::wstring_view text, bool plusAllowed) {
    const bool negative = !text.empty() && text.front() == L'-';
    if (negative || (plusAllowed && !text.empty() && text.front() == L'+')) text.remove_prefix(1);
    const std::optional<std::int64_t> magnitude = ParseDigits(text, static_cast<std::int64_t>(INT_MAX) + 1);
    if (!magnitude) return std::nullopt;
    const std::int64_t value = negative ? -*magnitude : *magnitude;
    if (value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace findlark
