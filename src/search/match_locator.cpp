#include "search/match_locator.h"

#include <algorithm>
#include <cstring>

namespace findlark {
namespace {

// A line in hand longer than this is taken in parts, so that one huge line never holds the file.
constexpr std::size_t kLinePartBytes = 1 << 20;
constexpr char16_t kEllipsis = u'\u2026';

bool AllAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Invalid bytes become U+FFFD each: a file marked as UTF-8 is shown as it is.
std::u16string DecodeUtf8Leniently(std::string_view bytes) {
    std::u16string out;
    std::u16string one;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
        if (i + length <= bytes.size() && DecodeUtf8(bytes.substr(i, length), one)) {
            out += one;
            i += length;
        } else {
            out.push_back(u'\uFFFD');
            ++i;
        }
    }
    return out;
}

// A long line's part around its first mark, with the marks moved along and those outside dropped.
void CutAround(std::u16string& text, std::vector<PreviewMark>& marks, std::size_t limit) {
    if (text.size() <= limit) return;
    const std::size_t center = marks.empty() ? 0 : marks.front().begin;
    std::size_t start = center > limit / 2 ? center - limit / 2 : 0;
    start = std::min(start, text.size() - limit);
    const std::size_t end = start + limit;
    std::u16string part;
    if (start > 0) part.push_back(kEllipsis);
    const std::size_t shift = part.size();
    part.append(text, start, limit);
    if (end < text.size()) part.push_back(kEllipsis);
    std::vector<PreviewMark> kept;
    for (const PreviewMark& mark : marks) {
        if (mark.begin >= end || mark.begin + mark.length <= start) continue;
        const std::size_t begin = std::max(mark.begin, start), stop = std::min(mark.begin + mark.length, end);
        kept.push_back({begin - start + shift, stop - begin});
    }
    text = std::move(part);
    marks = std::move(kept);
}

// UTF-16 text in other scripts has no shape the content test could tell, but its line breaks do.
std::optional<ContentEncoding> Utf16Shape(const std::vector<unsigned char>& head) {
    bool zeroLow[2] = {false, false}, lineBreak[2] = {false, false};  // [0]: little-endian units
    for (std::size_t i = 0; i + 1 < head.size(); i += 2) {
        const unsigned char first = head[i], second = head[i + 1];
        zeroLow[0] = zeroLow[0] || first == 0;
        zeroLow[1] = zeroLow[1] || second == 0;
        lineBreak[0] = lineBreak[0] || (second == 0 && (first == '\n' || first == '\r'));
        lineBreak[1] = lineBreak[1] || (first == 0 && (second == '\n' || second == '\r'));
    }
    if (!zeroLow[0] && lineBreak[0]) return ContentEncoding::Utf16LE;
    if (!zeroLow[1] && lineBreak[1]) return ContentEncoding::Utf16BE;
    return std::nullopt;
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u16string& out) {
    out.clear();
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t c = 0, least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) length = 2, c = lead & 0x1F, least = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF) length = 3, c = lead & 0x0F, least = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4) length = 4, c = lead & 0x07, least = 0x10000;
        else return false;
        if (i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += length;
    }
    return true;
}

MatchLocator::MatchLocator(const ContentRule* rule, PreviewLimits limits, AnsiDecoder ansi,
                           std::optional<ContentEncoding> utf16)
    : rule_(rule), limits_(limits), ansi_(std::move(ansi)), forced_(utf16) {
    if (!rule_) return;
    std::vector<std::u16string_view> probed;  // what a line must hold to be a candidate
    for (std::size_t i = 0; i < rule_->phraseCount(); ++i) {
        const bool marked = i == 0 || rule_->phraseOperator(i) != TextNot;
        if (rule_->regular()) {
            if (rule_->phraseRegex(i)) probed.push_back(rule_->phraseLiteral(i));
        } else if (!rule_->phraseUnits(i).empty()) {
            phrases_.push_back({i, rule_->phraseUnits(i), marked});
            probed.push_back(rule_->phraseUnits(i));
        }
    }
    // Each phrase's longest ASCII run, which its every form holds as it is; without one, no line is skipped.
    for (const std::u16string_view units : probed) {
        std::string longest, run;
        for (const char16_t c : units) {
            run = c < 0x80 && c != 0 ? run + static_cast<char>(c) : std::string();
            if (run.size() > longest.size()) longest = run;
        }
        if (longest.empty()) {
            probes_.clear();
            break;
        }
        probesHoldIOrS_ = probesHoldIOrS_ || longest.find_first_of("IS") != std::string::npos;
        const CaseFolding* folding = rule_->folding();
        probes_.emplace_back(std::move(longest), folding ? &folding->ansi : nullptr);
    }
}

