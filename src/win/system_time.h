#pragma once
// Conversions between the system's time records and the program's date-time values.
#include "criteria/date_time.h"

#include <windows.h>

namespace win {

findlark::DateTime FromSystemTime(const SYSTEMTIME& time);
SYSTEMTIME ToSystemTime(findlark::DateTime value);
findlark::DateTime LocalNow();
// A UTC file time in local time, by the time-zone rules in force on that date.
findlark::DateTime FileTimeToLocalDateTime(const FILETIME& utc);

}  // namespace win
