#pragma once
// The program's date-time values to and from the system's time records.
#include "model/date_time.h"

#include <windows.h>

namespace win {

using findlark::DateTime;

DateTime FromSystemTime(const SYSTEMTIME& time);
SYSTEMTIME ToSystemTime(DateTime value);
DateTime LocalNow();

}  // namespace win
