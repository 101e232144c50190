#include "model/date_time.h"
#include "model/search_criteria.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(DateTime, EpochAndKnownDays) {
    EXPECT_DOUBLE_EQ(EncodeDateTime({1899, 12, 30}), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime({1900, 1, 1}), 2.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime({2000, 1, 1}), 36526.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime({2000, 1, 1, 12}), 36526.5);
}

TEST(DateTime, DecodeRoundTripsToTheMillisecond) {
    for (const CivilDateTime c : {CivilDateTime{2008, 2, 29, 23, 59, 59, 999}, CivilDateTime{1899, 12, 30, 0, 0, 0, 1},
                                  CivilDateTime{2026, 12, 7, 10, 15, 30, 250}, CivilDateTime{1601, 1, 1}}) {
        EXPECT_EQ(DecodeDateTime(EncodeDateTime(c)), c);
    }
}

TEST(DateTime, SplitsIntoDateAndTimeOfDay) {
    const DateTime value = EncodeDateTime({2026, 3, 31, 9, 30});
    EXPECT_DOUBLE_EQ(DatePart(value), EncodeDateTime({2026, 3, 31}));
    EXPECT_NEAR(TimePart(value), 9.5 / 24.0, 1e-9);
    EXPECT_NEAR(DatePart(value) + TimePart(value), value, 1e-9);
}

TEST(SearchCriteria, DefaultsPutTheMomentIntoEveryPicker) {
    const DateTime now = EncodeDateTime({2026, 12, 7, 21, 45, 10});
    const SearchCriteria c = DefaultCriteria(now);
    for (const DateCriterion* group : {&c.ModifiedDateTime, &c.CreatedDateTime, &c.AccessedDateTime}) {
        EXPECT_EQ(group->When, WhenDoNotRemember);
        EXPECT_DOUBLE_EQ(group->FromDate, EncodeDateTime({2026, 12, 7}));
        EXPECT_NEAR(group->FromTime + group->FromDate, now, 1e-9);
        EXPECT_EQ(group->FromDate, group->ToDate);
    }
    EXPECT_EQ(c.LookInWhere, 2);
    EXPECT_EQ(c.AtMostSize, L"1");
    EXPECT_EQ(c.AtMostSizeB, 2);
    EXPECT_EQ(c.ContainingText0, L"A word or phrase in the file");
    EXPECT_TRUE(c.Archive && c.Compressed && c.Encrypted && c.ReadOnly);
    EXPECT_FALSE(c.Directory || c.Hidden || c.System);
}

}  // namespace
}  // namespace findlark
