#pragma once
// The content test: a file's content is its bytes up to the first zero byte; it passes when (the first
// phrase is found, or an "OR" phrase is) and every "AND" phrase is found and no "NOT" phrase is.
// Phrases are byte strings (the text in the system's ANSI code page), compared case-sensitively.
// A file is fed in pieces, so that files of any size are read through bounded views.
#include "model/search_criteria.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

// Which bytes lead a double-byte character in the ANSI code page; all false in a single-byte one.
using LeadBytes = std::array<bool, 256>;

struct ContentPhrase {
    TextOperator op = TextAnd;  // how the phrase joins; the first phrase's is not read
    std::string bytes;
};

// Finds one phrase: candidates for its least common byte first, then the whole phrase.
class PhraseFinder {
public:
    explicit PhraseFinder(std::string phrase);
    // The first occurrence in the text, or null.
    const unsigned char* find(const unsigned char* text, std::size_t size) const;

private:
    std::string phrase_;
    std::size_t anchor_ = 0;
};

// The phrases of one run, with a finder each, made once.
class ContentRule {
public:
    // `phrases[0]` is the first phrase; the others are the further rows that are switched on.
    ContentRule(std::vector<ContentPhrase> phrases, const LeadBytes& leadBytes);
    std::size_t phraseCount() const { return phrases_.size(); }
    const ContentPhrase& phrase(std::size_t index) const { return phrases_[index]; }
    const PhraseFinder& finder(std::size_t index) const { return finders_[index]; }
    bool doubleByte() const { return doubleByte_; }
    bool isLeadByte(unsigned char byte) const { return leadBytes_[byte]; }
    std::size_t longest() const { return longest_; }
    // The outcome once every phrase in `found` (a bit per phrase) is known to be found and the others
    // not; `final` says the content has ended, so an unfound phrase is absent for sure.
    enum class Outcome { Pass, Fail, Open };
    Outcome outcome(std::uint32_t found, bool final) const;

private:
    std::vector<ContentPhrase> phrases_;
    std::vector<PhraseFinder> finders_;
    LeadBytes leadBytes_{};
    bool doubleByte_ = false;
    std::size_t longest_ = 0;
};

// The content test of one file, fed piece by piece in order.
class ContentScan {
public:
    explicit ContentScan(const ContentRule& rule);
    // Takes the next piece; false when no more is needed (the content ended at a zero byte, or the
    // outcome is settled whatever follows).
    bool feed(const unsigned char* data, std::size_t size);
    bool passes() const { return rule_.outcome(found_, true) == ContentRule::Outcome::Pass; }

private:
    // Whether the phrase occurs in `text` at a position that starts a character; `starts` holds a
    // flag per byte of `text` when the code page has double-byte characters.
    bool occursIn(const PhraseFinder& phrase, const unsigned char* text, std::size_t size,
                  const unsigned char* starts) const;
    void markStarts(const unsigned char* data, std::size_t size);

    const ContentRule& rule_;
    std::uint32_t found_ = 0;
    bool ended_ = false;
    std::string carry_;                      // the last bytes of the content so far, for phrases across pieces
    std::vector<unsigned char> carryStarts_;  // their character-start flags
    std::string window_;                     // carry and the head of the next piece
    std::vector<unsigned char> windowStarts_;
    std::vector<unsigned char> starts_;       // character-start flags of the piece in hand
    bool trailPending_ = false;               // the previous piece ended with a lead byte
};

// Whether the phrase occurs in the content (bytes up to the first zero byte); an empty phrase or
// empty content never holds anything.
bool ContainsPhrase(std::string_view content, std::string_view phrase);

}  // namespace findlark