bool MatchLocator::wantsMore() const {
    if (ended_ || full_) return false;
    return !binary_ || std::any_of(phrases_.begin(), phrases_.end(), [](const Phrase& phrase) { return phrase.marked; });
}

bool MatchLocator::feed(const unsigned char* data, std::size_t size) {
    bytes_ += size;
    if (!decided_) {
        const std::size_t take = std::min(size, kBinaryHeadBytes - head_.size());
        head_.insert(head_.end(), data, data + take);
        data += take;
        size -= take;
        if (head_.size() < kBinaryHeadBytes) return true;
        decide();
    }
    if (wantsMore()) feedBody(data, size);
    return wantsMore();
}

void MatchLocator::finish() {
    if (!decided_) decide();
    if (binary_ || finished_) return;
    finished_ = ended_ = true;
    oddByte_ = -1;  // half a code unit is none
    if (!full_ && (!lineBytes_.empty() || !lineUnits_.empty() || partOfLine_)) takeLine(true);
}

void MatchLocator::decide() {
    decided_ = true;
    const EncodingGuess guess = GuessEncoding(head_.data(), std::min(head_.size(), kEncodingHeadBytes));
    encoding_ = forced_ ? *forced_ : guess.encoding;
    skip_ = forced_ ? 0 : guess.markBytes;
    const bool units = encoding_ == ContentEncoding::Utf16LE || encoding_ == ContentEncoding::Utf16BE;
    binary_ = !units && !limits_.binaryAsText && !head_.empty() && std::memchr(head_.data(), 0, head_.size()) != nullptr;
    if (binary_) utf16Shape_ = Utf16Shape(head_);
    if (binary_ && rule_) {
        for (const auto* needles : {&rule_->ansiNeedles(), &rule_->ansiUtf8Needles(), &rule_->utf16Needles(false),
                                    &rule_->utf16Needles(true)}) {
            for (const ContentRule::Needle& needle : *needles) {
                if (needle.phrase == 0 || rule_->phraseOperator(needle.phrase) != TextNot)
                    overlap_ = std::max(overlap_, needle.finder.size() - 1);
            }
        }
    }
    std::vector<unsigned char> head;
    head.swap(head_);
    if (wantsMore()) feedBody(head.data(), head.size());
}

void MatchLocator::feedBody(const unsigned char* data, std::size_t size) {
    const std::size_t dropped = std::min(skip_, size);
    skip_ -= dropped;
    data += dropped;
    size -= dropped;
    if (size == 0) return;
    if (binary_) {
        countBinary(data, size);
    } else if (encoding_ == ContentEncoding::Utf16LE || encoding_ == ContentEncoding::Utf16BE) {
        feedUnits(data, size);
    } else {
        feedBytes(data, size);
    }
}

