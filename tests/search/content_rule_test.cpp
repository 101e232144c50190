#include "search/content_rule.h"

#include <gtest/gtest.h>

#include <string>

namespace findlark {
namespace {

const LeadBytes kSingleByte{};

// Feeds the content in pieces of `piece` bytes and gives the verdict.
bool Scan(const ContentRule& rule, std::string_view content, std::size_t piece) {
    ContentScan scan(rule);
    for (std::size_t at = 0; at < content.size(); at += piece) {
        const std::size_t size = std::min(piece, content.size() - at);
        if (!scan.feed(reinterpret_cast<const unsigned char*>(content.data() + at), size)) break;
    }
    return scan.passes();
}

ContentRule Rule(std::string first, std::vector<ContentPhrase> further = {}, const LeadBytes& lead = kSingleByte) {
    further.insert(further.begin(), {TextAnd, std::move(first)});
    return ContentRule(std::move(further), lead);
}

TEST(ContentRule, ThePhraseIsFoundByteForByteUpToTheFirstZero) {
    EXPECT_TRUE(ContainsPhrase("say hello world", "hello"));
    EXPECT_FALSE(ContainsPhrase("say Hello world", "hello"));  // case-sensitive
    EXPECT_TRUE(ContainsPhrase("ends with it", "with it"));
    EXPECT_FALSE(ContainsPhrase("", "x"));
    EXPECT_FALSE(ContainsPhrase("anything", ""));
    using namespace std::string_literals;
    EXPECT_TRUE(ContainsPhrase("before\0after"s, "before"));
    EXPECT_FALSE(ContainsPhrase("before\0after"s, "after"));
    EXPECT_FALSE(ContainsPhrase("\0needle"s, "needle"));
}

TEST(ContentRule, AndOrNotCombineAsTheyRead) {
    const ContentRule notRule = Rule("alpha", {{TextNot, "beta"}});
    EXPECT_TRUE(Scan(notRule, "alpha gamma", 64));
    EXPECT_FALSE(Scan(notRule, "alpha beta", 64));
    const ContentRule orRule = Rule("alpha", {{TextOr, "beta"}});
    EXPECT_TRUE(Scan(orRule, "only beta here", 64));
    EXPECT_FALSE(Scan(orRule, "neither", 64));
    const ContentRule mixed = Rule("alpha", {{TextOr, "beta"}, {TextAnd, "gamma"}, {TextNot, "delta"}});
    EXPECT_TRUE(Scan(mixed, "beta gamma", 64));
    EXPECT_FALSE(Scan(mixed, "beta", 64));
    EXPECT_FALSE(Scan(mixed, "alpha gamma delta", 64));
    EXPECT_TRUE(Scan(mixed, "gamma alpha", 64));
    // An empty phrase is never found: an empty "AND" fails, an empty "NOT" never does.
    EXPECT_FALSE(Scan(Rule("alpha", {{TextAnd, ""}}), "alpha", 64));
    EXPECT_TRUE(Scan(Rule("alpha", {{TextNot, ""}}), "alpha", 64));
}

TEST(ContentRule, PhrasesAcrossPieceBordersAreFoundAtEverySplit) {
    const std::string content = "xxxxxxxxxxneedle in a haystackxxxxxxxxxxthe end";
    const ContentRule rule = Rule("needle in a haystack", {{TextAnd, "the end"}, {TextNot, "absent"}});
    for (std::size_t piece = 1; piece <= content.size(); ++piece) EXPECT_TRUE(Scan(rule, content, piece)) << piece;
    const ContentRule notRule = Rule("xx", {{TextNot, "haystack"}});
    for (std::size_t piece = 1; piece <= content.size(); ++piece) EXPECT_FALSE(Scan(notRule, content, piece)) << piece;
}

TEST(ContentRule, ReadingStopsOnceTheOutcomeIsSettled) {
    const ContentRule rule = Rule("a", {{TextNot, "b"}});
    ContentScan scan(rule);
    const unsigned char piece[] = {'b'};
    EXPECT_FALSE(scan.feed(piece, 1));  // a "NOT" phrase turned up: nothing can save the file
    EXPECT_FALSE(scan.passes());
    const ContentRule plain = Rule("a");
    ContentScan found(plain);
    const unsigned char hit[] = {'x', 'a'};
    EXPECT_FALSE(found.feed(hit, 2));  // found, and no "NOT" phrase could undo it
    EXPECT_TRUE(found.passes());
    ContentScan open(rule);
    EXPECT_TRUE(open.feed(hit, 2));  // found, but a "NOT" phrase may still come
}

TEST(ContentRule, InADoubleByteCodePageATrailByteStartsNoMatch) {
    LeadBytes lead{};
    lead[0x81] = true;
    // 0x81 0x41 is one double-byte character whose trail byte happens to be "A".
    const ContentRule rule = Rule("A", {}, lead);
    EXPECT_FALSE(Scan(rule, "\x81" "A", 64));
    EXPECT_TRUE(Scan(rule, "\x81" "AA", 64));
    for (std::size_t piece = 1; piece <= 4; ++piece) {
        EXPECT_FALSE(Scan(rule, "x\x81" "Ax", piece)) << piece;
        EXPECT_TRUE(Scan(Rule("\x81" "A", {}, lead), "x\x81" "Ax", piece)) << piece;
    }
    EXPECT_TRUE(Scan(rule, "A", 64));
}

}  // namespace
}  // namespace findlark
