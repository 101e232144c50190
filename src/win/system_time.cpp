#include "win/system_time.h"

namespace win {

LocalTimeConverter::LocalTimeConverter() {
    haveZone_ = ::GetTimeZoneInformation(&zone_) != TIME_ZONE_ID_INVALID;
}

SYSTEMTIME LocalTimeConverter::operator()(const FILETIME& utc) const {
    SYSTEMTIME universal{}, local{};
    if (!::FileTimeToSystemTime(&utc, &universal)) return SYSTEMTIME{1899, 12, 6, 30, 0, 0, 0, 0};
    if (!::SystemTimeToTzSpecificLocalTime(haveZone_ ? &zone_ : nullptr, &universal, &local)) return universal;
    return local;
}

}  // namespace win
