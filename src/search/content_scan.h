#pragma once
// The content test of one file, fed piece by piece in order. The first bytes tell the encoding; each
// piece is then searched in place for the phrases' forms in that encoding (through a folded copy when
// case does not matter), and phrases that straddle two pieces are found too.
#include "search/content_rule.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace findlark {

// How many first bytes tell whether a file without a byte-order mark is UTF-16.
inline constexpr std::size_t kEncodingHeadBytes = 256;

// What the content test says of one file; Stopped when the run ended before the file was read.
// Unreadable: the file could not be opened or read (in use, denied), so it was not searched.
enum class ContentVerdict { Pass, Fail, Stopped, Unreadable };

struct EncodingGuess {
    ContentEncoding encoding = ContentEncoding::Ansi;
    std::size_t markBytes = 0;  // the byte-order mark, which is no content
};

// The encoding of content that starts with `head` (its first bytes, up to kEncodingHeadBytes, or all
// of a shorter file).
EncodingGuess GuessEncoding(const unsigned char* head, std::size_t size);

// Looks for a set of needles in consecutive views of one stream, also across the seams between views.
class NeedleStream {
public:
    // `unit`: 1 for bytes, 2 for UTF-16 code units (a match begins on a whole unit).
    NeedleStream(const std::vector<ContentRule::Needle>& needles, std::size_t unit);
    // `starts`, if given, flags per byte of the view whether a match may begin there. `zeroless`: the
    // view holds no zero byte, so needles that hold one are looked for only across its seam.
    void scan(const unsigned char* view, std::size_t size, const unsigned char* starts, std::uint32_t& found,
              bool zeroless = false);
    bool empty() const { return needles_.empty(); }

private:
    bool occurs(const PhraseFinder& finder, const unsigned char* text, std::size_t size,
                const unsigned char* starts) const;
    void keepTail(const unsigned char* view, std::size_t size, const unsigned char* starts);

    const std::vector<ContentRule::Needle>& needles_;
    std::size_t unit_;
    std::size_t overlap_ = 0;  // the longest needle less one unit
    std::vector<unsigned char> carry_, carryStarts_, window_, windowStarts_;
};

// UTF-16 code units of one byte order, fed in pieces of any length (a unit may be split between two),
// searched up to the first U+0000.
class UnitStream {
public:
    UnitStream(const std::vector<ContentRule::Needle>& needles, bool bigEndian, const CaseFolding* folding);
    // `zeroless`: the piece is known to hold no zero byte.
    void feed(const unsigned char* data, std::size_t size, std::uint32_t& found, bool zeroless = false);
    bool open() const { return !ended_ && !needles_.empty(); }

private:
    void scan(const unsigned char* data, std::size_t size, std::uint32_t& found, bool zeroless);

    NeedleStream needles_;
    bool bigEndian_;
    const CaseFolding* folding_;
    bool ended_ = false;
    std::optional<unsigned char> oddByte_;  // half a code unit from the previous piece
    std::vector<unsigned char> folded_;
};

class ContentScan {
public:
    // `candidates`: "NOT" phrases are left out and phrases without needles taken as found, so a pass
    // says only that the others occur somewhere (whole words and a regular expression's matches are a
    // part of that).
    explicit ContentScan(const ContentRule& rule, bool candidates = false);
    // Takes the next piece; false when no more is needed (the content ended, or the outcome is settled
    // whatever follows).
    bool feed(const unsigned char* data, std::size_t size);
    // The file ended; whether it passes.
    bool finish();

private:
    void decide(const unsigned char* head, std::size_t size);
    void feedBody(const unsigned char* data, std::size_t size);
    // `end`: where the piece's first zero byte is, or `size`.
    void feedBytes(const unsigned char* data, std::size_t size, std::size_t end);
    void markStarts(const unsigned char* data, std::size_t size);
    const unsigned char* foldAnsi(const unsigned char* data, std::size_t size);
    // The piece as folded UTF-8, a character split at its end kept for the next piece.
    const unsigned char* foldUtf8(const unsigned char* data, std::size_t& size, bool last);
    bool wantsMore() const;

    const ContentRule& rule_;
    const CaseFolding* folding_;
    bool heedNot_;
    std::uint32_t found_ = 0;
    bool decided_ = false;
    bool bytesEnded_ = false;  // the plain or UTF-8 content ended at a zero byte
    ContentEncoding encoding_ = ContentEncoding::Ansi;
    std::size_t skip_ = 0;              // byte-order mark bytes still to drop
    std::vector<unsigned char> head_;   // first bytes held until the encoding is known
    std::optional<NeedleStream> main_;  // the forms of a plain or UTF-8 file's encoding
    std::optional<NeedleStream> utf8_;  // in a plain file: the UTF-8 forms
    // A UTF-16 file's units; in a file without a mark also both UTF-16 forms, wherever they are:
    // UTF-16 text in other scripts has no zero bytes that would tell its shape.
    std::vector<UnitStream> units_;
    std::vector<unsigned char> starts_;
    bool trailPending_ = false;  // the previous piece ended on a lead byte
    std::vector<unsigned char> folded_;
    std::string utf8Pending_, utf8Folded_;
};

}  // namespace findlark
