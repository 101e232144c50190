#include "search/plain_pattern.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

// Enough of a capital for the tests: German letters only.
wchar_t TestUpcase(wchar_t c) { return c == L'\u00fc' ? L'\u00dc' : c == L'\u00e4' ? L'\u00c4' : c; }

bool Matches(const wchar_t* pattern, const wchar_t* name, const wchar_t* shortName = L"") {
    const std::optional<PlainPattern> parsed = PlainPattern::parse(pattern, &TestUpcase);
    EXPECT_TRUE(parsed) << pattern;
    return parsed && parsed->matches(name, shortName);
}

TEST(PlainPattern, OnlyPatternsWithoutThePlatformsSpecialRulesAreTaken) {
    for (const wchar_t* taken : {L"*.txt", L"report*.doc", L"*.tar.gz", L"a.b*", L"readme", L"*a*b*", L"**.c"})
        EXPECT_TRUE(PlainPattern::parse(taken, &TestUpcase)) << taken;
    // "?" and a "." before a wildcard or at the end have rules of their own; "*" alone needs no marks.
    for (const wchar_t* left : {L"f?.log", L"*.*", L"*.", L"a.*", L"a.?x", L"name ", L"*", L"**", L"", L"a<b", L"x\\y"})
        EXPECT_FALSE(PlainPattern::parse(left, &TestUpcase)) << left;
}

TEST(PlainPattern, MatchesLongOrShortNameWithoutCase) {
    EXPECT_TRUE(Matches(L"*.txt", L"A.TXT"));
    EXPECT_TRUE(Matches(L"*.txt", L".txt"));
    EXPECT_FALSE(Matches(L"*.txt", L"a.txtx"));
    EXPECT_TRUE(Matches(L"*.txt", L"a.txtx", L"A~1.TXT"));  // offered through its short name
    EXPECT_FALSE(Matches(L"*.txt", L"a.txt.gz", L"ATXT~1.GZ"));
    EXPECT_TRUE(Matches(L"*.tar.gz", L"x.tar.tar.gz"));
    EXPECT_TRUE(Matches(L"\u00fc*", L"\u00dcber.txt"));
    EXPECT_FALSE(Matches(L"readme", L"readme.md"));
    EXPECT_TRUE(Matches(L"*a*b", L"aaab"));
    EXPECT_FALSE(Matches(L"*a*b", L"aaba"));
    EXPECT_TRUE(Matches(L"a*a*a", L"aaa"));
    EXPECT_FALSE(Matches(L"a*a*a", L"aa"));
}

TEST(PlainPattern, ASetTakesWhatOneIncludesAndNoneLeavesOut) {
    auto parsed = [](const wchar_t* pattern) { return *PlainPattern::parse(pattern, &TestUpcase); };
    const PatternSet code({parsed(L"*.cpp"), parsed(L"*.h")}, false, {parsed(L"*_test.cpp")});
    EXPECT_TRUE(code.matches(L"main.CPP", L""));
    EXPECT_TRUE(code.matches(L"a.h", L""));
    EXPECT_FALSE(code.matches(L"main_test.cpp", L""));
    EXPECT_FALSE(code.matches(L"notes.txt", L""));
    const PatternSet allBut({}, true, {parsed(L"*.bak")});
    EXPECT_TRUE(allBut.matches(L"notes.txt", L""));
    EXPECT_FALSE(allBut.matches(L"notes.txt.bak", L""));
    EXPECT_FALSE(allBut.matches(L"long name.backup", L"LONGNA~1.BAK"));  // left out by its short name too
}

TEST(PlainPattern, ManyStarsOverALongNameStayQuick) {
    std::wstring pattern;
    for (int i = 0; i < 100; ++i) pattern += L"*a";
    pattern += L"*b";
    EXPECT_FALSE(Matches(pattern.c_str(), std::wstring(30000, L'a').c_str()));
    EXPECT_TRUE(Matches(pattern.c_str(), (std::wstring(30000, L'a') + L"b").c_str()));
}

}  // namespace
}  // namespace findlark
