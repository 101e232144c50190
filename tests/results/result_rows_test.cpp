#include "results/result_rows.h"

#include "results/row_filter.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

RowSlice Rows(std::initializer_list<const wchar_t*> names, const std::wstring& folder = L"C:\\x") {
    const auto shared = std::make_shared<const std::wstring>(folder);
    auto batch = std::make_shared<RowBatch>();
    std::int64_t size = 1;
    for (const wchar_t* name : names) batch->add(name, shared, size++, 1.5, 0);
    return {batch, 0, batch->size()};
}

TEST(ResultRows, DataValuesCountUpAcrossBatchesAndIndexTheRecords) {
    ResultRows rows;
    rows.append(Rows({L"a", L"b"}));
    rows.append(Rows({L"c"}, L"D:"));
    ASSERT_EQ(rows.count(), 3);
    EXPECT_EQ(rows.rowCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(rows.entry(i).data, i);
    EXPECT_EQ(rows.entry(1).size, 2);
    EXPECT_EQ(rows.entry(2).fullPath(), L"D:\\c");
    EXPECT_EQ(rows.entry(0).fullPath(), L"C:\\x\\a");
    // A folder that is a drive's root already ends in its separator: the path gets no second one
    // (it reaches the clipboard, drags and the shell).
    rows.append(Rows({L"b1.txt"}, L"Q:\\"));
    EXPECT_EQ(rows.entry(3).fullPath(), L"Q:\\b1.txt");
}

TEST(ResultRows, ClearStartsTheRowCountAgain) {
    ResultRows rows;
    rows.append(Rows({L"a", L"b", L"c"}));
    rows.clear();
    rows.append(Rows({L"z"}));
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.entry(0).data, 0);
    EXPECT_EQ(rows.rowCount(), 1);
}

// Appending must never move what is listed: a list of millions of rows otherwise stalls the window
// on every batch.
TEST(ResultRows, AppendingNeverMovesRowsAlreadyListed) {
    ResultRows rows;
    rows.append(Rows({L"first-name"}));
    const wchar_t* const firstName = rows.entry(0).name.data();
    const auto folder = std::make_shared<const std::wstring>(L"C:\\many");
    for (int round = 0; round < 300; ++round) {
        auto batch = std::make_shared<RowBatch>();
        for (int i = 0; i < 1000; ++i) batch->add(L"a-longer-name-than-any-small-string-buffer.txt", folder, 0, 0, 0);
        rows.append({batch, 0, batch->size()});
    }
    EXPECT_EQ(rows.count(), 300001);
    EXPECT_EQ(rows.entry(0).name.data(), firstName);
    EXPECT_EQ(rows.entry(0).name, L"first-name");
    EXPECT_EQ(rows.entry(300000).fullPath(), L"C:\\many\\a-longer-name-than-any-small-string-buffer.txt");
    EXPECT_EQ(rows.entry(300000).data, 300000);
}

TEST(ResultRows, SlicesOfABatchAndEveryNameComeBackWhole) {
    ResultRows rows;
    const auto folder = std::make_shared<const std::wstring>(L"D:\\f");
    const auto other = std::make_shared<const std::wstring>(L"E:");
    auto batch = std::make_shared<RowBatch>();
    const std::wstring longName(300, L'n');
    batch->add(longName, folder, 7, 2.5, 0x10);
    batch->add(L"", folder, 0, 0, 0);
    batch->add(L"\U0001F600x", other, 0, 0, 0);
    rows.append({batch, 0, 1});
    rows.append({batch, 1, 3});
    ASSERT_EQ(rows.count(), 3);
    EXPECT_EQ(rows.entry(0).name, longName);
    EXPECT_EQ(rows.entry(0).size, 7);
    EXPECT_EQ(rows.entry(0).modified, 2.5);
    EXPECT_TRUE(rows.entry(0).isFolder());
    EXPECT_EQ(rows.entry(1).name, L"");
    EXPECT_EQ(rows.entry(2).fullPath(), L"E:\\\U0001F600x");
    EXPECT_EQ(rows.entry(0).folder, rows.entry(1).folder);
}

// Rows the filter hides are kept and come back with another filter; rows taken out never do.
TEST(ResultRows, TheFilterHidesRowsAsTheyComeAndRemovedRowsStayOut) {
    ResultRows rows;
    rows.setFilter(std::make_shared<const RowFilter>(L"keep", nullptr));
    rows.append(Rows({L"keep1", L"drop1", L"KEEP2"}));
    rows.append(Rows({L"other"}, L"C:\\keep"));
    ASSERT_EQ(rows.count(), 3);
    EXPECT_EQ(rows.entry(1).name, L"KEEP2");
    EXPECT_EQ(rows.entry(2).name, L"other");
    EXPECT_EQ(rows.rowCount(), 4);

    rows.removeWhere([](const ResultEntry& entry) { return entry.name == L"keep1"; });
    EXPECT_EQ(rows.keptCount(), 3);
    const RowsSnapshot kept = rows.unfilteredRows();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept.entry(0).name, L"drop1");  // hidden, not gone
    EXPECT_EQ(kept.entry(1).name, L"KEEP2");
    EXPECT_EQ(kept.folderIndexOf(kept.dataAt(2)), 1u);

    rows.setFilter(nullptr);  // every kept row again, in the list's order
    ASSERT_EQ(rows.count(), 3);
    EXPECT_EQ(rows.entry(0).name, L"drop1");

    rows.setFilter(std::make_shared<const RowFilter>(L"keep", nullptr));
    rows.clear();  // a new run: counts start again, the filter stays
    rows.append(Rows({L"keep3", L"drop3"}));
    EXPECT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.keptCount(), 2);
}

}  // namespace
}  // namespace findlark
