#include "criteria/regional_texts.h"

#include "criteria/date_text.h"
#include "win/system_date_time.h"

#include <windows.h>

namespace findlark {
namespace {

std::wstring LocaleText(LCTYPE type) {
    wchar_t text[128] = {};
    ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 128);
    return text;
}

}  // namespace

DateTimeTexts RegionalDateTimeTexts() {
    DateTimeTexts texts;
    texts.formatDate = [](DateTime date) {
        const SYSTEMTIME time = win::ToSystemTime(DatePart(date));
        wchar_t text[128] = {};
        ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128, nullptr);
        return std::wstring(text);
    };
    texts.formatTime = [](DateTime moment) {
        const SYSTEMTIME time = win::ToSystemTime(TimePart(moment));
        wchar_t text[128] = {};
        ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, text, 128);
        return std::wstring(text);
    };
    texts.parseDate = [](std::wstring_view text) { return ParseDateText(text, LocaleText(LOCALE_SSHORTDATE)); };
    texts.parseTime = [](std::wstring_view text) {
        return ParseTimeText(text, LocaleText(LOCALE_STIMEFORMAT), {LocaleText(LOCALE_S1159), LocaleText(LOCALE_S2359)});
    };
    return texts;
}

}  // namespace findlark
