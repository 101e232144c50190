#include "results/result_rows.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

std::vector<FoundRow> Rows(std::initializer_list<const wchar_t*> names, const std::wstring& folder = L"C:\\x") {
    const auto shared = std::make_shared<const std::wstring>(folder);
    std::vector<FoundRow> rows;
    std::int64_t size = 1;
    for (const wchar_t* name : names) rows.push_back({name, shared, size++, 1.5});
    return rows;
}

TEST(ResultRows, DataValuesCountUpAcrossBatchesAndIndexTheRecords) {
    ResultRows rows;
    rows.append(Rows({L"a", L"b"}));
    rows.append(Rows({L"c"}, L"D:"));
    ASSERT_EQ(rows.count(), 3);
    EXPECT_EQ(rows.rowCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(rows.entry(i).data, i);
    EXPECT_EQ(rows.record(rows.entry(1)).size, 2);
    EXPECT_EQ(rows.entry(2).fullPath(), L"D:\\c");
    EXPECT_EQ(rows.entry(0).fullPath(), L"C:\\x\\a");
}

TEST(ResultRows, ClearStartsTheRowCountAgain) {
    ResultRows rows;
    rows.append(Rows({L"a", L"b", L"c"}));
    rows.clear();
    rows.append(Rows({L"z"}));
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.entry(0).data, 0);
    EXPECT_EQ(rows.ResultRecords.size(), 1u);
}

}  // namespace
}  // namespace findlark
