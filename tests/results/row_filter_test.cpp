#include "results/row_filter.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace findlark
