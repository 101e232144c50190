#include "search/search_fixture.h"

#include "results/modified_text.h"
#include "results/results_list.h"
#include "win/system_date_time.h"

using namespace findlark;

using testing_support::ShownText;

TEST_F(SearchTest, RowsCarryTheirRecordsInWalkOrder) {
    tree.file(L"a.bin", 1234567);
    tree.file(L"big.bin", 5LL * 1024 * 1024 * 1024);  // sparse
    tree.folder(L"c");
    SearchCriteria c = foldersOnly({tree.root()});
    ASSERT_EQ(search(c), (std::vector<std::wstring>{L"a.bin", L"big.bin", L"c"}));
    auto& rows = form->Results.rows();
    for (int i = 0; i < rows.count(); ++i) EXPECT_EQ(rows.entry(i).data, i);
    EXPECT_EQ(rows.entry(0).size, 1234567);
    EXPECT_EQ(rows.entry(1).size, 5LL * 1024 * 1024 * 1024);
    EXPECT_EQ(rows.entry(2).size, 0);

    const auto& view = form->ListViewResults;
    EXPECT_EQ(ShownText(view, 0, 0), L"a.bin");
    EXPECT_EQ(ShownText(view, 0, 1), tree.root());
    EXPECT_EQ(ShownText(view, 0, 2), L"1,234,567 B");
    EXPECT_EQ(ShownText(view, 1, 2), L"5,368,709,120 B");
    EXPECT_EQ(ShownText(view, 2, 2), L"0 B");
    EXPECT_EQ(ShownText(view, 2, 3), FormatDateText(rows.entry(2).modified));

    // Every row has an icon from the shell once shown.
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    ListView_GetItem(view.hwnd(), &item);
    EXPECT_GE(item.iImage, 0);

    // A new run starts the row count and the records again.
    c.Mask = L"c";
    search(c);
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.entry(0).data, 0);
    EXPECT_EQ(rows.rowCount(), 1);
}

TEST_F(SearchTest, DateTextLeavesOutMidnight) {
    const DateTime noon = EncodeDateTime({2026, 3, 4, 12, 30, 5});
    const DateTime midnight = EncodeDateTime({2026, 3, 4});
    const std::wstring withTime = FormatDateText(noon);
    const std::wstring dateOnly = FormatDateText(midnight);
    EXPECT_EQ(withTime.rfind(dateOnly + L" ", 0), 0u);
    EXPECT_GT(withTime.size(), dateOnly.size() + 4);
    EXPECT_EQ(dateOnly.find(L':'), std::wstring::npos);
    EXPECT_NE(FormatDateText(midnight + 1.0 / 86400000), dateOnly);  // one millisecond past is not midnight
}

TEST_F(SearchTest, ModifiedTimesUseTheOffsetOfTheirOwnDate) {
    TIME_ZONE_INFORMATION zone{};
    if (::GetTimeZoneInformation(&zone) == TIME_ZONE_ID_UNKNOWN || zone.DaylightDate.wMonth == 0)
        GTEST_SKIP() << "the time zone here has no daylight saving";
    tree.file(L"summer.txt");
    tree.file(L"winter.txt");
    SYSTEMTIME summer{2026, 7, 0, 15, 12, 0, 0, 0}, winter{2026, 1, 0, 15, 12, 0, 0, 0};
    tree.setModified(L"summer.txt", summer);
    tree.setModified(L"winter.txt", winter);
    SearchCriteria c = foldersOnly({tree.root()});
    ASSERT_EQ(search(c), (std::vector<std::wstring>{L"summer.txt", L"winter.txt"}));
    auto& rows = form->Results.rows();
    const double hour = 1.0 / 24;
    const double summerOffset = rows.entry(0).modified - EncodeDateTime({2026, 7, 15, 12});
    const double winterOffset = rows.entry(1).modified - EncodeDateTime({2026, 1, 15, 12});
    EXPECT_NEAR(summerOffset - winterOffset, -zone.DaylightBias / 60.0 * hour, 1e-6);
}
