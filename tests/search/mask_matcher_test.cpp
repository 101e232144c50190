#include "search/mask_matcher.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

struct Case {
    const wchar_t* mask;
    const wchar_t* name;
    bool matches;
};

TEST(MaskMatcher, CaseSensitiveTable) {
    const Case cases[] = {
        {L"*.*", L"report.txt", true},     {L"*.*", L"noext", false},  // the matcher wants a dot
        {L"*.htm", L"page.htm", true},     {L"*.htm", L"LONGFI~1.HTM", false},
        {L"*.htm", L"LongFileName.html", false},  // offered only through its short name
        {L"report.txt", L"Report.txt", false},    {L"a?c", L"abc", true},
        {L"a?c", L"ac", false},            {L"a?", L"a", false},  // "?" past the end of the name fails
        {L"*?", L"", true},                {L"?", L"", false},    // after "*" a "?" is dropped
        {L"a*?b", L"ab", true},            {L"*", L"", true},
        {L"", L"", true},                  {L"", L"x", false},
        {L"[abc]x", L"bx", true},          {L"[abc]x", L"dx", false},
        {L"[a-c]", L"b", true},            {L"[a-c]", L"B", false},
        {L"[!a-c]", L"d", true},           {L"[!a-c]", L"b", false},
        {L"[c-a]z", L"cz", true},          {L"[c-a]z", L"bz", false},  // a falling range adds nothing
        {L"[x-]]", L"x]", false},          {L"*[0-9][0-9]", L"log42", true},
        {L"*a*b*c", L"xaxbxc", true},      {L"*a*b*c", L"xaxcxb", false},
        {L"*ab", L"aab", true},            {L"a*a*a", L"aa", false},
        {L"[*?]", L"*", true},             {L"[*?]", L"x", false},
    };
    for (const Case& c : cases) {
        bool result = false;
        try {
            result = MaskMatches(c.name, c.mask, true);
        } catch (const EMaskException&) {
            ADD_FAILURE() << "mask rejected";
        }
        EXPECT_EQ(result, c.matches) << "mask " << testing::PrintToString(std::wstring(c.mask)) << " name "
                                     << testing::PrintToString(std::wstring(c.name));
    }
}

TEST(MaskMatcher, WithoutCaseSensitivityOnlyAsciiLettersFold) {
    EXPECT_TRUE(MaskMatches(L"REPORT.txt", L"report.TXT", false));
    EXPECT_TRUE(MaskMatches(L"B", L"[a-c]", false));
    EXPECT_FALSE(MaskMatches(L"\u00c4", L"\u00e4", false));
    EXPECT_TRUE(MaskMatches(L"\u00e4", L"\u00e4", false));
}

TEST(MaskMatcher, ASurrogatePairIsOneCharacter) {
    const wchar_t* smile = L"\U0001F600";
    EXPECT_TRUE(MaskMatches(smile, L"?", true));
    EXPECT_FALSE(MaskMatches(smile, L"??", true));
    EXPECT_TRUE(MaskMatches(std::wstring(L"x") + smile, L"x[\U0001F600y]", true));
    EXPECT_TRUE(MaskMatches(std::wstring(L"ab") + smile + L"c", L"*?c", true));
    EXPECT_TRUE(MaskMatches(std::wstring(smile) + L"z", L"*z", true));
    // A lone half of a pair is a character of its own and never read past.
    EXPECT_TRUE(MaskMatches(L"\xD83D", L"?", true));
    EXPECT_FALSE(MaskMatches(L"a\xD83D", L"a??", true));
}

TEST(MaskMatcher, InvalidMasksSayWhereTheScanStopped) {
    const std::pair<const wchar_t*, int> invalid[] = {
        {L"[", 2}, {L"[]", 2}, {L"[!]", 3}, {L"[-a]", 2}, {L"a[b", 4}, {L"[a-", 4}, {L"[a-]", 5}, {L"x[!-]", 4},
    };
    for (const auto& [mask, position] : invalid) {
        try {
            MaskMatches(L"x", mask, true);
            ADD_FAILURE() << "accepted " << testing::PrintToString(std::wstring(mask));
        } catch (const EMaskException& error) {
            EXPECT_EQ(error.message(),
                      L"'" + std::wstring(mask) + L"' is an invalid mask at (" + std::to_wstring(position) + L")");
        }
    }
}

TEST(MaskMatcher, AtMostThirtyStatesFollowAStar) {
    std::wstring thirty;
    for (int i = 0; i < 30; ++i) thirty += L"*a";
    EXPECT_TRUE(MaskMatches(std::wstring(30, L'a'), thirty, true));
    EXPECT_THROW(MaskMatches(L"a", thirty + L"*a", true), EMaskException);
    try {
        MaskMatches(L"a", thirty + L"*", true);  // the end of the name is the 31st
        ADD_FAILURE();
    } catch (const EMaskException& error) {
        EXPECT_NE(error.message().find(L"at (62)"), std::wstring::npos);
    }
}

// Stars that could each take many positions: the answer comes in linear steps, not by trying them all.
TEST(MaskMatcher, ManyStarsOverALongNameFinishAtOnce) {
    std::wstring mask;
    for (int i = 0; i < 29; ++i) mask += L"*a";
    mask += L"*b";
    EXPECT_FALSE(MaskMatches(std::wstring(250, L'a'), mask, true));
    EXPECT_TRUE(MaskMatches(std::wstring(250, L'a') + L"b", mask, true));
}

TEST(MaskMatcher, ACompiledMaskIsReusedAcrossNames) {
    const CompiledMask mask(L"*.[ch]", true);
    EXPECT_TRUE(mask.matches(L"main.c"));
    EXPECT_TRUE(mask.matches(L"x.h"));
    EXPECT_FALSE(mask.matches(L"x.cpp"));
    EXPECT_FALSE(mask.matches(L""));
}

}  // namespace
}  // namespace findlark
