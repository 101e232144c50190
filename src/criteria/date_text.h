#pragma once
// Dates and times as text in the user's regional formats ("M/d/yyyy", "dd.MM.yyyy", "h:mm:ss tt",
// "HH:mm:ss", ...), read back by the same format: the numbers must come in the format's order.
#include "model/date_time.h"

#include <optional>
#include <string>
#include <string_view>

namespace findlark {

struct TimeDesignators {
    std::wstring am = L"AM";
    std::wstring pm = L"PM";
};

// A date written in a short date format; nothing when it does not read as a real date.
std::optional<DateTime> ParseDateText(std::wstring_view text, std::wstring_view shortDateFormat);
// A time of day written in a long time format (as a fraction of a day); nothing when it does not read.
std::optional<DateTime> ParseTimeText(std::wstring_view text, std::wstring_view longTimeFormat,
                                      const TimeDesignators& designators = {});

}  // namespace findlark
