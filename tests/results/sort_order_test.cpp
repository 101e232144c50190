#include "results/sort_order.h"

#include "model/attributes.h"
#include "results/result_columns.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

ResultEntry Row(const wchar_t* name, std::int64_t size = 0, DateTime modified = 0, const std::wstring* folder = nullptr) {
    static const std::wstring kFolder = L"C:\\f";
    return {name, folder ? folder : &kFolder, 0, size, modified, 0, {}};
}

ResultEntry Item(const wchar_t* name, std::uint32_t attributes, RowTimes times = {}) {
    ResultEntry row = Row(name);
    row.attributes = attributes;
    row.times = times;
    return row;
}

TEST(SortOrder, ClicksSortAscendingFirstAndReverseOnlyTheSameColumn) {
    SortState state;
    state.columnClick(SortBySize);
    EXPECT_TRUE(state.ascending(SortBySize));
    EXPECT_LT(state.compare(Row(L"a", 999), Row(L"b", 1024)), 0);  // by value, not by text
    state.columnClick(SortBySize);
    EXPECT_FALSE(state.ascending(SortBySize));
    EXPECT_GT(state.compare(Row(L"a", 999), Row(L"b", 1024)), 0);
    state.columnClick(SortByName);
    EXPECT_TRUE(state.ascending(SortByName));
    EXPECT_LT(state.compare(Row(L"a"), Row(L"b")), 0);
    state.columnClick(SortBySize);  // its flag fell back: ascending again
    EXPECT_TRUE(state.ascending(SortBySize));
    state.columnClick(SortByName);
    state.columnClick(SortByName);
    EXPECT_FALSE(state.ascending(SortByName));
    EXPECT_GT(state.compare(Row(L"a"), Row(L"b")), 0);
}

TEST(SortOrder, TextFoldsOnlyAsciiLettersAndComparesCodeUnits) {
    EXPECT_EQ(CompareText(L"Readme.txt", L"README.TXT"), 0);
    EXPECT_GT(CompareText(L"_under", L"zeta"), 0);  // "_" lies above the upper-case letters
    EXPECT_GT(CompareText(L"_under", L"Zeta"), 0);
    EXPECT_LT(CompareText(L"abc", L"abcd"), 0);  // a prefix goes first
    EXPECT_NE(CompareText(L"\u00e4", L"\u00c4"), 0);
    EXPECT_GT(CompareText(L"\u00e4", L"z"), 0);   // unsigned code units
    EXPECT_LT(CompareText(L"\xD83D\xDE00", L"\uFFFD"), 0);  // code units, not code points
    SortState byFolder;
    byFolder.columnClick(SortByFolder);
    const std::wstring a = L"C:\\Alpha", b = L"c:\\beta";
    EXPECT_LT(byFolder.compare(Row(L"x", 0, 0, &a), Row(L"y", 0, 0, &b)), 0);
}

// Each of the further columns sorts by its own rule, ascending: `first` before `second`.
TEST(SortOrder, TheFurtherColumnsSortByTheirOwnRule) {
    constexpr std::uint32_t kFile = 0, kFolder = kAttributeDirectory;
    const struct {
        int column;
        ResultEntry first, second;
    } cases[] = {
        {SortByExtension, Item(L"z.DOC", kFile), Item(L"a.txt", kFile)},
        {SortByExtension, Item(L"zeta.gz", kFolder), Item(L"a.b", kFile)},  // a folder has none
        {SortByType, Item(L"b.ini", kFile), Item(L"a.txt", kFile)},       // the type names below
        {SortByCreated, Item(L"z", kFile, {100, 900}), Item(L"a", kFile, {200, 1})},
        {SortByAccessed, Item(L"a", kFile, {200, 1}), Item(L"z", kFile, {100, 900})},
        {SortByAttributes, Item(L"z", kAttributeArchive), Item(L"a", kAttributeHidden)},  // "A" < "H"
        {SortByAttributes, Item(L"z", kAttributeHidden), Item(L"a", kAttributeHidden | kAttributeArchive)},  // "H" < "HA"
        {SortByAttributes, Item(L"z", kAttributeReadOnly | kAttributeArchive), Item(L"a", kAttributeReadOnly | kAttributeHidden)},
    };
    for (const auto& c : cases) {
        SortState state;
        state.setTypeNames([](const ResultEntry& row) {
            return ExtensionOf(row.name, false) == L"ini" ? std::wstring_view(L"Configuration settings")
                                                           : std::wstring_view(L"Text Document");
        });
        state.columnClick(c.column);
        EXPECT_LT(state.compare(c.first, c.second), 0) << c.column << " " << testing::PrintToString(std::wstring(c.first.name));
        state.columnClick(c.column);
        EXPECT_GT(state.compare(c.first, c.second), 0) << c.column;
    }
}

