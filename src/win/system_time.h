#pragma once
// Conversion of UTC file times to local time by the time-zone rules in force in their own year, so a
// file from a year with other daylight-saving dates shows the offset it had.
#include <windows.h>

#include <map>

namespace win {

// The zone is read once, when the converter is made, and its rules once per year met (the system
// reads them anew on every call otherwise). One converter serves one thread.
class LocalTimeConverter {
public:
    LocalTimeConverter();
    // The local time of a UTC file time; the UTC time itself when the zone cannot convert it.
    SYSTEMTIME operator()(const FILETIME& utc) const;

private:
    // The rules of a year; null when the zone gives none.
    const TIME_ZONE_INFORMATION* rulesFor(WORD year) const;

    DYNAMIC_TIME_ZONE_INFORMATION zone_{};
    bool haveZone_ = false;
    mutable std::map<WORD, TIME_ZONE_INFORMATION> years_;
};

}  // namespace win
