#pragma once
// The content test's phrases: a file passes when (the first phrase is found, or an "OR" phrase is) and
// every "AND" phrase is found and no "NOT" phrase is. Each phrase is looked for in the form the
// file's text takes: its ANSI bytes and, for a phrase beyond ASCII, its UTF-8 bytes in a plain file;
// UTF-8 in a UTF-8 file; UTF-16 code units in a UTF-16 file, and in a plain file too (UTF-16 text
// without a mark in other scripts has no shape to tell it). With "Match case" off, phrases and
// content are compared by their capitals.
#include "model/search_criteria.h"
#include "model/case_folding.h"
#include "search/text_regex.h"
#include "search/word_characters.h"
#include "model/utf8.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

// Which bytes lead a double-byte character in the ANSI code page; all false in a single-byte one.
using LeadBytes = std::array<bool, 256>;

struct ContentPhrase {
    TextOperator op = TextAnd;       // how the phrase joins; the first phrase's is not read
    std::u16string text;             // as typed
    std::optional<std::string> ansi;  // its bytes in the ANSI code page; nothing when a character has no exact form there
};

// How often a byte turns up in ordinary text and code, higher for more often (a coarse rank). The
// zero byte is the commonest of all in UTF-16 text.
int ByteCommonness(unsigned char b);

// Finds one byte sequence: candidates for its least common byte first, then the whole sequence.
class PhraseFinder {
public:
    explicit PhraseFinder(std::string phrase);
    // The first occurrence in the text, or null.
    const unsigned char* find(const unsigned char* text, std::size_t size) const;
    std::size_t size() const { return phrase_.size(); }
    // Whether the sequence holds a zero byte: text without one cannot hold it.
    bool holdsZero() const { return holdsZero_; }

private:
    std::string phrase_;
    bool holdsZero_ = false;
    std::size_t anchor_ = 0;
};

// The encodings a file's content is read in, told by its first bytes.
enum class ContentEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// The phrases of one run, in every form they are looked for in, made once.
class ContentRule {
public:
    // One byte sequence to look for and the phrase it stands for.
    struct Needle {
        std::size_t phrase;
        PhraseFinder finder;
    };

    // `phrases[0]` is the first phrase; the others are the further rows that are switched on.
    // `folding` null: "Match case" on. `regular`: each phrase is a regular expression, looked for line
    // by line (throws RegexError when one is not valid); their literal parts are the needles. `wholeWords`
    // not null: a phrase counts only where no word unit touches it, looked for line by line too.
    ContentRule(std::vector<ContentPhrase> phrases, const LeadBytes& leadBytes, const CaseFolding* folding = nullptr,
                bool regular = false, const WordCharacters* wholeWords = nullptr);

    std::size_t phraseCount() const { return ops_.size(); }
    TextOperator phraseOperator(std::size_t phrase) const { return ops_[phrase]; }
    bool regular() const { return regular_; }
    const WordCharacters* wholeWords() const { return words_.get(); }
    // The phrases are looked for in decoded lines, not as byte sequences.
    bool byLines() const { return regular_ || words_; }
    // A phrase's regular expression; null for an empty phrase or when phrases are plain.
    const TextRegex* phraseRegex(std::size_t phrase) const {
        return phrase < regexes_.size() && regexes_[phrase] ? &*regexes_[phrase] : nullptr;
    }
    // A phrase's code units, by their capitals when case does not matter; empty for an empty phrase
    // and for a regular expression.
    const std::u16string& phraseUnits(std::size_t phrase) const { return units_[phrase]; }
    // A regular expression's longest ASCII part that every match holds (capitals as the units'),
    // looked for as a plain phrase to find candidates; empty when it has none.
    const std::u16string& phraseLiteral(std::size_t phrase) const { return literals_[phrase]; }
    // Phrases that have no byte needles and yet may be found: a candidate scan takes them as found.
    std::uint32_t unneedled() const { return unneedled_; }
    bool doubleByte() const { return doubleByte_; }
    bool isLeadByte(unsigned char byte) const { return leadBytes_[byte]; }
    const CaseFolding* folding() const { return folding_.get(); }

    // In a plain file: the ANSI forms (a match begins on a character), and the UTF-8 forms of the
    // phrases beyond ASCII (or without an ANSI form).
    const std::vector<Needle>& ansiNeedles() const { return ansi_; }
    const std::vector<Needle>& ansiUtf8Needles() const { return ansiUtf8_; }
    const std::vector<Needle>& utf8Needles() const { return utf8_; }
    // UTF-16 code units as bytes, low byte first or high byte first.
    const std::vector<Needle>& utf16Needles(bool bigEndian) const { return bigEndian ? utf16BE_ : utf16LE_; }

    // The outcome once every phrase in `found` (a bit per phrase) is known to be found and the others
    // not; `final` says the content has ended, so an unfound phrase is absent for sure. `heedNot`
    // false: "NOT" phrases are left out.
    enum class Outcome { Pass, Fail, Open };
    Outcome outcome(std::uint32_t found, bool final, bool heedNot = true) const;

private:
    std::vector<TextOperator> ops_;
    std::vector<std::u16string> units_, literals_;
    std::uint32_t unneedled_ = 0;
    bool regular_ = false;
    std::vector<std::optional<TextRegex>> regexes_;
    LeadBytes leadBytes_{};
    bool doubleByte_ = false;
    // Shared, so that its place stays when the rule moves: the regular expressions refer to it.
    std::shared_ptr<const CaseFolding> folding_;
    std::shared_ptr<const WordCharacters> words_;
    std::vector<Needle> ansi_, ansiUtf8_, utf8_, utf16LE_, utf16BE_;
};


// UTF-8 with every character that has a capital in `folding` replaced by it; bytes that are no UTF-8
// stay as they are.
std::string FoldUtf8(std::string_view text, const CaseFolding& folding);

}  // namespace findlark
