// Sorting a list long enough to be sorted off the UI thread: the order is the one a sort on the
// spot gives, every row stays listed once, and the list may change meanwhile.
#include "criteria/main_window_fixture.h"

#include "model/ascii_case.h"
#include "results/background_sort.h"
#include "results/sort_order.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <set>
#include <thread>

using namespace findlark;

namespace {

constexpr int kRows = 150000;

// Names that are not in order, sizes with many ties, rows of a few folders.
std::shared_ptr<RowBatch> Rows(int count, int first = 0) {
    auto batch = std::make_shared<RowBatch>();
    std::vector<std::shared_ptr<const std::wstring>> folders;
    for (int f = 0; f < 7; ++f) folders.push_back(std::make_shared<const std::wstring>(L"C:\\dir" + std::to_wstring(f * 3 % 7)));
    for (int i = first; i < first + count; ++i) {
        const int scrambled = (i * 7919) % 1000003;
        batch->add(L"file" + std::to_wstring(scrambled) + (i % 2 ? L".TXT" : L".txt"), folders[i / 1000 % 7],
                   scrambled % 97, 45000.0 + scrambled % 500, 0);
    }
    return batch;
}

std::vector<std::int32_t> Order(const ResultRows& rows) { return {rows.order().begin(), rows.order().end()}; }

}  // namespace

class LongSortTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        const auto batch = Rows(kRows);
        list().append({{batch, 0, batch->size()}});
        list().publish();
        // The same rows sorted on the spot, for comparison.
        reference.append({batch, 0, batch->size()});
    }
    ResultsList& list() { return form->Results; }
    bool waitForSorts() {
        return testing_support::PumpUntil([&] { return !list().sorting(); }, std::chrono::seconds(30));
    }

    ResultRows reference;
};

TEST_F(LongSortTest, EveryColumnBothWaysGivesTheOrderOfASortOnTheSpot) {
    SortState state;
    for (const int column : {SortByName, SortByName, SortByFolder, SortBySize, SortBySize, SortByDate, SortByDate}) {
        state.columnClick(column);
        list().sort(state);
        EXPECT_TRUE(list().sorting());  // the window goes on answering meanwhile
        ASSERT_TRUE(waitForSorts());
        SortRows(reference, state);
        ASSERT_EQ(Order(list().rows()), Order(reference)) << column;
    }
}

// Off the UI thread too, ties keep the order of the sort before: by name, then by size, the names of
// each size are ascending (names compared without ASCII case, as the list does).
TEST_F(LongSortTest, TiesKeepTheOrderOfTheSortBefore) {
    SortState byName, bySize;
    byName.columnClick(SortByName);
    bySize.columnClick(SortBySize);
    list().sort(byName);
    ASSERT_TRUE(waitForSorts());
    list().sort(bySize);
    ASSERT_TRUE(waitForSorts());
    const auto folded = [](std::wstring_view name) {
        std::wstring text(name);
        for (wchar_t& c : text) c = AsciiUpper(c);
        return text;
    };
    int ties = 0;
    for (int row = 1; row < list().rows().count(); ++row) {
        const ResultEntry before = list().rows().entry(row - 1), after = list().rows().entry(row);
        ASSERT_LE(before.size, after.size);
        if (before.size != after.size) continue;
        ++ties;
        ASSERT_LT(folded(before.name), folded(after.name)) << row;
    }
    EXPECT_GT(ties, kRows / 2);
}

TEST_F(LongSortTest, SortsAskedForMeanwhileFollowInOrderAndSelectionStaysWithItsRow) {
    form->ListViewResults.setSelected(5, true);
    const std::int32_t selected = list().rows().order()[5];
    SortState byName, bySize;
    byName.columnClick(SortByName);
    bySize.columnClick(SortBySize);
    list().sort(byName);
    list().sort(bySize);  // equal sizes then keep the order by name
    ASSERT_TRUE(waitForSorts());
    SortRows(reference, byName);
    SortRows(reference, bySize);
    EXPECT_EQ(Order(list().rows()), Order(reference));
    EXPECT_EQ(list().selectedData(), std::vector<std::int32_t>{selected});
}

TEST_F(LongSortTest, RowsAddedOrRemovedDuringASortAreNeitherLostNorRepeated) {
    SortState byName;
    byName.columnClick(SortByName);
    list().sort(byName);
    const auto later = Rows(10, kRows);
    list().append({{later, 0, later->size()}});  // a run still adding rows
    ASSERT_TRUE(waitForSorts());
    ASSERT_EQ(list().count(), kRows + 10);
    std::vector<std::int32_t> order = Order(list().rows());
    for (int i = 0; i < 10; ++i) EXPECT_EQ(order[static_cast<std::size_t>(kRows + i)], kRows + i);  // after the sorted rows
    std::sort(order.begin(), order.end());
    EXPECT_EQ(std::adjacent_find(order.begin(), order.end()), order.end());

    // A removal waits for the sort under way, then acts on the sorted rows.
    list().sort(byName);
    list().removeWhere([](const ResultEntry& row) { return row.size == 0; });
    EXPECT_FALSE(list().sorting());
    for (int row = 0; row < list().count(); ++row) ASSERT_NE(list().rows().entry(row).size, 0);

    // A new search's empty list drops the sort under way.
    list().sort(byName);
    list().clear();
    EXPECT_FALSE(list().sorting());
    EXPECT_EQ(list().count(), 0);
    testing_support::PumpMessages(std::chrono::milliseconds(50));
    EXPECT_EQ(list().count(), 0);
}

