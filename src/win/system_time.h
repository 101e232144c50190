#pragma once
// Conversions between the system's time records and the program's date-time values.
#include "criteria/date_time.h"

#include <windows.h>

namespace win {

findlark::DateTime FromSystemTime(const SYSTEMTIME& time);
SYSTEMTIME ToSystemTime(findlark::DateTime value);
findlark::DateTime LocalNow();
// Converts UTC file times to local time by the time-zone rules in force on their own date. The
// zone is read once, when the converter is made (the system reads it anew on every call otherwise).
class LocalTimeConverter {
public:
    LocalTimeConverter();
    findlark::DateTime operator()(const FILETIME& utc) const;

private:
    TIME_ZONE_INFORMATION zone_{};
    bool haveZone_ = false;
};

}  // namespace win
