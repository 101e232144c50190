#include "model/date_time.h"

#include <cmath>

namespace findlark {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

const std::int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

DateTime EncodeDateTime(const CivilDateTime& c) {
    const auto days = DaysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) - kEpochDays;
    const double milliseconds = ((c.hour * 60.0 + c.minute) * 60.0 + c.second) * 1000.0 + c.millisecond;
    return static_cast<double>(days) + milliseconds / kMillisecondsPerDay;
}

CivilDateTime DecodeDateTime(DateTime value) {
    const auto total = static_cast<std::int64_t>(std::llround(value * kMillisecondsPerDay));
    std::int64_t days = total / 86400000;
    std::int64_t rest = total % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --days;
    }
    CivilDateTime c;
    CivilFromDays(days + kEpochDays, c.year, c.month, c.day);
    c.millisecond = static_cast<int>(rest % 1000);
    rest /= 1000;
    c.second = static_cast<int>(rest % 60);
    rest /= 60;
    c.minute = static_cast<int>(rest % 60);
    c.hour = static_cast<int>(rest / 60);
    return c;
}

DateTime DatePart(DateTime value) {
    CivilDateTime c = DecodeDateTime(value);
    c.hour = c.minute = c.second = c.millisecond = 0;
    return EncodeDateTime(c);
}

// Computed from whole milliseconds, so equal times of day compare equal whatever their date.
DateTime TimePart(DateTime value) {
    const CivilDateTime c = DecodeDateTime(value);
    return EncodeDateTime({1899, 12, 30, c.hour, c.minute, c.second, c.millisecond});
}

}  // namespace findlark
