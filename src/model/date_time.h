#pragma once
// Date-time values as the program stores them: days since 30 December 1899 at midnight,
// the time of day as the fraction, in local time.
#include <cstdint>

namespace findlark {

using DateTime = double;

struct CivilDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    bool operator==(const CivilDateTime&) const = default;
};

constexpr double kMillisecondsPerDay = 86400000.0;

DateTime EncodeDateTime(const CivilDateTime& civil);
// Rounds to the nearest millisecond.
CivilDateTime DecodeDateTime(DateTime value);
bool IsLeapYear(int year);
// Days in a month (1 to 12) of a year.
int DaysInMonth(int year, int month);

// The whole days of a value and its time of day.
DateTime DatePart(DateTime value);
DateTime TimePart(DateTime value);

}  // namespace findlark
