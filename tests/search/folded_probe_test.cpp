#include "search/folded_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

namespace findlark {
namespace {

const unsigned char* Bytes(const std::string& text) { return reinterpret_cast<const unsigned char*>(text.data()); }

// Line feeds counted sixteen bytes at a time with lanes added up before they overflow, and a lone CR
// found wherever it falls: against a count byte by byte.
TEST(CountLineBreaks, AgreesWithAPlainCountAtEveryLengthAndPlace) {
    for (const std::size_t size : {0u, 1u, 2u, 15u, 16u, 17u, 18u, 33u, 4079u, 4080u, 4081u, 4097u, 70000u}) {
        std::string text;
        for (std::size_t i = 0; text.size() < size; ++i) text += i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "ab";
        text.resize(size);
        if (!text.empty() && text.back() == '\r') text.back() = 'x';
        const LineBreaks counted = CountLineBreaks(Bytes(text), Bytes(text) + text.size());
        EXPECT_FALSE(counted.loneCr) << size;
        EXPECT_EQ(counted.lineFeeds, static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'))) << size;
        for (const std::size_t at : {std::size_t{0}, size / 2, size - 1, size >= 17 ? std::size_t{16} : 0}) {
            if (at >= size) continue;
            std::string lone = text;
            lone[at] = '\r';
            if (at + 1 < size && lone[at + 1] == '\n') lone[at + 1] = 'y';
            EXPECT_TRUE(CountLineBreaks(Bytes(lone), Bytes(lone) + lone.size()).loneCr) << size << " " << at;
        }
    }
    const std::string feeds(70000, '\n');  // every lane counts in every round
    EXPECT_EQ(CountLineBreaks(Bytes(feeds), Bytes(feeds) + feeds.size()).lineFeeds, 70000u);
}

// Found where a search of the folded text finds it, with several bytes reading as one capital (as
// 0xFD reads as "I" in a Turkish table), and bytes as they are without a table.
TEST(FoldedProbe, FindsWhatASearchOfTheFoldedTextFinds) {
    std::array<unsigned char, 256> capitals{};
    for (std::size_t b = 0; b < capitals.size(); ++b) capitals[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 32 : b);
    capitals[0xFD] = 'I';
    const std::string alphabet = "fFiI\xFDn-x\n";
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 80, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        for (const std::string probe : {"FI", "I", "-I", "IIN", "F-X"}) {
            std::string folded = text;
            for (char& c : folded) c = static_cast<char>(capitals[static_cast<unsigned char>(c)]);
            const std::size_t expected = folded.find(probe);
            const unsigned char* found = FoldedProbe(probe, &capitals).find(Bytes(text), text.size());
            ASSERT_EQ(found ? static_cast<std::size_t>(found - Bytes(text)) : std::string::npos, expected) << text << " " << probe;
            const unsigned char* exact = FoldedProbe(probe, nullptr).find(Bytes(text), text.size());
            ASSERT_EQ(exact ? static_cast<std::size_t>(exact - Bytes(text)) : std::string::npos, text.find(probe));
        }
    }
}

}  // namespace
}  // namespace findlark