// The filter over a long list: done off the UI thread, sorted by the sort in effect, a newer text
// wins over one still being worked on, rows arriving meanwhile are filtered as they come, and
// clearing the box lists every kept row again in order.
TEST_F(LongSortTest, AFilterOfALongListKeepsTheSortAndLosesNoRow) {
    SortState bySize;
    bySize.columnClick(SortBySize);
    list().sort(bySize);
    ASSERT_TRUE(waitForSorts());
    list().setFilter(L"file1");
    list().setFilter(L"FILE12 dir3");  // typed on before the first was done
    EXPECT_TRUE(list().sorting());
    const auto later = Rows(2000, kRows);  // a run still adding rows
    list().append({{later, 0, later->size()}});
    ASSERT_TRUE(waitForSorts());
    const auto passes = [](const ResultEntry& row) {
        return row.name.substr(0, 6) == L"file12" && *row.folder == L"C:\\dir3";
    };
    int expected = 0;
    for (int i = 0; i < reference.count(); ++i) expected += passes(reference.entry(i));
    int arrived = 0;
    for (int i = 0; i < 2000; ++i) arrived += passes(list().rows().entryOf(kRows + i));
    ASSERT_EQ(list().count(), expected + arrived);
    for (int row = 0; row < list().count(); ++row) ASSERT_TRUE(passes(list().rows().entry(row))) << row;
    for (int row = 1; row < expected; ++row) ASSERT_LE(list().rows().entry(row - 1).size, list().rows().entry(row).size);

    // Rows deleted while filtered stay out when the box is cleared; the others come back in the
    // sorted order, the rows that arrived since after them, as without a filter.
    list().removeWhere([](const ResultEntry& row) { return row.size == 5; });
    list().setFilter(L"");
    EXPECT_FALSE(list().sorting());
    SortRows(reference, bySize);
    reference.append({later, 0, later->size()});
    reference.removeWhere([&](const ResultEntry& row) { return row.size == 5 && passes(row); });
    EXPECT_EQ(Order(list().rows()), Order(reference));

    // A sort while filtered orders the hidden rows too.
    list().setFilter(L"dir3");
    SortState byName;
    byName.columnClick(SortByName);
    list().sort(byName);
    ASSERT_TRUE(waitForSorts());
    list().setFilter(L"");
    SortRows(reference, byName);
    EXPECT_EQ(Order(list().rows()), Order(reference));

    // A filter every row passes, then a key taken back: every row stays listed, nothing to work on.
    list().setFilter(L"FILE");
    ASSERT_TRUE(waitForSorts());
    list().setFilter(L"fi");
    EXPECT_FALSE(list().sorting());
    EXPECT_EQ(Order(list().rows()), Order(reference));
    list().setFilter(L"fi dir3");  // narrower again: worked on
    ASSERT_TRUE(waitForSorts());
    for (int row = 0; row < list().count(); ++row) ASSERT_EQ(*list().rows().entry(row).folder, L"C:\\dir3");
}

// A key taken back lists what its text let through before, with the rows added since, and never the
// rows of a run before.
TEST_F(LongSortTest, ATextTypedAgainListsTheRowsOfThisRunOnly) {
    const auto typeAndWait = [&](const wchar_t* text) {
        list().setFilter(text);
        return waitForSorts();
    };
    const auto listedPass = [&](const std::wstring& start) {
        for (int row = 0; row < list().count(); ++row) {
            if (list().rows().entry(row).name.substr(0, start.size()) != start) return false;
        }
        return true;
    };
    const auto passing = [&](const std::wstring& start) {
        int count = 0;
        for (std::int32_t data = 0; data < list().rows().rowCount(); ++data)
            count += list().rows().entryOf(data).name.substr(0, start.size()) == start;
        return count;
    };
    ASSERT_TRUE(typeAndWait(L"file12"));
    ASSERT_TRUE(typeAndWait(L"file123"));
    const auto later = Rows(2000, kRows);
    list().append({{later, 0, later->size()}});
    ASSERT_TRUE(typeAndWait(L"file12"));
    EXPECT_EQ(list().count(), passing(L"file12"));
    EXPECT_TRUE(listedPass(L"file12"));

    list().clear();
    const auto next = Rows(kRows, 3 * kRows);  // another run: the same data values, other names
    list().append({{next, 0, next->size()}});
    ASSERT_TRUE(typeAndWait(L"file123"));
    ASSERT_TRUE(typeAndWait(L"file12"));
    EXPECT_EQ(list().count(), passing(L"file12"));
    EXPECT_TRUE(listedPass(L"file12"));
}

// Closing while a long piece of work runs: the work is told to stop, so the thread ends at once rather
// than when the work would have ended.
TEST(BackgroundSortTest, WorkUnderWayEndsWhenTheSorterGoes) {
    std::atomic<bool> began{false};
    const auto start = std::chrono::steady_clock::now();
    {
        BackgroundSort sorter([] {});
        ASSERT_TRUE(sorter.start({}, [&](const RowsSnapshot&, const std::function<bool()>& cancelled) {
            began = true;
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (!cancelled() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return std::vector<std::int32_t>{};
        }));
        while (!began) std::this_thread::yield();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}
