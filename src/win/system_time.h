#pragma once
// Conversion of UTC file times to local time by the time-zone rules in force on their own date.
#include <windows.h>

namespace win {

// The zone is read once, when the converter is made (the system reads it anew on every call otherwise).
class LocalTimeConverter {
public:
    LocalTimeConverter();
    // The local time of a UTC file time; the UTC time itself when the zone cannot convert it.
    SYSTEMTIME operator()(const FILETIME& utc) const;

private:
    TIME_ZONE_INFORMATION zone_{};
    bool haveZone_ = false;
};

}  // namespace win
