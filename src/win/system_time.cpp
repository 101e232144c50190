#include "win/system_time.h"

namespace win {

LocalTimeConverter::LocalTimeConverter() {
    haveZone_ = ::GetDynamicTimeZoneInformation(&zone_) != TIME_ZONE_ID_INVALID;
}

const TIME_ZONE_INFORMATION* LocalTimeConverter::rulesFor(WORD year) const {
    if (!haveZone_) return nullptr;
    const auto known = years_.find(year);
    if (known != years_.end()) return &known->second;
    TIME_ZONE_INFORMATION rules{};
    DYNAMIC_TIME_ZONE_INFORMATION zone = zone_;  // the declaration asks for a writable record
    if (!::GetTimeZoneInformationForYear(year, &zone, &rules)) return nullptr;
    return &years_.emplace(year, rules).first->second;
}

SYSTEMTIME LocalTimeConverter::operator()(const FILETIME& utc) const {
    SYSTEMTIME universal{}, local{};
    if (!::FileTimeToSystemTime(&utc, &universal)) return SYSTEMTIME{1899, 12, 6, 30, 0, 0, 0, 0};
    if (!::SystemTimeToTzSpecificLocalTime(rulesFor(universal.wYear), &universal, &local)) return universal;
    return local;
}

}  // namespace win
