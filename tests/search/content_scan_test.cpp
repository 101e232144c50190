#include "search/content_scan.h"

#include "support/latin1.h"

#include <gtest/gtest.h>

#include <string>

namespace findlark {
namespace {

using namespace std::string_literals;

const LeadBytes kSingleByte{};

using testing_support::Latin1;

ContentPhrase Phrase(std::u16string text, TextOperator op = TextAnd) {
    std::optional<std::string> ansi = Latin1(text);
    return {op, std::move(text), std::move(ansi)};
}

// Capitals of ASCII, Latin-1 and the Greek letters, as the platform's table has them.
CaseFolding TestFolding() {
    CaseFolding folding = AsciiCaseFolding();
    auto fold = [&](char16_t small, char16_t capital) {
        folding.units[small] = capital;
        if (small <= 0xFF) folding.ansi[small] = static_cast<unsigned char>(capital);
    };
    for (char16_t c = 0xE0; c <= 0xFE; ++c) {
        if (c != 0xF7) fold(c, static_cast<char16_t>(c - 0x20));
    }
    for (char16_t c = 0x3B1; c <= 0x3C9; ++c) fold(c, static_cast<char16_t>(c - 0x20));
    fold(0x3C2, 0x3A3);  // final sigma
    fold(0x3AF, 0x38A);  // iota with tonos
    return folding;
}
const CaseFolding kFolding = TestFolding();

ContentRule Rule(std::vector<ContentPhrase> phrases, const CaseFolding* folding = nullptr, const LeadBytes& lead = kSingleByte) {
    return ContentRule(std::move(phrases), lead, folding);
}

// Feeds the content in pieces of `piece` bytes and gives the verdict.
bool Scan(const ContentRule& rule, std::string_view content, std::size_t piece = 4096) {
    ContentScan scan(rule);
    for (std::size_t at = 0; at < content.size(); at += piece) {
        const std::size_t size = std::min(piece, content.size() - at);
        if (!scan.feed(reinterpret_cast<const unsigned char*>(content.data() + at), size)) break;
    }
    return scan.finish();
}

// True when the verdict is the same for every piece size.
::testing::AssertionResult ScanAtEverySplit(const ContentRule& rule, std::string_view content, bool expected) {
    for (std::size_t piece = 1; piece <= content.size() + 1; ++piece) {
        if (Scan(rule, content, piece) != expected) return ::testing::AssertionFailure() << "pieces of " << piece;
    }
    return ::testing::AssertionSuccess();
}

std::string Utf16(std::u16string_view text, bool bigEndian = false, bool mark = true) {
    std::string bytes = mark ? (bigEndian ? "\xFE\xFF"s : "\xFF\xFE"s) : ""s;
    for (const char16_t c : text) {
        const auto low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}
std::string Utf8File(std::u16string_view text) { return "\xEF\xBB\xBF" + Utf8Of(text); }

std::string Encoding(std::string_view head) {
    const EncodingGuess guess = GuessEncoding(reinterpret_cast<const unsigned char*>(head.data()), head.size());
    const char* names[] = {"ANSI", "UTF-8", "UTF-16LE", "UTF-16BE"};
    return names[static_cast<int>(guess.encoding)] + std::string("+") + std::to_string(guess.markBytes);
}

TEST(ContentEncoding, TheFirstBytesTellIt) {
    EXPECT_EQ(Encoding("\xFF\xFEx"), "UTF-16LE+2");
    EXPECT_EQ(Encoding("\xFE\xFF"), "UTF-16BE+2");
    EXPECT_EQ(Encoding("\xEF\xBB\xBFx"), "UTF-8+3");
    EXPECT_EQ(Encoding("\xEF\xBB"), "ANSI+0");
    EXPECT_EQ(Encoding(""), "ANSI+0");
    // Without a mark, UTF-16LE by its shape: at least eight characters, every odd byte zero, no even one.
    EXPECT_EQ(Encoding(Utf16(u"12345678", false, false)), "UTF-16LE+0");
    EXPECT_EQ(Encoding(Utf16(u"1234567", false, false)), "ANSI+0");
    EXPECT_EQ(Encoding(Utf16(u"1234\u01005678", false, false)), "ANSI+0");
    EXPECT_EQ(Encoding(Utf16(u"1234\u00005678", false, false)), "ANSI+0");
    // Only the first 256 bytes count: odd zeros further on do not make a binary file UTF-16.
    std::string binary(256, 'x');
    for (std::size_t i = 1; i < 1000; i += 2) (i < binary.size() ? binary[i] : (binary += "y\0"s, binary[i])) = '\0';
    binary[101] = 'z';
    EXPECT_EQ(Encoding(binary), "ANSI+0");
}

TEST(ContentScan, PlainFilesEndAtTheFirstZeroByteAndAreCaseSensitive) {
    const ContentRule hello = Rule({Phrase(u"hello")});
    EXPECT_TRUE(Scan(hello, "say hello world"));
    EXPECT_FALSE(Scan(hello, "say Hello world"));
    EXPECT_TRUE(Scan(hello, "ends in hello"));
    EXPECT_FALSE(Scan(hello, ""));
    EXPECT_FALSE(Scan(Rule({Phrase(u"")}), "anything"));
    EXPECT_TRUE(Scan(hello, "hello\0after"s));
    EXPECT_FALSE(Scan(hello, "before\0hello"s));
    // A binary file whose odd bytes happen to be zero only past the first 256 bytes stays plain: it
    // ends at its first zero byte, but a phrase's UTF-16 form is found wherever it is.
    std::string binary(300, 'x');
    binary += "h\0e\0l\0l\0o\0"s;
    EXPECT_TRUE(Scan(Rule({Phrase(u"xxx")}), binary, 7));
    EXPECT_TRUE(Scan(hello, binary, 7));
}

// Text in other scripts has no zero bytes, so no shape tells it is UTF-16: without a mark, a phrase's
// UTF-16 forms are looked for too, on whole code units, in pieces of every size.
TEST(ContentScan, Utf16WithoutAMarkIsFoundInEveryScript) {
    const std::u16string privet = u"\u043F\u0440\u0438\u0432\u0435\u0442";  // привет
    const std::u16string sigma = u"\u03C3\u03AF\u03C3\u03C5\u03C6\u03BF\u03C2";  // σίσυφος
    struct Case {
        std::u16string phrase;
        std::string file;
        bool folded, found;
    } const cases[] = {
        {privet, Utf16(u"\u0441\u043A\u0430\u0436\u0438 " + privet + u" \u043C\u0438\u0440", false, false), false, true},
        {privet, Utf16(privet + u" \u043C\u0438\u0440", true, false), false, true},
        {u"\u0152", Utf16(u"c\u0152ur", false, false), false, true},  // Œ
        {u"\u0152", Utf16(u"c\u0152ur", true, false), false, true},
        {u"\u03A3\u038A\u03A3\u03A5\u03A6\u039F\u03A3", Utf16(u"\u03BF " + sigma, false, false), true, true},
        {u"\u03A3\u038A\u03A3\u03A5\u03A6\u039F\u03A3", Utf16(u"\u03BF " + sigma, false, false), false, false},
        {privet, "x" + Utf16(privet, false, false), false, false},  // across two code units
        {privet, Utf16(std::u16string(u"a\u0000", 2) + privet, false, false), false, false},  // after U+0000
    };
    for (const Case& each : cases) {
        const ContentRule rule = Rule({Phrase(each.phrase)}, each.folded ? &kFolding : nullptr);
        EXPECT_TRUE(ScanAtEverySplit(rule, each.file, each.found)) << Utf8Of(each.phrase) << " in " << each.file.size();
    }
}

TEST(ContentScan, AndOrNotCombineAsTheyRead) {
    const ContentRule notRule = Rule({Phrase(u"alpha"), Phrase(u"beta", TextNot)});
    EXPECT_TRUE(Scan(notRule, "alpha gamma"));
    EXPECT_FALSE(Scan(notRule, "alpha beta"));
    const ContentRule orRule = Rule({Phrase(u"alpha"), Phrase(u"beta", TextOr)});
    EXPECT_TRUE(Scan(orRule, "only beta here"));
    EXPECT_FALSE(Scan(orRule, "neither"));
    const ContentRule mixed =
        Rule({Phrase(u"alpha"), Phrase(u"beta", TextOr), Phrase(u"gamma"), Phrase(u"delta", TextNot)});
    for (const bool utf16 : {false, true}) {
        auto file = [&](std::u16string_view text) { return utf16 ? Utf16(text) : Utf8Of(text); };
        EXPECT_TRUE(Scan(mixed, file(u"beta gamma"))) << utf16;
        EXPECT_FALSE(Scan(mixed, file(u"beta"))) << utf16;
        EXPECT_FALSE(Scan(mixed, file(u"alpha gamma delta"))) << utf16;
        EXPECT_TRUE(Scan(mixed, file(u"gamma alpha"))) << utf16;
    }
    // An empty phrase is never found: an empty "AND" fails, an empty "NOT" never does.
    EXPECT_FALSE(Scan(Rule({Phrase(u"alpha"), Phrase(u"")}), "alpha"));
    EXPECT_TRUE(Scan(Rule({Phrase(u"alpha"), Phrase(u"", TextNot)}), "alpha"));
}

TEST(ContentScan, UnicodeFilesAreSearchedInTheirOwnEncoding) {
    const ContentRule alpha = Rule({Phrase(u"\u0101lpha")});  // ālpha
    const ContentRule ascii = Rule({Phrase(u"hello")});
    for (const bool bigEndian : {false, true}) {
        EXPECT_TRUE(Scan(alpha, Utf16(u"an \u0101lpha here", bigEndian))) << bigEndian;
        EXPECT_FALSE(Scan(alpha, Utf16(u"an alpha here", bigEndian))) << bigEndian;
        EXPECT_TRUE(Scan(ascii, Utf16(u"hello", bigEndian))) << bigEndian;  // right after the mark, to the end
        EXPECT_FALSE(Scan(ascii, Utf16(u"hel\u0000lo hello", bigEndian))) << bigEndian;  // ends at U+0000
    }
    // UTF-16LE by its shape, which only the first 256 bytes show.
    EXPECT_TRUE(Scan(alpha, Utf16(std::u16string(128, u'.') + u"\u0101lpha", false, false)));
    EXPECT_TRUE(Scan(ascii, Utf16(u"a longer line, then hello", false, false)));
    EXPECT_TRUE(Scan(alpha, Utf8File(u"\u0101lpha")));
    EXPECT_FALSE(Scan(alpha, Utf8File(u"alpha")));
    EXPECT_FALSE(Scan(ascii, Utf8File(u"hel") + "\0lo"s));
    // A match of the bytes that straddles two code units is no match.
    EXPECT_FALSE(Scan(Rule({Phrase(u"ab")}), "\xFF\xFE" "\x41\x61\x00\x62\x00\x41"s));
}

TEST(ContentScan, PlainFilesHoldPhrasesInTheAnsiOrTheUtf8Form) {
    const ContentRule umlaut = Rule({Phrase(u"gr\u00FC\u00DFe")});  // grüße
    EXPECT_TRUE(Scan(umlaut, "viele gr\xFC\xDF" "e"));
    EXPECT_TRUE(Scan(umlaut, "viele " + Utf8Of(u"gr\u00FC\u00DFe")));  // UTF-8 without a mark
    // A phrase with no ANSI form is looked for only in UTF-8: never as "?" or a best fit.
    const ContentRule nihon = Rule({Phrase(u"\u65E5\u672C")});
    EXPECT_FALSE(Scan(nihon, "what??"));
    EXPECT_TRUE(Scan(nihon, "in " + Utf8Of(u"\u65E5\u672C\u8A9E")));
    EXPECT_FALSE(Scan(Rule({Phrase(u"\u0101lpha")}), "alpha"));
    EXPECT_TRUE(Scan(Rule({Phrase(u"\u0101lpha")}), Utf8Of(u"\u0101lpha")));
}

TEST(ContentScan, PhrasesAndCodeUnitsSplitBetweenPiecesAreFound) {
    const std::u16string text = u"xxxxxxxxxx needle in a haystack \u03C3\u03AF\u03C3\u03C5\u03C6\u03BF\u03C2 the end";
    const ContentRule rule = Rule({Phrase(u"needle in a haystack"), Phrase(u"the end"),
                                   Phrase(u"\u03C3\u03AF\u03C3\u03C5\u03C6\u03BF\u03C2"), Phrase(u"absent", TextNot)});
    const ContentRule notRule = Rule({Phrase(u"xx"), Phrase(u"haystack", TextNot)});
    const ContentRule capitals = Rule({Phrase(u"NEEDLE"), Phrase(u"\u03A3\u038A\u03A3\u03A5\u03A6\u039F\u03A3")}, &kFolding);
    for (const std::string& file : {Utf8Of(text), Utf8File(text), Utf16(text), Utf16(text, true),
                                   Utf16(std::u16string(128, u'.') + text, false, false)}) {
        EXPECT_TRUE(ScanAtEverySplit(rule, file, true));
        EXPECT_TRUE(ScanAtEverySplit(notRule, file, false));
        EXPECT_TRUE(ScanAtEverySplit(capitals, file, true));
    }
}

TEST(ContentScan, WithoutMatchCaseCapitalsAndSmallLettersMatchInEveryEncoding) {
    const ContentRule upper = Rule({Phrase(u"GR\u00DC\u00DFE")}, &kFolding);  // GRÜßE
    const ContentRule lower = Rule({Phrase(u"gr\u00FC\u00DFe")}, &kFolding);  // grüße
    const ContentRule greek = Rule({Phrase(u"\u03A3\u038A\u03A3\u03A5\u03A6\u039F\u03A3")}, &kFolding);  // ΣΊΣΥΦΟΣ
    const std::u16string text = u"viele Gr\u00FC\u00DFe vom \u03C3\u03AF\u03C3\u03C5\u03C6\u03BF\u03C2";
    for (const std::string& file : {Utf8Of(text), Utf8File(text), Utf16(text), Utf16(text, true)}) {
        EXPECT_TRUE(Scan(upper, file));
        EXPECT_TRUE(Scan(lower, file));
        EXPECT_TRUE(Scan(greek, file));
    }
    EXPECT_TRUE(Scan(upper, "viele gr\xFC\xDF" "e"));  // the ANSI form, folded by the code page's table
    EXPECT_TRUE(Scan(lower, "VIELE GR\xDC\xDF" "E"));
    // Case is all that is ignored.
    EXPECT_FALSE(Scan(Rule({Phrase(u"GRUSSE")}, &kFolding), Utf8Of(text)));
    EXPECT_FALSE(Scan(Rule({Phrase(u"gr\u00FC\u00DFe")}), "GR\xDC\xDF" "E"));  // with match case
    // AND, OR and NOT go by the folded phrases too.
    const ContentRule mixed = Rule({Phrase(u"ALPHA"), Phrase(u"beta", TextOr), Phrase(u"Gamma", TextNot)}, &kFolding);
    EXPECT_TRUE(Scan(mixed, Utf16(u"BETA")));
    EXPECT_FALSE(Scan(mixed, Utf16(u"alpha GAMMA")));
    EXPECT_FALSE(Scan(mixed, "Alpha gamma"));
    EXPECT_TRUE(Scan(mixed, Utf8File(u"alpha")));
}

TEST(ContentScan, ReadingStopsOnceTheOutcomeIsSettled) {
    const ContentRule rule = Rule({Phrase(u"a"), Phrase(u"b", TextNot)});
    const std::string notFirst = std::string(300, 'b');
    ContentScan scan(rule);
    EXPECT_FALSE(scan.feed(reinterpret_cast<const unsigned char*>(notFirst.data()), notFirst.size()));
    EXPECT_FALSE(scan.finish());
    const ContentRule plain = Rule({Phrase(u"a")});
    const std::string hit = std::string(300, 'x') + "a";
    ContentScan found(plain);
    EXPECT_FALSE(found.feed(reinterpret_cast<const unsigned char*>(hit.data()), hit.size()));
    EXPECT_TRUE(found.finish());
    ContentScan open(rule);
    EXPECT_TRUE(open.feed(reinterpret_cast<const unsigned char*>(hit.data()), hit.size()));  // a "NOT" may still come
}

TEST(ContentScan, InADoubleByteCodePageATrailByteStartsNoMatch) {
    LeadBytes lead{};
    lead[0x81] = true;
    auto phrase = [](std::string ansi) { return ContentPhrase{TextAnd, u"x", std::move(ansi)}; };
    // 0x81 0x41 is one double-byte character whose trail byte happens to be "A".
    const ContentRule rule = Rule({phrase("A")}, nullptr, lead);
    EXPECT_FALSE(Scan(rule, "\x81" "A"));
    EXPECT_TRUE(Scan(rule, "\x81" "AA"));
    EXPECT_TRUE(ScanAtEverySplit(rule, "x\x81" "Ax", false));
    EXPECT_TRUE(ScanAtEverySplit(Rule({phrase("\x81" "A")}, nullptr, lead), "x\x81" "Ax", true));
    // Without match case the trail byte keeps its value: "a" does not become the "A" of another character.
    const ContentRule folded = Rule({phrase("\x81" "A")}, &kFolding, lead);
    EXPECT_FALSE(Scan(folded, "x\x81" "ax"));
    EXPECT_TRUE(Scan(Rule({phrase("B")}, &kFolding, lead), "\x81" "Ab"));
}

TEST(ContentText, Utf8AndItsCapitals) {
    EXPECT_EQ(Utf8Of(u"a\u00FC\u65E5\U0001F600"), "a\xC3\xBC\xE6\x97\xA5\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8Of(u"\xD800x"), "\xEF\xBF\xBDx");  // a lone surrogate
    EXPECT_EQ(FoldUtf8("gr\xC3\xBC\xC3\x9F" "e", kFolding), "GR\xC3\x9C\xC3\x9F" "E");
    EXPECT_EQ(FoldUtf8("\xC3" "a\xE0\x80\x80\xFF", kFolding), "\xC3" "A\xE0\x80\x80\xFF");  // no UTF-8: as it is
}

}  // namespace
}  // namespace findlark
