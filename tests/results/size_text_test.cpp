#include "results/size_text.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(FormatSizeText, GroupsDigitsByThreesWithCommas) {
    EXPECT_EQ(FormatSizeText(0, 0, L"B"), L"0 B");
    EXPECT_EQ(FormatSizeText(999, 0, L"B"), L"999 B");
    EXPECT_EQ(FormatSizeText(1024, 0, L"B"), L"1,024 B");
    EXPECT_EQ(FormatSizeText(1234567, 0, L"B"), L"1,234,567 B");
    EXPECT_EQ(FormatSizeText(100000, 0, L"B"), L"100,000 B");
}

TEST(FormatSizeText, RoundsHalfToEvenInLargerUnits) {
    EXPECT_EQ(FormatSizeText(1234567, 1, L"KB"), L"1,206 KB");
    EXPECT_EQ(FormatSizeText(1536, 1, L"KB"), L"2 KB");
    EXPECT_EQ(FormatSizeText(2560, 1, L"KB"), L"2 KB");
    EXPECT_EQ(FormatSizeText(1023, 1, L"KB"), L"1 KB");
    EXPECT_EQ(FormatSizeText(511, 1, L"KB"), L"0 KB");
    EXPECT_EQ(FormatSizeText(512, 1, L"KB"), L"0 KB");
    EXPECT_EQ(FormatSizeText(3 * 1048576 / 2, 2, L"MB"), L"2 MB");
}

TEST(FormatSizeText, SizesBeyondFourGigabytesStayExact) {
    const std::int64_t fiveGiB = 5LL * 1024 * 1024 * 1024;
    EXPECT_EQ(FormatSizeText(fiveGiB, 0, L"B"), L"5,368,709,120 B");
    EXPECT_EQ(FormatSizeText(fiveGiB, 3, L"GB"), L"5 GB");
    EXPECT_EQ(FormatSizeText(fiveGiB + 1, 0, L"B"), L"5,368,709,121 B");
    EXPECT_EQ(FormatSizeText(INT64_MAX, 0, L"B"), L"9,223,372,036,854,775,807 B");
    EXPECT_EQ(FormatSizeText(-1234, 0, L"B"), L"-1,234 B");
}

}  // namespace
}  // namespace findlark
