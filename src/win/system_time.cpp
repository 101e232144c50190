#include "win/system_time.h"

namespace win {

findlark::DateTime FromSystemTime(const SYSTEMTIME& t) {
    return findlark::EncodeDateTime({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds});
}

SYSTEMTIME ToSystemTime(findlark::DateTime value) {
    const findlark::CivilDateTime c = findlark::DecodeDateTime(value);
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(c.year);
    t.wMonth = static_cast<WORD>(c.month);
    t.wDay = static_cast<WORD>(c.day);
    t.wHour = static_cast<WORD>(c.hour);
    t.wMinute = static_cast<WORD>(c.minute);
    t.wSecond = static_cast<WORD>(c.second);
    t.wMilliseconds = static_cast<WORD>(c.millisecond);
    // Day of week: 30 December 1899 was a Saturday.
    const auto days = static_cast<long long>(findlark::DatePart(value));
    t.wDayOfWeek = static_cast<WORD>(((days % 7) + 7 + 6) % 7);
    return t;
}

findlark::DateTime LocalNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return FromSystemTime(now);
}

LocalTimeConverter::LocalTimeConverter() {
    haveZone_ = ::GetTimeZoneInformation(&zone_) != TIME_ZONE_ID_INVALID;
}

findlark::DateTime LocalTimeConverter::operator()(const FILETIME& utc) const {
    SYSTEMTIME universal{}, local{};
    if (!::FileTimeToSystemTime(&utc, &universal)) return 0;
    if (!::SystemTimeToTzSpecificLocalTime(haveZone_ ? &zone_ : nullptr, &universal, &local))
        return FromSystemTime(universal);
    return FromSystemTime(local);
}

}  // namespace win
