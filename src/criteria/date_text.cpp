#include "criteria/date_text.h"

#include <cwctype>
#include <vector>

namespace findlark {
namespace {

// The runs of digits of a text and what follows the last one.
struct Numbers {
    std::vector<int> values;
    std::vector<int> widths;
    std::wstring rest;  // the letters, for a time's AM/PM designator
};

Numbers NumbersOf(std::wstring_view text) {
    Numbers numbers;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] >= L'0' && text[at] <= L'9') {
            int value = 0, width = 0;
            while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
                if (width < 9) value = value * 10 + (text[at] - L'0');
                ++width;
                ++at;
            }
            numbers.values.push_back(value);
            numbers.widths.push_back(width);
        } else {
            if (text[at] != L' ' && text[at] != L'\t' && !numbers.values.empty() &&
                (std::iswalpha(text[at]) || text[at] > 0x7F))
                numbers.rest.push_back(text[at]);
            ++at;
        }
    }
    return numbers;
}

// The fields of a format in order: 'd', 'M', 'y' for dates, 'h', 'm', 's' for times ('H' and 'h' alike).
std::wstring FieldOrder(std::wstring_view format, std::wstring_view fields) {
    std::wstring order;
    bool quoted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const wchar_t c = format[i];
        if (c == L'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        const wchar_t field = c == L'H' ? L'h' : c;
        if (fields.find(field) == std::wstring_view::npos) continue;
        if (order.empty() || order.back() != field) order.push_back(field);
        while (i + 1 < format.size() && format[i + 1] == c) ++i;
    }
    return order;
}

bool SameLetters(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size() || a.empty()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<DateTime> ParseDateText(std::wstring_view text, std::wstring_view format) {
    const std::wstring order = FieldOrder(format, L"dMy");
    const Numbers numbers = NumbersOf(text);
    if (order.size() != 3 || numbers.values.size() != 3 || !numbers.rest.empty()) return std::nullopt;
    int day = 0, month = 0, year = 0, yearWidth = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (numbers.widths[i] > 4) return std::nullopt;
        if (order[i] == L'd') day = numbers.values[i];
        if (order[i] == L'M') month = numbers.values[i];
        if (order[i] == L'y') {
            year = numbers.values[i];
            yearWidth = numbers.widths[i];
        }
    }
    // Two-digit years fall within fifty years either side of 2000.
    if (yearWidth <= 2) year += year < 50 ? 2000 : 1900;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    return EncodeDateTime({year, month, day});
}

std::optional<DateTime> ParseTimeText(std::wstring_view text, std::wstring_view format, const TimeDesignators& designators) {
    const std::wstring order = FieldOrder(format, L"hms");
    const Numbers numbers = NumbersOf(text);
    if (numbers.values.empty() || numbers.values.size() > 3 || order.size() < numbers.values.size()) return std::nullopt;
    int hour = 0, minute = 0, second = 0;
    for (std::size_t i = 0; i < numbers.values.size(); ++i) {
        if (numbers.widths[i] > 2) return std::nullopt;
        if (order[i] == L'h') hour = numbers.values[i];
        if (order[i] == L'm') minute = numbers.values[i];
        if (order[i] == L's') second = numbers.values[i];
    }
    if (!numbers.rest.empty()) {
        const bool am = SameLetters(numbers.rest, designators.am), pm = SameLetters(numbers.rest, designators.pm);
        if ((!am && !pm) || hour < 1 || hour > 12) return std::nullopt;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return EncodeDateTime({1899, 12, 30, hour, minute, second, 0});
}

}  // namespace findlark
