#include "search/content_rule.h"

#include "search/regex_literal.h"

#include <algorithm>
#include <cstring>

namespace findlark {

int ByteCommonness(unsigned char b) {
    if (b == 0) return 10;
    if (b == ' ' || b == 'e' || b == 't' || b == 'a' || b == 'o' || b == 'i' || b == 'n') return 9;
    if (b == 's' || b == 'r' || b == 'h' || b == 'l' || b == 'd' || b == '\n' || b == '\r') return 8;
    if (b >= 'a' && b <= 'z') return 6;
    if (b >= '0' && b <= '9') return 5;
    if (b == ',' || b == '.' || b == '_' || b == '(' || b == ')' || b == ';' || b == '=' || b == '"') return 5;
    if (b >= 'A' && b <= 'Z') return 4;
    if (b < 0x80) return 3;
    return 2;
}

namespace {

// Code units as bytes, in the order a file of that kind holds them.
std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        const auto low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

std::u16string FoldUnits(std::u16string text, const CaseFolding& folding) {
    for (char16_t& unit : text) unit = folding.unit(unit);
    return text;
}

// ANSI bytes by their capitals; in a double-byte code page only bytes that start a character.
std::string FoldAnsi(std::string bytes, const LeadBytes& lead, const CaseFolding& folding) {
    bool trail = false;
    for (char& c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!trail) c = static_cast<char>(folding.ansi[b]);
        trail = !trail && lead[b];
    }
    return bytes;
}

bool BeyondAscii(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= 0x80; });
}

}  // namespace

std::string FoldUtf8(std::string_view text, const CaseFolding& folding) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        // Only two- and three-byte characters of the basic plane have capitals in the table.
        const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : 1;
        bool whole = length > 1 && i + length <= text.size();
        char32_t c = length == 2 ? lead & 0x1F : lead & 0x0F;
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (length == 1 || !whole || c < 0x80 || (length == 3 && c < 0x800) || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(static_cast<char>(length == 1 && lead < 0x80 ? folding.unit(lead) : lead));
            ++i;
            continue;
        }
        AppendUtf8(folding.unit(static_cast<char16_t>(c)), out);
        i += length;
    }
    return out;
}

// memchr finds candidates for the phrase's rarest byte at memory speed; memcmp confirms them.
PhraseFinder::PhraseFinder(std::string phrase)
    : phrase_(std::move(phrase)), holdsZero_(phrase_.find('\0') != std::string::npos) {
    for (std::size_t i = 1; i < phrase_.size(); ++i) {
        if (ByteCommonness(static_cast<unsigned char>(phrase_[i])) <
            ByteCommonness(static_cast<unsigned char>(phrase_[anchor_])))
            anchor_ = i;
    }
}

const unsigned char* PhraseFinder::find(const unsigned char* text, std::size_t size) const {
    const std::size_t length = phrase_.size();
    if (length == 0 || size < length) return nullptr;
    const auto anchorByte = static_cast<unsigned char>(phrase_[anchor_]);
    const unsigned char* const lastStart = text + (size - length);
    for (const unsigned char* at = text + anchor_; at <= lastStart + anchor_;) {
        at = static_cast<const unsigned char*>(
            std::memchr(at, anchorByte, static_cast<std::size_t>(lastStart + anchor_ - at) + 1));
        if (!at) return nullptr;
        const unsigned char* const start = at - anchor_;
        if (std::memcmp(start, phrase_.data(), length) == 0) return start;
        ++at;
    }
    return nullptr;
}

ContentRule::ContentRule(std::vector<ContentPhrase> phrases, const LeadBytes& leadBytes, const CaseFolding* folding,
                         bool regular, const WordCharacters* wholeWords)
    : leadBytes_(leadBytes) {
    regular_ = regular;
    if (folding) folding_ = std::make_shared<const CaseFolding>(*folding);
    if (wholeWords) words_ = std::make_shared<const WordCharacters>(*wholeWords);
    doubleByte_ = std::any_of(leadBytes_.begin(), leadBytes_.end(), [](bool lead) { return lead; });
    if (regular_) {
        for (std::size_t i = 0; i < phrases.size(); ++i) {
            const ContentPhrase& phrase = phrases[i];
            ops_.push_back(phrase.op);
            units_.emplace_back();
            auto& regex = regexes_.emplace_back();
            std::u16string& literal = literals_.emplace_back();
            if (phrase.text.empty()) continue;
            regex.emplace(std::wstring(phrase.text.begin(), phrase.text.end()), folding_.get());
            literal = RequiredLiteral(phrase.text);
            if (folding_) literal = FoldUnits(literal, *folding_);
            if (literal.empty()) {
                unneedled_ |= 1u << i;
                continue;
            }
            // ASCII is the same in every byte form; a letter whose capital is ASCII ("ı", "ſ") is found
            // in UTF-8 only through the folded UTF-8 form.
            const std::string bytes(literal.begin(), literal.end());
            ansi_.push_back({i, PhraseFinder(bytes)});
            if (folding_ && bytes.find_first_of("IS") != std::string::npos) ansiUtf8_.push_back({i, PhraseFinder(bytes)});
            utf8_.push_back({i, PhraseFinder(bytes)});
            utf16LE_.push_back({i, PhraseFinder(Utf16Bytes(literal, false))});
            utf16BE_.push_back({i, PhraseFinder(Utf16Bytes(literal, true))});
        }
        return;
    }
    // An empty phrase is never found: it has no needle.
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        const ContentPhrase& phrase = phrases[i];
        ops_.push_back(phrase.op);
        literals_.emplace_back();
        const std::u16string& units = units_.emplace_back(folding_ ? FoldUnits(phrase.text, *folding_) : phrase.text);
        if (phrase.text.empty()) continue;
        const std::string utf8 = Utf8Of(units);
        if (phrase.ansi) ansi_.push_back({i, PhraseFinder(folding_ ? FoldAnsi(*phrase.ansi, leadBytes_, *folding_) : *phrase.ansi)});
        if (!phrase.ansi || BeyondAscii(phrase.text)) ansiUtf8_.push_back({i, PhraseFinder(utf8)});
        utf8_.push_back({i, PhraseFinder(utf8)});
        utf16LE_.push_back({i, PhraseFinder(Utf16Bytes(units, false))});
        utf16BE_.push_back({i, PhraseFinder(Utf16Bytes(units, true))});
    }
}

ContentRule::Outcome ContentRule::outcome(std::uint32_t found, bool final, bool heedNot) const {
    bool any = (found & 1u) != 0, allAnd = true, notFound = false, notPending = false;
    for (std::size_t i = 1; i < ops_.size(); ++i) {
        const bool present = (found >> i) & 1u;
        switch (ops_[i]) {
        case TextOr:
            any = any || present;
            break;
        case TextNot:
            if (heedNot) (present ? notFound : notPending) = true;
            break;
        default:
            allAnd = allAnd && present;
            break;
        }
    }
    if (notFound) return Outcome::Fail;  // settled, whatever follows
    if (any && allAnd) return final || !notPending ? Outcome::Pass : Outcome::Open;
    return final ? Outcome::Fail : Outcome::Open;
}

}  // namespace findlark