TEST(ResultColumns, StoredChoicesAndTextsOfTheColumns) {
    EXPECT_EQ(ParseShownColumns(L"0,1,2,3"), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(ParseShownColumns(L"3,8,0"), (std::vector<int>{3, 8, 0}));       // order kept, Name anywhere
    EXPECT_EQ(ParseShownColumns(L"2,2,9,x,,-1,4"), (std::vector<int>{0, 2, 4}));  // Name always there
    EXPECT_EQ(ParseShownColumns(L""), (std::vector<int>{0}));
    EXPECT_EQ(ShownColumnsText({0, 6, 1}), L"0,6,1");
    EXPECT_EQ(ExtensionOf(L"archive.tar.GZ", false), L"GZ");
    EXPECT_EQ(ExtensionOf(L"Makefile", false), L"");
    EXPECT_EQ(ExtensionOf(L".profile", false), L"profile");
    EXPECT_EQ(AttributeLetters(kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive), L"RHSA");
    EXPECT_EQ(AttributeLetters(kAttributeDirectory | kAttributeCompressed | kAttributeNormal), L"DC");
}

// Ascending: equal within 10^-12 of the value (about 4 ms for dates of this century); descending:
// equal within a millisecond.
TEST(SortOrder, DatesHaveOneToleranceUpAndAnotherDown) {
    const double ms = 1.0 / kMillisecondsPerDay;
    const DateTime t = 45000.5;
    SortState state;
    state.columnClick(SortByDate);
    EXPECT_EQ(state.compare(Row(L"a", 0, t), Row(L"b", 0, t + 2 * ms)), 0);
    EXPECT_LT(state.compare(Row(L"a", 0, t), Row(L"b", 0, t + 10 * ms)), 0);
    state.columnClick(SortByDate);
    EXPECT_EQ(state.compare(Row(L"a", 0, t), Row(L"b", 0, t + 0.5 * ms)), 0);
    EXPECT_GT(state.compare(Row(L"a", 0, t), Row(L"b", 0, t + 2 * ms)), 0);
    EXPECT_EQ(state.compare(Row(L"a", 0, 0.0), Row(L"b", 0, 0.0)), 0);
}

TEST(SortOrder, SortingReordersTheRowsStablyAndLeavesTheirValues) {
    ResultRows rows;
    const auto folder = std::make_shared<const std::wstring>(L"C:");
    auto batch = std::make_shared<RowBatch>();
    batch->add(L"b", folder, 5LL << 32, 0, 0);
    batch->add(L"a", folder, 10, 0, 0);
    batch->add(L"c", folder, 10, 0, 0);
    rows.append({batch, 0, batch->size()});
    SortState state;
    state.columnClick(SortBySize);
    SortRows(rows, state);
    EXPECT_EQ(rows.entry(0).name, L"a");  // equal sizes keep their order
    EXPECT_EQ(rows.entry(1).name, L"c");
    EXPECT_EQ(rows.entry(2).name, L"b");  // above 4 GiB
    EXPECT_EQ(rows.entry(2).data, 0);

    // Past 16 rows too (where an unstable sort starts to differ): by name, then by size, the names of
    // each size stay ascending.
    ResultRows many;
    auto more = std::make_shared<RowBatch>();
    for (int i = 0; i < 20; ++i) {
        const int n = (i * 7) % 20;  // not in order
        more->add(L"f" + std::to_wstring(10 + n), folder, n % 3, 0, 0);
    }
    many.append({more, 0, more->size()});
    SortState byName;
    byName.columnClick(SortByName);
    SortRows(many, byName);
    SortState bySize;
    bySize.columnClick(SortBySize);
    SortRows(many, bySize);
    std::vector<std::wstring> expected;
    for (int size = 0; size < 3; ++size) {
        for (int n = size; n < 20; n += 3) expected.push_back(L"f" + std::to_wstring(10 + n));
    }
    std::vector<std::wstring> names;
    for (int row = 0; row < many.count(); ++row) names.emplace_back(many.entry(row).name);
    EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace findlark
