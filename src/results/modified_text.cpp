#include "results/modified_text.h"

#include "win/system_date_time.h"

namespace findlark {

std::wstring FormatDateText(DateTime local) {
    const SYSTEMTIME time = win::ToSystemTime(local);
    wchar_t date[128] = {}, clock[128] = {};
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128, nullptr);
    if (time.wHour == 0 && time.wMinute == 0 && time.wSecond == 0 && time.wMilliseconds == 0) return date;
    ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, clock, 128);
    return std::wstring(date) + L" " + clock;
}

}  // namespace findlark
