#include "search/compute_windows.h"
#include "search/entry_filters.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return EncodeDateTime({y, mo, d, h, mi, s, ms});
}

SearchCriteria WithModified(int when) {
    SearchCriteria c;
    c.ModifiedDateTime.When = when;
    return c;
}

TEST(ComputeWindows, CalendarMonthsClampToTheLastDayAndKeepTheTime) {
    EXPECT_EQ(MonthsBefore(At(2026, 3, 31, 9), 1), At(2026, 2, 28, 9));
    EXPECT_EQ(MonthsBefore(At(2024, 3, 31, 9), 1), At(2024, 2, 29, 9));  // leap year
    EXPECT_EQ(MonthsBefore(At(2026, 1, 31, 23, 59, 59, 999), 1), At(2025, 12, 31, 23, 59, 59, 999));
    EXPECT_EQ(MonthsBefore(At(2008, 2, 29, 12), 12), At(2007, 2, 28, 12));
    EXPECT_EQ(MonthsBefore(At(2000, 5, 15, 7), 12), At(1999, 5, 15, 7));

    const DateTime now = At(2026, 3, 31, 9);
    const DerivedBounds month = ComputeWindows(WithModified(WhenWithinThePastMonth), [&] { return now; });
    EXPECT_TRUE(month.ModifiedWindow.active);
    EXPECT_EQ(month.ModifiedWindow.from, At(2026, 2, 28, 9));
    EXPECT_EQ(month.ModifiedWindow.to, now);
    const DerivedBounds year = ComputeWindows(WithModified(WhenWithinThePastYear), [] { return At(2008, 2, 29, 12); });
    EXPECT_EQ(year.ModifiedWindow.from, At(2007, 2, 28, 12));
}

TEST(ComputeWindows, AWeekBackToTheMillisecondAndTheClockReadForEachWindow) {
    SearchCriteria c = WithModified(WhenWithinTheLastWeek);
    c.CreatedDateTime.When = WhenWithinTheLastWeek;
    c.AccessedDateTime.When = WhenWithinTheLastWeek;
    int reads = 0;
    const DerivedBounds b = ComputeWindows(c, [&] { return At(2026, 6, 10, 10, 15, 30, 250 + reads++); });
    EXPECT_EQ(reads, 3);
    EXPECT_EQ(ToMilliseconds(b.ModifiedWindow.from), ToMilliseconds(At(2026, 6, 3, 10, 15, 30, 250)));
    EXPECT_EQ(ToMilliseconds(b.CreatedWindow.to), ToMilliseconds(At(2026, 6, 10, 10, 15, 30, 251)));
    EXPECT_EQ(ToMilliseconds(b.AccessedWindow.to), ToMilliseconds(At(2026, 6, 10, 10, 15, 30, 252)));
    EXPECT_FALSE(ComputeWindows(SearchCriteria{}, [] { return 0.0; }).ModifiedWindow.active);
}

TEST(ComputeWindows, SpecifiedDatesWithEitherBoundOff) {
    const DateTime now = At(2026, 6, 10, 10, 0);
    SearchCriteria c = WithModified(WhenSpecifyDateAndTime);
    DateCriterion& m = c.ModifiedDateTime;
    m.FromDate = At(2026, 6, 11, 18);  // the date part counts, whatever time it carries
    m.FromTime = At(1899, 12, 30, 8, 30);
    m.ToDate = At(2026, 6, 9);
    m.ToTime = At(1899, 12, 30, 12);

    m.From = false;
    DateWindow w = ComputeWindows(c, [&] { return now; }).ModifiedWindow;
    EXPECT_EQ(w.from, 0);
    EXPECT_EQ(w.to, At(2026, 6, 9, 12));

    m.ToChosen = false;  // the pickers as the program started: "To" is the moment the run starts
    EXPECT_EQ(ComputeWindows(c, [&] { return now; }).ModifiedWindow.to, now);
    m.ToChosen = true;

    m.To = false;
    w = ComputeWindows(c, [&] { return now; }).ModifiedWindow;
    EXPECT_EQ(w.from, 0);
    EXPECT_EQ(w.to, now);

    m.From = true;  // from tomorrow, to now: nothing can pass
    w = ComputeWindows(c, [&] { return now; }).ModifiedWindow;
    EXPECT_EQ(w.from, At(2026, 6, 11, 8, 30));
    EXPECT_GT(w.from, w.to);
}

