#pragma once
// Where a file's content matched: fed the same pieces the content test reads, it tells the encoding
// the same way, splits the text into lines (LF, CR LF or CR), and keeps the lines that hold a phrase
// with their context and every occurrence marked, or, without phrases, the first lines. Phrases are
// compared as the content test compares them: by the same capitals, within the same end of content.
#include "model/preview_line.h"
#include "search/content_rule.h"
#include "search/content_scan.h"
#include "search/folded_probe.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

// A zero byte this early in a file that is not UTF-16 makes it binary.
inline constexpr std::size_t kBinaryHeadBytes = 8192;

struct PreviewLimits {
    unsigned contextLines = 2;
    std::size_t matchingLines = 1000;  // shown; the rest are only counted
    std::size_t firstLines = 200;      // shown without phrases
    std::size_t lineUnits = 2000;      // a longer line is cut around its first mark
    bool binaryAsText = false;         // the content test: a zero byte only ends the text
};

// Text of the ANSI code page in UTF-16.
using AnsiDecoder = std::function<std::u16string(std::string_view)>;

class MatchLocator {
public:
    // `rule` null: no phrases, the first lines are kept. `utf16`: the content is read as UTF-16 units
    // of that order from its first byte, whatever its first bytes say (the content test also looks for
    // such text in a file without a mark).
    MatchLocator(const ContentRule* rule, PreviewLimits limits, AnsiDecoder ansi,
                 std::optional<ContentEncoding> utf16 = std::nullopt);
    // Takes the next piece; false when no more is needed.
    bool feed(const unsigned char* data, std::size_t size);
    // The content ended: the last line counts too.
    void finish();

    bool binary() const { return binary_; }
    // A binary file whose first bytes read as UTF-16 text without a mark: zero bytes only in the high
    // halves of that order's units, and a line break among them. Nothing otherwise.
    std::optional<ContentEncoding> utf16Shape() const { return utf16Shape_; }
    ContentEncoding encoding() const { return encoding_; }
    // Kept lines, in order; it only grows.
    const std::vector<PreviewLine>& lines() const { return lines_; }
    std::uint64_t matches() const { return matches_; }
    std::uint64_t matchingLines() const { return matchingLines_; }
    bool moreNotShown() const { return moreNotShown_; }
    // Which phrases occurred (a bit per phrase, "NOT" phrases too), for regular expressions; and
    // whether the engine gave up on a line, so that a phrase may have gone unseen.
    std::uint32_t phrasesFound() const { return found_; }
    bool gaveUp() const { return gaveUp_; }
    // Plain or UTF-8 content ended at a zero byte before the file did.
    bool endedAtZero() const { return endedAtZero_; }
    std::uint64_t bytes() const { return bytes_; }

private:
    class QuietLines;
    void decide();
    void feedBody(const unsigned char* data, std::size_t size);
    void feedBytes(const unsigned char* data, std::size_t size);
    void feedUnits(const unsigned char* data, std::size_t size);
    void countBinary(const unsigned char* data, std::size_t size);
    // The line in hand is complete (`ends`), or long enough to be taken as one part of it.
    void takeLine(bool ends);
    void takeText(std::u16string text, bool ends);
    std::vector<PreviewMark> find(std::u16string_view text, bool& matched);
    std::vector<PreviewMark> findRegular(std::u16string_view text, bool& matched);
    void keep(std::u16string text, std::vector<PreviewMark> marks, bool matching);
    bool wantsMore() const;

    const ContentRule* rule_;
    PreviewLimits limits_;
    AnsiDecoder ansi_;
    std::optional<ContentEncoding> forced_;
    struct Phrase {
        std::size_t index;
        std::u16string_view units;
        bool marked;  // "AND" and "OR" phrases; "NOT" ones are only noted as found
    };
    std::vector<Phrase> phrases_;
    std::vector<FoldedProbe> probes_;  // their ASCII parts; empty when a phrase has none
    bool probesHoldIOrS_ = false;
    std::uint64_t bytes_ = 0;
    bool decided_ = false, binary_ = false, ended_ = false, finished_ = false, full_ = false;
    ContentEncoding encoding_ = ContentEncoding::Ansi;
    std::optional<ContentEncoding> utf16Shape_;
    std::size_t skip_ = 0;
    std::vector<unsigned char> head_;
    // The line in hand: raw bytes, or code units of a UTF-16 file.
    std::string lineBytes_;
    std::u16string lineUnits_;
    bool afterCr_ = false;  // a CR ended the previous line: an LF that follows belongs to it
    int oddByte_ = -1;      // half a code unit from the previous piece
    std::uint64_t lineNumber_ = 1;
    bool partOfLine_ = false;      // the line in hand continues one taken in parts
    bool lineKept_ = false, lineCounted_ = false;
    std::uint64_t lastKept_ = 0;   // number of the last kept line
    unsigned contextAfter_ = 0;    // lines of context still to keep after a match
    std::deque<PreviewLine> before_;
    std::u16string folded_;
    std::vector<PreviewLine> lines_;
    std::size_t keptMatching_ = 0;
    std::uint32_t found_ = 0;
    bool gaveUp_ = false, endedAtZero_ = false;
    std::uint64_t matches_ = 0, matchingLines_ = 0;
    bool moreNotShown_ = false;
    std::vector<std::string> binaryNeedles_;
    std::string carry_;
    std::size_t overlap_ = 0;
};

// UTF-8 to UTF-16; false, and nothing certain in `out`, when the bytes are no strict UTF-8.
bool DecodeUtf8(std::string_view bytes, std::u16string& out);

}  // namespace findlark
