#include "win/system_date_time.h"

namespace win {

using findlark::CivilDateTime;
using findlark::DatePart;
using findlark::DecodeDateTime;
using findlark::EncodeDateTime;

DateTime FromSystemTime(const SYSTEMTIME& t) {
    return EncodeDateTime({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds});
}

SYSTEMTIME ToSystemTime(DateTime value) {
    const CivilDateTime c = DecodeDateTime(value);
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(c.year);
    t.wMonth = static_cast<WORD>(c.month);
    t.wDay = static_cast<WORD>(c.day);
    t.wHour = static_cast<WORD>(c.hour);
    t.wMinute = static_cast<WORD>(c.minute);
    t.wSecond = static_cast<WORD>(c.second);
    t.wMilliseconds = static_cast<WORD>(c.millisecond);
    // Day of week: 30 December 1899 was a Saturday.
    const auto days = static_cast<long long>(DatePart(value));
    t.wDayOfWeek = static_cast<WORD>(((days % 7) + 7 + 6) % 7);
    return t;
}

DateTime LocalNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return FromSystemTime(now);
}

}  // namespace win