TEST(ComputeWindows, SizePresetsMeetAtTheirBorders) {
    const std::int64_t expected[][2] = {{0, 1024}, {1024, 102400}, {102400, 1048576}, {1048576, 10485760},
                                        {10485760, kNoUpperSize}};
    for (int size = SizeVerySmall; size <= SizeVeryLarge; ++size) {
        SearchCriteria c;
        c.Size = size;
        const DerivedBounds b = ComputeWindows(c, [] { return 0.0; });
        EXPECT_EQ(b.SizeLow, expected[size - 1][0]) << size;
        EXPECT_EQ(b.SizeHigh, expected[size - 1][1]) << size;
    }
}

TEST(ComputeWindows, SpecifiedSizesInEveryUnitIn64Bits) {
    SearchCriteria c;
    c.Size = SizeSpecify;
    DerivedBounds b = ComputeWindows(c, [] { return 0.0; });  // defaults: at least 0 B, at most 1 MB
    EXPECT_EQ(b.SizeLow, 0);
    EXPECT_EQ(b.SizeHigh, 1048576);
    for (int unit = 0; unit <= 3; ++unit) {
        c.AtLeastSize = L"2147483647";
        c.AtLeastSizeB = unit;
        c.AtMostSize = L"3";
        c.AtMostSizeB = unit;
        b = ComputeWindows(c, [] { return 0.0; });
        EXPECT_EQ(b.SizeLow, 2147483647LL << (10 * unit));
        EXPECT_EQ(b.SizeHigh, 3LL << (10 * unit));
    }
    c.AtLeast = false;
    c.AtMost = false;
    b = ComputeWindows(c, [] { return 0.0; });
    EXPECT_EQ(b.SizeLow, 0);
    EXPECT_EQ(b.SizeHigh, kNoUpperSize);
    c.AtLeast = c.AtMost = true;
    c.AtLeastSize = L"12x";  // pasted text that is no number bounds nothing
    c.AtMostSize = L"";
    b = ComputeWindows(c, [] { return 0.0; });
    EXPECT_EQ(b.SizeLow, 0);
    EXPECT_EQ(b.SizeHigh, kNoUpperSize);
}

TEST(ComputeWindows, AttributeMaskSumsTheChosenFlags) {
    SearchCriteria c;
    c.Attributes = true;
    c.Archive = c.Compressed = c.Encrypted = c.ReadOnly = false;
    c.Archive = c.Hidden = true;
    EXPECT_EQ(ComputeWindows(c, [] { return 0.0; }).AttributeMask, 0x22u);
    c.Archive = c.Hidden = false;
    EXPECT_EQ(ComputeWindows(c, [] { return 0.0; }).AttributeMask, 0u);
    for (bool SearchCriteria::*flag : {&SearchCriteria::Archive, &SearchCriteria::Compressed, &SearchCriteria::Directory,
                                       &SearchCriteria::Encrypted, &SearchCriteria::Hidden, &SearchCriteria::Normal,
                                       &SearchCriteria::Offline, &SearchCriteria::ReadOnly, &SearchCriteria::ReparsePoint,
                                       &SearchCriteria::SparseFile, &SearchCriteria::System, &SearchCriteria::Temporary})
        c.*flag = true;
    EXPECT_EQ(ComputeWindows(c, [] { return 0.0; }).AttributeMask, 0x5FB7u);
}

}  // namespace
}  // namespace findlark