// Each needle's occurrences, those that begin in the previous piece's tail included, over bytes
// folded by the ANSI table (exact for the ASCII letters of every form).
void MatchLocator::countBinary(const unsigned char* data, std::size_t size) {
    const CaseFolding* folding = rule_->folding();
    std::string piece(reinterpret_cast<const char*>(data), size);
    if (folding) {
        for (char& c : piece) c = static_cast<char>(folding->ansi[static_cast<unsigned char>(c)]);
    }
    const std::string window = carry_ + piece.substr(0, std::min(overlap_, piece.size()));
    const auto count = [&](const std::string& text, std::size_t startsBefore) {
        for (const auto* needles : {&rule_->ansiNeedles(), &rule_->ansiUtf8Needles(), &rule_->utf16Needles(false),
                                    &rule_->utf16Needles(true)}) {
            for (const ContentRule::Needle& needle : *needles) {
                if (needle.phrase != 0 && rule_->phraseOperator(needle.phrase) == TextNot) continue;
                const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
                for (const unsigned char* at = begin; (at = needle.finder.find(at, text.size() - static_cast<std::size_t>(at - begin))); ++at) {
                    if (static_cast<std::size_t>(at - begin) >= startsBefore) break;
                    ++matches_;
                }
            }
        }
    };
    count(window, carry_.size());
    count(piece, piece.size());
    carry_ = (carry_ + piece).substr((carry_.size() + piece.size()) - std::min(overlap_, carry_.size() + piece.size()));
}

// Lines that cannot hold a phrase are only counted, never decoded: the phrases' ASCII parts are looked
// for in the piece as the content scan looks for phrases, and only the lines around a candidate (and
// the context before it) are taken one by one.
class MatchLocator::QuietLines {
public:
    QuietLines(MatchLocator& locator, const unsigned char* data, std::size_t size) : locator_(locator), data_(data) {
        if (locator_.probes_.empty()) return;
        const unsigned char* last = nullptr;
        for (std::size_t i = size; i > 0; --i) {
            if (data[i - 1] == '\n') {
                last = data + i;
                break;
            }
        }
        if (!last) return;
        end_ = static_cast<std::size_t>(last - data);
        // Capitals by the ANSI table; a UTF-8 letter whose capital is ASCII (dotless i, long s) is not
        // folded so, hence no skipping where one could hide.
        if (locator_.rule_->folding() && locator_.probesHoldIOrS_ && AnyHighByte(data, end_)) end_ = 0;
    }

    // From a line start: where the lines to take one by one begin, after those only counted.
    std::size_t skip(std::size_t at) {
        if (at >= end_) return at;
        if (!searched_ || candidate_ < at) {
            searched_ = true;
            candidate_ = end_;
            for (const FoldedProbe& probe : locator_.probes_) {
                if (const unsigned char* found = probe.find(data_ + at, candidate_ - at))
                    candidate_ = static_cast<std::size_t>(found - data_);
            }
        }
        // The candidate's line and the context before it are taken; without a candidate, the
        // piece's last lines, which may be context for what follows.
        const auto lineStart = [&](std::size_t position) {
            while (position > at && data_[position - 1] != '\n') --position;
            return position;
        };
        std::size_t stop = candidate_ == end_ ? end_ : lineStart(candidate_);
        for (unsigned i = 0; i < locator_.limits_.contextLines && stop > at; ++i) stop = lineStart(stop - 1);
        if (stop <= at) return at;
        const unsigned char* begin = data_ + at;
        const unsigned char* finish = data_ + stop;
        // A lone CR ends a line too: such text is taken one line at a time.
        const LineBreaks breaks = CountLineBreaks(begin, finish);
        if (breaks.loneCr) return at;
        locator_.lineNumber_ += breaks.lineFeeds;
        locator_.before_.clear();
        return stop;
    }

private:
    MatchLocator& locator_;
    const unsigned char* data_;
    std::size_t end_ = 0;  // after the piece's last LF: the lines it holds whole
    bool searched_ = false;
    std::size_t candidate_ = 0;  // where a probe occurs next, or end_
};

