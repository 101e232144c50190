// The match locator, fed in pieces of every size, against a reference that decodes the whole content
// first, splits it into lines and searches each line plainly.
#include "fuzz_targets.h"

#include "search/match_locator.h"
#include "search/regex_literal.h"
#include "support/latin1.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace findlark;

using testing_support::FromLatin1;

struct ReferenceLine {
    std::uint64_t number;
    std::vector<PreviewMark> marks;
    bool operator==(const ReferenceLine&) const = default;
};

// The content's lines: the encoding told by a mark or by the shape, plain content up to its first
// zero byte, UTF-16 up to its first U+0000; a plain line is UTF-8 when it is valid UTF-8, else Latin-1.
std::vector<std::u16string> Lines(const std::string& file, bool& binary, bool& exact) {
    const auto* head = reinterpret_cast<const unsigned char*>(file.data());
    const EncodingGuess guess = GuessEncoding(head, std::min(file.size(), kEncodingHeadBytes));
    const bool units = guess.encoding == ContentEncoding::Utf16LE || guess.encoding == ContentEncoding::Utf16BE;
    binary = !units && file.substr(0, kBinaryHeadBytes).find('\0') != std::string::npos;
    std::u16string text;
    if (units) {
        const bool big = guess.encoding == ContentEncoding::Utf16BE;
        for (std::size_t i = guess.markBytes; i + 1 < file.size(); i += 2) {
            const auto unit = static_cast<char16_t>(big ? head[i] << 8 | head[i + 1] : head[i + 1] << 8 | head[i]);
            if (unit == 0) break;
            text.push_back(unit);
        }
    } else {
        std::string bytes = file.substr(guess.markBytes);
        bytes = bytes.substr(0, bytes.find('\0'));
        text.assign(bytes.begin(), bytes.end());  // each byte a unit for now: line ends are ASCII
    }
    std::vector<std::u16string> lines;
    std::u16string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(text[i]);
        }
    }
    if (!line.empty()) lines.push_back(line);
    exact = true;
    if (!units) {
        for (std::u16string& each : lines) {
            const std::string bytes(each.begin(), each.end());
            std::u16string decoded;
            if (DecodeUtf8(bytes, decoded)) {
                each = decoded;
            } else if (guess.encoding == ContentEncoding::Utf8) {
                exact = false;  // shown with U+FFFD for each invalid byte, which this reference does not make
            } else {
                each = FromLatin1(bytes);
            }
        }
    }
    return lines;
}

std::u16string ToUpperAscii(std::u16string text) {
    for (char16_t& c : text) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    return text;
}

// The phrase's bytes as an expression of their own: every match must hold the literal part that
// candidates are looked for by, or files that match would be passed over.
void RawPatternKeepsItsLiteral(const std::u16string& pattern, const std::vector<std::u16string>& lines) {
    std::optional<TextRegex> regex;
    try {
        regex.emplace(std::wstring(pattern.begin(), pattern.end()), nullptr);
    } catch (const RegexError&) {
        return;
    }
    const std::u16string literal = RequiredLiteral(pattern);
    for (const std::u16string& line : lines) {
        bool gaveUp = false;
        for (const PreviewMark& mark : regex->findAll(std::wstring(line.begin(), line.end()), gaveUp)) {
            if (line.substr(mark.begin, mark.length).find(literal) == std::u16string::npos) std::abort();
        }
    }
}

}  // namespace

