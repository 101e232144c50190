#include "search/match_locator.h"

#include "support/latin1.h"

#include <gtest/gtest.h>

#include <string>

namespace findlark {
namespace {

using namespace std::string_literals;

using testing_support::FromLatin1;
using testing_support::Latin1;

CaseFolding Folding() {
    CaseFolding folding = AsciiCaseFolding();
    for (char16_t c = 0xE0; c <= 0xFE; ++c) {
        if (c == 0xF7) continue;
        folding.units[c] = static_cast<char16_t>(c - 0x20);
        folding.ansi[c] = static_cast<unsigned char>(c - 0x20);
    }
    for (char16_t c = 0x430; c <= 0x44F; ++c) folding.units[c] = static_cast<char16_t>(c - 0x20);
    return folding;
}
const CaseFolding kFolding = Folding();

ContentRule Rule(std::vector<std::pair<std::u16string, TextOperator>> phrases, bool matchCase) {
    std::vector<ContentPhrase> list;
    for (auto& [text, op] : phrases) list.push_back({op, text, Latin1(text)});
    return ContentRule(std::move(list), LeadBytes{}, matchCase ? nullptr : &kFolding);
}

// Lines as grep shows them ("3:" a match, "4-" context, "--" a gap), marks in brackets, UTF-8.
std::string Shown(const MatchLocator& locator) {
    std::string out;
    for (const PreviewLine& line : locator.lines()) {
        if (line.gapBefore) out += "--\n";
        out += std::to_string(line.number) + (line.matching ? ":" : "-");
        std::size_t at = 0;
        for (const PreviewMark& mark : line.marks) {
            out += Utf8Of(std::u16string_view(line.text).substr(at, mark.begin - at)) + "[" +
                   Utf8Of(std::u16string_view(line.text).substr(mark.begin, mark.length)) + "]";
            at = mark.begin + mark.length;
        }
        out += Utf8Of(std::u16string_view(line.text).substr(at)) + "\n";
    }
    return out;
}

std::string Locate(const ContentRule* rule, std::string_view content, std::size_t piece, PreviewLimits limits = {}) {
    MatchLocator locator(rule, limits, FromLatin1);
    for (std::size_t at = 0; at < content.size(); at += piece) {
        if (!locator.feed(reinterpret_cast<const unsigned char*>(content.data() + at), std::min(piece, content.size() - at)))
            break;
    }
    locator.finish();
    return Shown(locator) + "=" + std::to_string(locator.matches()) + "/" + std::to_string(locator.matchingLines()) +
           (locator.moreNotShown() ? "+" : "");
}

std::string Utf16(std::u16string_view text, bool bigEndian, bool mark) {
    std::string bytes = mark ? (bigEndian ? "\xFE\xFF"s : "\xFF\xFE"s) : ""s;
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// Fifty lines, "alpha" on lines 20 and 45: the quiet lines between are only counted.
std::string QuietLines() {
    std::string text;
    for (int n = 1; n <= 50; ++n) text += (n == 20 || n == 45 ? "an alpha " : "quiet ") + std::to_string(n) + "\r\n";
    return text;
}

const std::u16string kLines = u"one alpha\ntwo\r\nthree\rfour Alpha\n\nsix\nseven\neight\nnine\nten alpha";

struct Case {
    const char* name;
    std::string content;
    std::vector<std::pair<std::u16string, TextOperator>> phrases;
    bool matchCase;
    unsigned context;
    std::string expected;
};

// Every case gives the same lines whatever the size of the pieces it comes in.
TEST(MatchLocator, LinesMarksAndContextInEveryEncodingAndPieceSize) {
    const std::string plain = Utf8Of(kLines);
    const std::vector<Case> cases = {
        {"context 2, CR LF and lone CR", plain, {{u"alpha", TextAnd}}, false, 2,
         "1:one [alpha]\n2-two\n3-three\n4:four [Alpha]\n5-\n6-six\n--\n8-eight\n9-nine\n10:ten [alpha]\n=3/3"},
        {"context 0, match case", plain, {{u"alpha", TextAnd}}, true, 0, "1:one [alpha]\n--\n10:ten [alpha]\n=2/2"},
        {"OR marked, NOT not", plain, {{u"two", TextAnd}, {u"six", TextOr}, {u"alpha", TextNot}}, true, 0,
         "2:[two]\n--\n6:[six]\n=2/2"},
        {"overlapping phrases are one mark", "abcd\n", {{u"abc", TextAnd}, {u"bcd", TextOr}}, true, 0, "1:[abcd]\n=2/1"},
        {"UTF-16LE with mark", Utf16(kLines, false, true), {{u"ALPHA", TextAnd}}, false, 0,
         "1:one [alpha]\n--\n4:four [Alpha]\n--\n10:ten [alpha]\n=3/3"},
        {"UTF-16BE with mark", Utf16(u"\u043f\u0440\u0438\u0432\u0435\u0442 x\r\ny", true, true), {{u"\u041f\u0420\u0418", TextAnd}},
         false, 9, "1:[\u043f\u0440\u0438]\u0432\u0435\u0442 x\n2-y\n=1/1"},
        {"UTF-16 ends at U+0000", Utf16(u"a x\nb x\0c x"s, false, true), {{u"x", TextAnd}}, true, 0, "1:a [x]\n2:b [x]\n=2/2"},
        {"UTF-8 with mark", "\xEF\xBB\xBFgr\xC3\xBC\xC3\x9F\n", {{u"\u00DC\u00DF", TextAnd}}, false, 0,
         "1:gr[\u00fc\u00df]\n=1/1"},
        {"plain: UTF-8 line and ANSI line", "caf\xC3\xA9\ncaf\xE9\n", {{u"CAF\u00C9", TextAnd}}, false, 0,
         "1:[caf\u00e9]\n2:[caf\u00e9]\n=2/2"},
        {"quiet lines counted", QuietLines(), {{u"ALPHA", TextAnd}}, false, 2,
         "18-quiet 18\n19-quiet 19\n20:an [alpha] 20\n21-quiet 21\n22-quiet 22\n--\n43-quiet 43\n44-quiet 44\n"
         "45:an [alpha] 45\n46-quiet 46\n47-quiet 47\n=2/2"},
        {"several on one line", "xx x\n", {{u"x", TextAnd}}, true, 0, "1:[x][x] [x]\n=3/1"},
        {"no final line break, empty last line", "a\nb\n", {{u"b", TextAnd}}, true, 1, "1-a\n2:[b]\n=1/1"},
    };
    for (const Case& c : cases) {
        const ContentRule rule = Rule(c.phrases, c.matchCase);
        PreviewLimits limits;
        limits.contextLines = c.context;
        for (const std::size_t piece : {1, 2, 3, 7, 300, 1 << 20})
            EXPECT_EQ(Locate(&rule, c.content, piece, limits), c.expected) << c.name << ", pieces of " << piece;
    }
}

// Whole words: an occurrence touched by a letter (of any script the table knows), a digit or "_" does
// not count, one may begin inside a refused one, and a NOT phrase counts only as a word too.
TEST(MatchLocator, WholeWordsRefuseOccurrencesInsideWords) {
    WordCharacters words = AsciiWordCharacters();
    for (char16_t c = 0xC0; c <= 0xFF; ++c) words.units.set(c, c != 0xD7 && c != 0xF7);
    struct WordCase {
        std::u16string text;
        std::vector<std::pair<std::u16string, TextOperator>> phrases;
        bool regular;
        std::string expected;
        std::uint32_t found;
    };
    const std::vector<WordCase> cases = {
        {u"cat concat cats _cat cat.", {{u"CAT", TextAnd}}, false, "1:[cat] concat cats _cat [cat].\n", 1},
        {u"aaa aa", {{u"aa", TextAnd}}, false, "1:aaa [aa]\n", 1},
        {u"caf\u00e9 caf\u00e9-caf", {{u"caf", TextAnd}}, false, "1:caf\u00e9 caf\u00e9-[caf]\n", 1},
        {u"catalog\ndog", {{u"dog", TextAnd}, {u"cat", TextNot}}, false, "2:[dog]\n", 1},
        {u"dog cat", {{u"dog", TextAnd}, {u"cat", TextNot}}, false, "1:[dog] cat\n", 3},
        {u"a1 22 b3 4", {{u"\\d+", TextAnd}}, true, "1:a1 [22] b3 [4]\n", 1},
        {u"x9y", {{u"\\d", TextAnd}}, true, "", 0},
    };
    PreviewLimits limits;
    limits.contextLines = 0;
    for (const WordCase& c : cases) {
        std::vector<ContentPhrase> list;
        for (auto& [text, op] : c.phrases) list.push_back({op, text, Latin1(text)});
        const ContentRule rule(std::move(list), LeadBytes{}, &kFolding, c.regular, &words);
        for (const std::size_t piece : {1, 1 << 20}) {
            MatchLocator locator(&rule, limits, FromLatin1);
            const std::string content = Utf8Of(c.text);
            for (std::size_t at = 0; at < content.size(); at += piece)
                locator.feed(reinterpret_cast<const unsigned char*>(content.data() + at), std::min(piece, content.size() - at));
            locator.finish();
            EXPECT_EQ(Shown(locator), c.expected) << Utf8Of(c.text);
            EXPECT_EQ(locator.phrasesFound(), c.found) << Utf8Of(c.text);
        }
    }
}

// Regular expressions: matched within each line (^ and $ at its ends), NOT phrases found but not
// marked, letters beyond ASCII by the table, an empty match a match with nothing marked.
TEST(MatchLocator, RegularExpressionsMatchWithinLines) {
    std::vector<ContentPhrase> phrases{{TextAnd, u"^t\\w+", std::nullopt},
                                       {TextOr, u"caf\u00c9$", std::nullopt},
                                       {TextNot, u"seven", std::nullopt}};
    const ContentRule rule(phrases, LeadBytes{}, &kFolding, true);
    PreviewLimits limits;
    limits.contextLines = 0;
    for (const std::size_t piece : {1, 5, 1 << 20}) {
        MatchLocator locator(&rule, limits, FromLatin1);
        const std::string content = Utf8Of(u"two three\nat\r\nseven caf\u00e9\ncaf\u00e9 x\n");
        for (std::size_t at = 0; at < content.size(); at += piece)
            locator.feed(reinterpret_cast<const unsigned char*>(content.data() + at), std::min(piece, content.size() - at));
        locator.finish();
        EXPECT_EQ(Shown(locator), "1:[two] three\n--\n3:seven [caf\u00e9]\n") << piece;
        EXPECT_EQ(locator.phrasesFound(), 0b111u);
        EXPECT_FALSE(locator.gaveUp());
    }
    const ContentRule runaway({{TextAnd, u"(a+)+$", std::nullopt}}, LeadBytes{}, nullptr, true);
    MatchLocator locator(&runaway, limits, FromLatin1);
    const std::string line = std::string(40, 'a') + "b\n";
    locator.feed(reinterpret_cast<const unsigned char*>(line.data()), line.size());
    locator.finish();
    EXPECT_TRUE(locator.gaveUp());
    EXPECT_THROW(ContentRule({{TextAnd, u"(x", std::nullopt}}, LeadBytes{}, nullptr, true), RegexError);
}

// Binary by its zero bytes, yet UTF-16 text without a mark when they are all high halves of one
// order's units and a line break is among them.
TEST(MatchLocator, BinaryHeadsThatReadAsUtf16AreToldApart) {
    const std::u16string cyrillic = u"\u043a\u043e\u0442\r\n\u043c\u0438\u0440";
    const std::vector<std::pair<std::string, std::optional<ContentEncoding>>> cases = {
        {Utf16(cyrillic, false, false), ContentEncoding::Utf16LE},
        {Utf16(cyrillic, true, false), ContentEncoding::Utf16BE},
        {std::string("alpha\0\x01\x02 alpha", 14), std::nullopt},  // no line break
        {std::string("ab\0\0\n\0", 6), std::nullopt},             // zeros in both halves
    };
    for (const auto& [content, shape] : cases) {
        MatchLocator locator(nullptr, {}, FromLatin1);
        locator.feed(reinterpret_cast<const unsigned char*>(content.data()), content.size());
        locator.finish();
        EXPECT_TRUE(locator.binary());
        EXPECT_EQ(locator.utf16Shape(), shape);
    }
}

TEST(MatchLocator, BinaryFilesAreCountedNotShown) {
    const ContentRule rule = Rule({{u"key", TextAnd}}, false);
    std::string content = "KEY\0"s + std::string(20000, 'z') + "key";
    for (const std::size_t piece : {1, 5, 4096, 1 << 20}) {
        MatchLocator locator(&rule, {}, FromLatin1);
        for (std::size_t at = 0; at < content.size(); at += piece)
            locator.feed(reinterpret_cast<const unsigned char*>(content.data() + at), std::min(piece, content.size() - at));
        locator.finish();
        EXPECT_TRUE(locator.binary());
        EXPECT_TRUE(locator.lines().empty());
        EXPECT_EQ(locator.matches(), 2u) << piece;
    }
    // A zero byte after the first 8 KiB ends the text, as it ends the content test's.
    const std::string late = std::string(kBinaryHeadBytes, 'a') + "\nkey\n\0key"s;
    PreviewLimits noContext;
    noContext.contextLines = 0;
    EXPECT_EQ(Locate(&rule, late, 4096, noContext), "2:[key]\n=1/1");
}

// UTF-16 without a mark: with line breaks it holds zero bytes and is counted as binary; without any,
// in another script, it looks like plain text and is read as units when asked.
TEST(MatchLocator, UnitsWithoutAMarkAreCountedOrReadWhenAsked) {
    const ContentRule rule = Rule({{u"\u043f\u0440\u0438", TextAnd}}, true);
    EXPECT_EQ(Locate(&rule, Utf16(u"x\n\u043f\u0440\u0438\u0432\u0435\u0442\n", false, false), 3), "=1/0");
    const std::string content = Utf16(u"\u043f\u0440\u0438\u0432\u0435\u0442", false, false);
    EXPECT_EQ(Locate(&rule, content, 3), "=0/0");
    MatchLocator units(&rule, {}, FromLatin1, ContentEncoding::Utf16LE);
    units.feed(reinterpret_cast<const unsigned char*>(content.data()), content.size());
    units.finish();
    EXPECT_EQ(Shown(units), "1:[\u043f\u0440\u0438]\u0432\u0435\u0442\n");
}

TEST(MatchLocator, LimitsCutLinesAndCountWhatIsNotShown) {
    const ContentRule rule = Rule({{u"m", TextAnd}}, true);
    PreviewLimits limits;
    limits.contextLines = 1;
    limits.matchingLines = 2;
    limits.lineUnits = 9;
    // Past the limit lines are counted, not kept; a long line shows the part around its first mark.
    EXPECT_EQ(Locate(&rule, "a\nm\nb\nm\nm\n", 2, limits), "1-a\n2:[m]\n3-b\n4:[m]\n=3/3+");
    EXPECT_EQ(Locate(&rule, "0123456789abcdefmxyz0123456789\n", 4, limits), "1:\u2026cdef[m]xyz0\u2026\n=1/1");
    // Without phrases: the first lines only, and reading stops.
    limits.firstLines = 2;
    MatchLocator first(nullptr, limits, FromLatin1);
    const std::string text = "a\nb\nc\n" + std::string(kBinaryHeadBytes, 'd');
    EXPECT_FALSE(first.feed(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
    EXPECT_EQ(Shown(first), "1-a\n2-b\n");
}

// A line longer than the part the locator holds still counts once and is shown around its match.
TEST(MatchLocator, AHugeLineIsTakenInParts) {
    const ContentRule rule = Rule({{u"needle", TextAnd}}, true);
    const std::string content = std::string(3 << 20, 'x') + "needle" + std::string(1 << 20, 'y') + "needle\nend needle";
    MatchLocator locator(&rule, {}, FromLatin1);
    for (std::size_t at = 0; at < content.size(); at += 1 << 16)
        locator.feed(reinterpret_cast<const unsigned char*>(content.data() + at), std::min<std::size_t>(1 << 16, content.size() - at));
    locator.finish();
    EXPECT_EQ(locator.matches(), 3u);
    EXPECT_EQ(locator.matchingLines(), 2u);
    ASSERT_EQ(locator.lines().size(), 2u);
    EXPECT_EQ(locator.lines()[0].text.back(), u'\u2026');
    EXPECT_EQ(locator.lines()[1].number, 2u);
    EXPECT_LE(locator.lines()[0].text.size(), 2002u);
}

}  // namespace
}  // namespace findlark