// Plain and UTF-8 content ends at its first zero byte, as the content test's does.
void MatchLocator::feedBytes(const unsigned char* data, std::size_t size) {
    if (const void* zero = std::memchr(data, 0, size)) {
        size = static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - data);
        ended_ = endedAtZero_ = true;
    }
    std::size_t at = 0;
    if (afterCr_ && size > 0) {
        if (data[0] == '\n') at = 1;
        afterCr_ = false;
    }
    QuietLines quiet(*this, data, size);
    while (at < size && !full_) {
        if (lineBytes_.empty() && !partOfLine_ && contextAfter_ == 0) at = quiet.skip(at);
        if (at >= size) break;
        const unsigned char* start = data + at;
        const auto* end = std::find_if(start, data + size, [](unsigned char c) { return c == '\n' || c == '\r'; });
        lineBytes_.append(reinterpret_cast<const char*>(start), static_cast<std::size_t>(end - start));
        at = static_cast<std::size_t>(end - data);
        if (at == size) {
            if (lineBytes_.size() >= kLinePartBytes) takeLine(false);
            break;
        }
        const bool cr = data[at] == '\r';
        ++at;
        if (cr) {
            if (at < size && data[at] == '\n') ++at;
            else if (at == size) afterCr_ = true;
        }
        takeLine(true);
    }
    if (ended_ && !full_) finish();
}

