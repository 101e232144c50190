#include "criteria/date_text.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(DateText, DatesReadInTheOrderOfTheirFormat) {
    EXPECT_EQ(ParseDateText(L"3/4/2026", L"M/d/yyyy"), EncodeDateTime({2026, 3, 4}));
    EXPECT_EQ(ParseDateText(L"03.04.2026", L"dd.MM.yyyy"), EncodeDateTime({2026, 4, 3}));
    EXPECT_EQ(ParseDateText(L"2026-04-03", L"yyyy-MM-dd"), EncodeDateTime({2026, 4, 3}));
    EXPECT_EQ(ParseDateText(L"4/3/26", L"M/d/yy"), EncodeDateTime({2026, 4, 3}));
    EXPECT_EQ(ParseDateText(L"4/3/99", L"M/d/yy"), EncodeDateTime({1999, 4, 3}));
    EXPECT_EQ(ParseDateText(L"2/29/2024", L"M/d/yyyy"), EncodeDateTime({2024, 2, 29}));
    for (const wchar_t* bad : {L"25/12/2025", L"2/29/2025", L"", L"3/4", L"3/4/2026/1", L"a/b/c", L"0/1/2020", L"3/4/2026 x"})
        EXPECT_FALSE(ParseDateText(bad, L"M/d/yyyy")) << testing::PrintToString(std::wstring(bad));
    EXPECT_EQ(ParseDateText(L"25.12.2025", L"d.M.yyyy"), EncodeDateTime({2025, 12, 25}));
}

TEST(DateText, TimesReadTwelveAndTwentyFourHourClocks) {
    EXPECT_EQ(ParseTimeText(L"1:05:09 PM", L"h:mm:ss tt"), EncodeDateTime({1899, 12, 30, 13, 5, 9}));
    EXPECT_EQ(ParseTimeText(L"12:00:00 AM", L"h:mm:ss tt"), 0.0);
    EXPECT_EQ(ParseTimeText(L"12:30:00 pm", L"h:mm:ss tt"), EncodeDateTime({1899, 12, 30, 12, 30}));
    EXPECT_EQ(ParseTimeText(L"23:59:58", L"HH:mm:ss"), EncodeDateTime({1899, 12, 30, 23, 59, 58}));
    EXPECT_EQ(ParseTimeText(L"7:15", L"H:mm"), EncodeDateTime({1899, 12, 30, 7, 15}));
    for (const wchar_t* bad : {L"24:00:00", L"13:00:00 PM", L"1:60:00", L"noon", L"", L"1:00:00 XM"})
        EXPECT_FALSE(ParseTimeText(bad, L"h:mm:ss tt")) << testing::PrintToString(std::wstring(bad));
}

}  // namespace
}  // namespace findlark