int FuzzLocate(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::size_t piece = 1 + data[0];
    const std::uint8_t flags = data[1];
    static const CaseFolding folding = FuzzFolding();
    const CaseFolding* fold = flags & 1 ? &folding : nullptr;
    const std::size_t length = std::min<std::size_t>(data[2] % 6, size - 3);
    std::u16string phrase;
    for (std::size_t k = 0; k < length; ++k) phrase.push_back(data[3 + k]);
    static const std::string kStarts[] = {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"};
    std::string file = kStarts[(flags >> 1) & 3];
    file.append(reinterpret_cast<const char*>(data + 3 + length), size - 3 - length);
    if (flags & 8) {  // UTF-16 by its shape
        std::string spread;
        for (const char c : file) spread += std::string{c, '\0'};
        file = spread;
    }

    // Flag 64: whole words; flag 128: the phrase as a regular expression that quotes it, which must
    // find what the plain search finds.
    static const WordCharacters words = AsciiWordCharacters();
    const WordCharacters* wholeWords = flags & 64 ? &words : nullptr;
    const bool regular = (flags & 128) != 0;
    if (regular && (phrase.empty() || phrase.find(u"\\E") != std::u16string::npos)) return 0;
    std::string ansi(phrase.begin(), phrase.end());
    const std::u16string pattern = regular ? u"\\Q" + phrase + u"\\E" : phrase;
    const ContentRule rule({{TextAnd, pattern, ansi}}, LeadBytes{}, fold, regular, wholeWords);
    PreviewLimits limits;
    limits.contextLines = (flags >> 4) & 3;
    limits.matchingLines = SIZE_MAX;
    limits.lineUnits = SIZE_MAX;
    MatchLocator locator(&rule, limits, FromLatin1);
    for (std::size_t from = 0; from < file.size(); from += piece) {
        if (!locator.feed(reinterpret_cast<const unsigned char*>(file.data() + from), std::min(piece, file.size() - from))) break;
    }
    locator.finish();

    bool binary = false, exact = true;
    const std::vector<std::u16string> lines = Lines(file, binary, exact);
    if (regular) RawPatternKeepsItsLiteral(phrase, lines);
    // Whole words and expressions are looked for only in files the plain scan takes as candidates: it
    // must take every file the locator finds them in. (A UTF-8 letter whose capital is ASCII, "ı" or
    // "ſ", is folded by the locator only, as the plain search has always done.)
    if (!binary && (locator.phrasesFound() & 1) &&
        !(fold && ToUpperAscii(phrase).find_first_of(u"IS") != std::u16string::npos &&
          file.find_first_of("\xC4\xC5") != std::string::npos)) {
        ContentScan scan(rule, true);
        for (std::size_t from = 0; from < file.size(); from += piece) {
            if (!scan.feed(reinterpret_cast<const unsigned char*>(file.data() + from), std::min(piece, file.size() - from))) break;
        }
        if (!scan.finish()) std::abort();
    }
    if (locator.binary() != binary) std::abort();
    if (binary) {
        if (!locator.lines().empty()) std::abort();
        return 0;
    }
    std::u16string needle = phrase;
    if (fold) {
        for (char16_t& c : needle) c = fold->unit(c);
    }
    std::vector<ReferenceLine> expected;
    std::uint64_t matches = 0;
    for (std::size_t n = 0; n < lines.size() && !needle.empty(); ++n) {
        std::u16string line = lines[n];
        if (fold) {
            for (char16_t& c : line) c = fold->unit(c);
        }
        std::vector<PreviewMark> marks;
        for (auto at = line.find(needle); at != std::u16string::npos;) {
            if (wholeWords && !words.standsAlone(lines[n], at, needle.size())) {
                at = line.find(needle, at + 1);
                continue;
            }
            marks.push_back({at, needle.size()});
            at = line.find(needle, at + needle.size());
        }
        matches += marks.size();
        if (!marks.empty()) expected.push_back({n + 1, marks});
    }
    // Shown: the matching lines and, around each, the lines of context; marks on the matching ones.
    std::vector<ReferenceLine> found;
    std::vector<std::uint64_t> shown, expectedShown;
    for (const PreviewLine& line : locator.lines()) {
        shown.push_back(line.number);
        if (line.matching) found.push_back({line.number, line.marks});
        if (!line.matching && !line.marks.empty()) std::abort();
    }
    for (std::uint64_t n = 1; n <= lines.size(); ++n) {
        for (const ReferenceLine& match : expected) {
            if (n + limits.contextLines >= match.number && n <= match.number + limits.contextLines) {
                expectedShown.push_back(n);
                break;
            }
        }
    }
    if (exact && shown != expectedShown) std::abort();
    if (exact && (locator.matches() != matches || found != expected)) std::abort();
    if (locator.matchingLines() != found.size()) std::abort();
    return 0;
}