// UTF-16 content ends at its first U+0000.
void MatchLocator::feedUnits(const unsigned char* data, std::size_t size) {
    const bool bigEndian = encoding_ == ContentEncoding::Utf16BE;
    const auto unitAt = [&](unsigned char first, unsigned char second) {
        return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    std::size_t at = 0;
    const auto next = [&](char16_t& unit) {
        if (oddByte_ >= 0) {
            unit = unitAt(static_cast<unsigned char>(oddByte_), data[at++]);
            oddByte_ = -1;
            return true;
        }
        if (at + 2 > size) {
            if (at < size) oddByte_ = data[at++];
            return false;
        }
        unit = unitAt(data[at], data[at + 1]);
        at += 2;
        return true;
    };
    char16_t unit = 0;
    while (!full_ && next(unit)) {
        if (unit == 0) {
            ended_ = true;
            break;
        }
        if (afterCr_) {
            afterCr_ = false;
            if (unit == u'\n') continue;
        }
        if (unit == u'\n' || unit == u'\r') {
            afterCr_ = unit == u'\r';
            takeLine(true);
        } else {
            lineUnits_.push_back(unit);
            if (lineUnits_.size() * 2 >= kLinePartBytes) takeLine(false);
        }
    }
    if (ended_ && !full_) finish();
}

void MatchLocator::takeLine(bool ends) {
    std::u16string text;
    if (encoding_ == ContentEncoding::Utf16LE || encoding_ == ContentEncoding::Utf16BE) {
        text.swap(lineUnits_);
    } else if (encoding_ == ContentEncoding::Utf8) {
        text = DecodeUtf8Leniently(lineBytes_);
    } else if (AllAscii(lineBytes_)) {
        text.assign(lineBytes_.begin(), lineBytes_.end());
    } else if (!DecodeUtf8(lineBytes_, text)) {
        // A plain file's phrases are looked for in ANSI and in UTF-8: a line that is UTF-8 reads as that.
        text = ansi_ ? ansi_(lineBytes_) : std::u16string(lineBytes_.begin(), lineBytes_.end());
    }
    lineBytes_.clear();
    takeText(std::move(text), ends);
}

// Each phrase's matches in the line; those of "AND" and "OR" phrases are marked and counted.
std::vector<PreviewMark> MatchLocator::findRegular(std::u16string_view text, bool& matched) {
    std::vector<PreviewMark> marks;
    const std::wstring line(text.begin(), text.end());
    TextRegex::Accept alone;
    if (const WordCharacters* words = rule_->wholeWords())
        alone = [words, text](std::size_t begin, std::size_t length) { return words->standsAlone(text, begin, length); };
    for (std::size_t i = 0; i < rule_->phraseCount(); ++i) {
        const TextRegex* regex = rule_->phraseRegex(i);
        if (!regex) continue;
        const std::vector<PreviewMark> found = regex->findAll(line, gaveUp_, alone);
        if (found.empty()) continue;
        found_ |= 1u << i;
        if (i != 0 && rule_->phraseOperator(i) == TextNot) continue;
        matched = true;
        matches_ += found.size();
        for (const PreviewMark& mark : found) {
            if (mark.length > 0) marks.push_back(mark);  // an empty match is a match, with nothing to mark
        }
    }
    return marks;
}

std::vector<PreviewMark> MatchLocator::find(std::u16string_view text, bool& matched) {
    std::vector<PreviewMark> marks;
    if (rule_->regular()) {
        marks = findRegular(text, matched);
    } else {
        const std::u16string_view original = text;
        if (const CaseFolding* folding = rule_->folding(); folding && !phrases_.empty()) {
            folded_.resize(text.size());
            std::transform(text.begin(), text.end(), folded_.begin(), [folding](char16_t c) { return folding->unit(c); });
            text = folded_;
        }
        const WordCharacters* words = rule_->wholeWords();
        for (const Phrase& phrase : phrases_) {
            const std::size_t length = phrase.units.size();
            // A whole word may begin inside an occurrence refused ("aa" in "aaa aa"); others may not overlap.
            for (std::size_t at = text.find(phrase.units); at != std::u16string_view::npos;) {
                if (words && !words->standsAlone(original, at, length)) {
                    at = text.find(phrase.units, at + 1);
                    continue;
                }
                found_ |= 1u << phrase.index;
                if (!phrase.marked) break;
                marks.push_back({at, length});
                at = text.find(phrase.units, at + length);
            }
        }
        matches_ += marks.size();
        matched = !marks.empty();
    }
    std::sort(marks.begin(), marks.end(), [](const PreviewMark& a, const PreviewMark& b) { return a.begin < b.begin; });
    // Overlapping occurrences of two phrases are one mark.
    std::vector<PreviewMark> merged;
    for (const PreviewMark& mark : marks) {
        if (!merged.empty() && mark.begin < merged.back().begin + merged.back().length) {
            PreviewMark& last = merged.back();
            last.length = std::max(last.begin + last.length, mark.begin + mark.length) - last.begin;
        } else {
            merged.push_back(mark);
        }
    }
    return merged;
}

void MatchLocator::keep(std::u16string text, std::vector<PreviewMark> marks, bool matching) {
    CutAround(text, marks, limits_.lineUnits);
    PreviewLine line{lineNumber_, std::move(text), std::move(marks), matching, false};
    line.gapBefore = lastKept_ != 0 && line.number > lastKept_ + 1;
    lastKept_ = line.number;
    lines_.push_back(std::move(line));
}

void MatchLocator::takeText(std::u16string text, bool ends) {
    const bool firstPart = !partOfLine_;
    if (!rule_) {
        if (firstPart) keep(std::move(text), {}, false);
        full_ = ends && lines_.size() >= limits_.firstLines;
    } else {
        bool matched = false;
        std::vector<PreviewMark> marks = find(text, matched);
        if (matched && !lineCounted_) {
            lineCounted_ = true;
            ++matchingLines_;
        }
        if (matched && !lineKept_) {
            if (keptMatching_ < limits_.matchingLines) {
                ++keptMatching_;
                for (PreviewLine& line : before_) {
                    if (line.number == lineNumber_) continue;  // this line's own first part
                    line.gapBefore = lastKept_ != 0 && line.number > lastKept_ + 1;
                    lastKept_ = line.number;
                    lines_.push_back(std::move(line));
                }
                before_.clear();
                keep(std::move(text), std::move(marks), true);
                lineKept_ = true;
                contextAfter_ = limits_.contextLines;
            } else {
                moreNotShown_ = true;
            }
        } else if (firstPart && !lineKept_ && !moreNotShown_) {
            if (contextAfter_ > 0) {
                keep(std::move(text), {}, false);
                lineKept_ = true;
                --contextAfter_;
            } else if (limits_.contextLines > 0) {
                std::vector<PreviewMark> none;
                CutAround(text, none, limits_.lineUnits);
                before_.push_back({lineNumber_, std::move(text), {}, false, false});
                if (before_.size() > limits_.contextLines) before_.pop_front();
            }
        }
    }
    partOfLine_ = !ends;
    if (ends) {
        ++lineNumber_;
        lineKept_ = lineCounted_ = false;
    }
}

}  // namespace findlark
