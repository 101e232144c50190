#include "results/row_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace findlark {
namespace {

// Capitals of a-z and of a few letters beyond ASCII, standing in for the platform's table.
std::vector<char16_t> Capitals() {
    std::vector<char16_t> table(0x10000);
    for (std::size_t c = 0; c < table.size(); ++c) table[c] = static_cast<char16_t>(c);
    for (char16_t c = u'a'; c <= u'z'; ++c) table[c] = static_cast<char16_t>(c - u'a' + u'A');
    for (char16_t c = u'\u0430'; c <= u'\u044F'; ++c) table[c] = static_cast<char16_t>(c - 0x20);  // Cyrillic
    table[u'\u00E9'] = u'\u00C9';
    table[u'\u03BF'] = u'\u039F';
    table[u'\u03C3'] = table[u'\u03C2'] = u'\u03A3';  // both small sigmas
    return table;
}

TEST(RowFilter, EveryWordMustOccurInTheNameOrTheFolderWhateverItsCase) {
    const std::vector<char16_t> capitals = Capitals();
    struct Case {
        const wchar_t* text;
        const wchar_t* name;
        const wchar_t* folder;
        bool passes;
    };
    const Case cases[] = {
        {L"", L"any", L"C:\\x", true},
        {L"   ", L"any", L"C:\\x", true},
        {L"REPORT", L"report.txt", L"C:\\x", true},
        {L"port", L"Report.TXT", L"C:\\x", true},
        {L"docs", L"a.txt", L"C:\\Docs\\old", true},
        {L"docs txt", L"a.txt", L"C:\\Docs", true},    // one word in each
        {L"docs pdf", L"a.txt", L"C:\\Docs", false},   // the second word nowhere
        {L"txt  docs\t", L"a.txt", L"C:\\Docs", true},  // spaces and tabs between words
        {L"docs\\a", L"a.txt", L"C:\\docs", false},     // folder and name are not joined
        {L"\u041E\u0422\u0427\u0415\u0422", L"\u043E\u0442\u0447\u0435\u0442.doc", L"C:\\x", true},
        {L"caf\u00C9", L"Caf\u00E9 menu.txt", L"C:\\x", true},
        {L"\u03BF\u03C3", L"\u039F\u03A3.txt", L"C:\\x", true},
        {L"\u03BF\u03C2", L"\u039F\u03C3.txt", L"C:\\x", true},  // final sigma as sigma
        {L"a.txt a.txt", L"a.txt", L"C:\\x", true},               // a repeated word counts once
    };
    for (const Case& c : cases) {
        const RowFilter filter(c.text, capitals.data());
        EXPECT_EQ(filter.passes(c.name, c.folder), c.passes) << "\"" << testing::PrintToString(std::wstring(c.text)) << "\"";
    }
    EXPECT_TRUE(RowFilter(L"REPORT", nullptr).passes(L"report", L"C:\\"));  // a-z without a table
}

// Typing on may look at the listed rows only when every older word lies within a newer one.
TEST(RowFilter, ANarrowerFilterHoldsEveryOlderWord) {
    EXPECT_TRUE(RowFilter(L"report_12 dir", nullptr).narrows(RowFilter(L"PORT", nullptr)));
    EXPECT_TRUE(RowFilter(L"a b", nullptr).narrows(RowFilter(L"", nullptr)));
    EXPECT_FALSE(RowFilter(L"rep", nullptr).narrows(RowFilter(L"report", nullptr)));
    EXPECT_FALSE(RowFilter(L"report", nullptr).narrows(RowFilter(L"report x", nullptr)));
}

// Past the 64 words that go by bits, the rest are still looked for.
TEST(RowFilter, WordsPastTheSixtyFourthStillCount) {
    std::wstring text, name;
    for (int i = 0; i < 70; ++i) {
        text += L"w" + std::to_wstring(i) + L"x ";
        name += L"w" + std::to_wstring(i) + L"x";
    }
    EXPECT_TRUE(RowFilter(text, nullptr).passes(name, L"C:\\"));
    EXPECT_FALSE(RowFilter(text + L"w70x", nullptr).passes(name, L"C:\\"));
    EXPECT_TRUE(RowFilter(text + L"w70x", nullptr).passes(name, L"C:\\W70X"));
}

// Rows of a long list, in an order of their own.
struct LongList {
    explicit LongList(int count) { add(0, count); }
    void add(int first, int count) {
        auto batch = std::make_shared<RowBatch>();
        for (int i = first; i < first + count; ++i)
            batch->add(L"n" + std::to_wstring((i * 7919) % 1000003), folders[static_cast<std::size_t>(i / 500 % 4)], i, 0, 0);
        rows.append({batch, 0, batch->size()});
    }
    std::vector<std::int32_t> passing(const RowFilter& filter) const {
        std::vector<std::int32_t> data;
        for (int row = 0; row < rows.count(); ++row) {
            const ResultEntry entry = rows.entry(row);
            if (filter.passes(entry.name, *entry.folder)) data.push_back(entry.data);
        }
        return data;
    }
    std::vector<std::shared_ptr<const std::wstring>> folders{
        std::make_shared<const std::wstring>(L"C:\\d1"), std::make_shared<const std::wstring>(L"C:\\d2"),
        std::make_shared<const std::wstring>(L"C:\\d3"), std::make_shared<const std::wstring>(L"C:\\d4")};
    ResultRows rows;
};

// A long list is shared among threads and read in the order its rows are stored, a list mostly
// taken out in its own order; either way the rows come in the list's order, and what a pass learnt
// stands in for testing those rows again while rows added since are still tested.
TEST(FilteredOrder, GivesThePassingRowsInTheListsOrderWhicheverWayItGoes) {
    LongList list(250000);
    std::reverse(list.rows.order().begin(), list.rows.order().end());
    const RowFilter filter(L"12 D3", nullptr);
    PartsPool pool;
    PassedRows learnt;
    const std::vector<std::int32_t> first = FilteredOrder(list.rows.snapshot(), filter, pool, {}, {}, &learnt);
    EXPECT_EQ(first, list.passing(filter));
    EXPECT_FALSE(first.empty());
    ASSERT_EQ(learnt.size(), 250000u);

    list.add(250000, 3000);
    EXPECT_EQ(FilteredOrder(list.rows.snapshot(), filter, pool, {}, learnt), list.passing(filter));
    PassedRows wrong(learnt.size(), true);  // proves the known rows are not tested again
    EXPECT_EQ(FilteredOrder(list.rows.snapshot(), filter, pool, {}, wrong).size(), 250000 + list.passing(filter).size() - first.size());

    list.rows.removeWhere([](const ResultEntry& row) { return row.size % 3 != 0; });
    PassedRows fromFew;
    EXPECT_EQ(FilteredOrder(list.rows.snapshot(), filter, pool, {}, {}, &fromFew), list.passing(filter));
    for (const std::int32_t data : list.passing(filter)) EXPECT_TRUE(fromFew[static_cast<std::size_t>(data)]);
    EXPECT_TRUE(FilteredOrder(list.rows.snapshot(), filter, pool, [] { return true; }).empty());
}

// Every index of every share is worked on once, however many shares and threads, run after run,
// and a share that throws is reported without stopping the pool.
TEST(PartsPool, WorksOnEveryIndexOnceAndSurvivesAShareThatThrows) {
    PartsPool pool;
    for (const std::size_t parts : {1u, 2u, 5u, 3u}) {
        for (const std::size_t count : {0u, 1u, 7u, 10000u}) {
            std::vector<std::atomic<int>> seen(count);
            EXPECT_TRUE(pool.run(count, parts, [&](std::size_t, std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) ++seen[i];
            }));
            for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(seen[i], 1) << parts << " " << count << " " << i;
        }
    }
    EXPECT_FALSE(pool.run(4, 4, [](std::size_t part, std::size_t, std::size_t) {
        if (part == 2) throw std::bad_alloc();
    }));
    EXPECT_TRUE(pool.run(4, 4, [](std::size_t, std::size_t, std::size_t) {}));
}

}  // namespace
}  // namespace findlark
