#include "search/text_regex.h"

#include "search/entry_filters.h"
#include "search/regex_literal.h"
#include "model/utf8.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

// ASCII, Latin-1 and Cyrillic capitals, as the platform's table has them.
CaseFolding Folding() {
    CaseFolding folding = AsciiCaseFolding();
    for (char16_t c = 0xE0; c <= 0xFE; ++c) {
        if (c != 0xF7) folding.units[c] = static_cast<char16_t>(c - 0x20);
    }
    for (char16_t c = 0x430; c <= 0x44F; ++c) folding.units[c] = static_cast<char16_t>(c - 0x20);
    return folding;
}
const CaseFolding kFolding = Folding();

TEST(TextRegex, SearchesTheLongNameByItsCapitalsUnlessCaseMatters) {
    struct Case {
        const wchar_t* pattern;
        bool caseSensitive;
        const wchar_t* name;
        bool matches;
    };
    const Case cases[] = {
        {L"report\\d+", false, L"Q3 Report2026.pdf", true},  // anywhere in the name
        {L"^report", false, L"Q3 report.pdf", false},         // anchors hold
        {L"\\.txt$", false, L"a.TXT", true},
        {L"\\.txt$", true, L"a.TXT", false},
        {L"grüße", false, L"GRÜßE.txt", true},  // letters beyond ASCII by the table
        {L"привет", false, L"ПРИВЕТ.doc", true},
        {L"привет", true, L"ПРИВЕТ.doc", false},
        {L"[а-я]+", false, L"ДОМ", true},
        {L"(a+)+$", false, L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", false},  // given up, never a hang
        {L"", false, L"anything", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextRegex(c.pattern, c.caseSensitive ? nullptr : &kFolding).matches(c.name), c.matches) << c.pattern;
}

TEST(TextRegex, AnInvalidExpressionIsNamedWithItsPlace) {
    EXPECT_EQ(RegexFault(L"(abc"), L"Unmatched marking parenthesis ( or \\( at position 5.");
    EXPECT_EQ(RegexFault(L"*a"), L"The repeat operator \"*\" cannot start a regular expression at position 1.");
    EXPECT_FALSE(RegexFault(L"a\\d{2}:\\w+"));  // no mask rule applies: \ and : are the expression's
    SearchCriteria c;
    c.MaskIsRegularExpression = true;
    c.Mask = L"[x";
    EXPECT_THROW(EntryFilters(c, {}, [](std::uint64_t) { return 0; }), RegexError);
}

// The literal must be in every match: a wrong one would pass over files that match.
TEST(RegexLiteral, IsOnlyWhatEveryMatchHolds) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"foo\\d+", u"foo"},
        {u"\\bfind-lark\\.txt$", u"find-lark.txt"},
        {u"ab?cdef", u"cdef"},           // "b" may be missing
        {u"abcd*e", u"abc"},
        {u"abc+d", u"abc"},
        {u"x{2,3}yz{1}w", u"y"},
        {u"a{b}cd", u"b}cd"},             // a brace that opens no count is itself
        {u"(foo|bar)baz", u"baz"},        // alternatives inside a group
        {u"foo|barbaz", u""},             // at the top: none is certain
        {u"(?i)foo", u""},                // options change the rest
        {u"(?:ab)?cd", u"cd"},
        {u"[a-z]+qq[^]x]rr", u"qq"},
        {u"[[:alpha:]]]zz", u"]zz"},
        {u"\\Qa.b\\E", u""},
        {u"\\x{41}BC", u"BC"},
        {u"gr\u00fc\u00dfe", u"gr"},       // ASCII only
        {u".*", u""},
        {u"ab\\<cd\\'", u"ab"},             // bounds, not characters
    };
    for (const auto& [pattern, literal] : cases) EXPECT_EQ(RequiredLiteral(pattern), literal) << Utf8Of(pattern);
}

}  // namespace
}  // namespace findlark
