// The content test, fed in pieces of every size, against a reference that decodes the whole content
// first and then searches it plainly.
#include "fuzz_targets.h"

#include "search/content_scan.h"
#include "support/latin1.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace findlark;

// Phrase characters: a byte below 0xE0 is that Latin-1 character; the rest pick characters beyond it,
// some of whose capitals are shorter in UTF-8.
constexpr char16_t kBeyondLatin1[32] = {
    0x0101, 0x0100, 0x0131, 0x0049, 0x017F, 0x0053, 0x03C3, 0x03A3, 0x03C2, 0x03AF, 0x038A, 0x2C65, 0x023A,
    0x65E5, 0x672C, 0xD83D, 0xDE00, 0x0430, 0x0410, 0x044F, 0x042F, 0xFFFD, 0x4E00, 0x00FF, 0x0178, 0x1E9E,
    0x00DF, 0x0101, 0x0061, 0x0041, 0x03B1, 0x0391};

using testing_support::Latin1;

// Offsets where a character begins, in a code page with the given lead bytes.
std::vector<bool> CharacterStarts(const std::string& content, const LeadBytes& lead) {
    std::vector<bool> starts(content.size());
    bool trail = false;
    for (std::size_t i = 0; i < content.size(); ++i) {
        starts[i] = !trail;
        trail = !trail && lead[static_cast<unsigned char>(content[i])];
    }
    return starts;
}

template <class Text>
bool Holds(const Text& content, const Text& phrase, const std::vector<bool>* starts = nullptr) {
    if (phrase.empty()) return false;
    for (auto at = content.find(phrase); at != Text::npos; at = content.find(phrase, at + 1)) {
        if (!starts || (*starts)[at]) return true;
    }
    return false;
}

struct Reference {
    const CaseFolding* folding;
    const LeadBytes& lead;
    ContentEncoding encoding = ContentEncoding::Ansi;
    std::string bytes;       // plain and UTF-8 content
    std::u16string units;    // UTF-16 content
    std::u16string bareUnits[2];  // a plain file read as UTF-16, low byte first and high byte first

    Reference(const std::string& file, const CaseFolding* folding_, const LeadBytes& lead_) : folding(folding_), lead(lead_) {
        auto at = [&](std::size_t i) { return i < file.size() ? static_cast<unsigned char>(file[i]) : 0x100; };
        std::size_t from = 0;
        bool shape = file.size() >= 16;
        for (std::size_t i = 0; shape && i + 1 < std::min<std::size_t>(file.size(), 256); i += 2)
            shape = file[i] != 0 && file[i + 1] == 0;
        if (at(0) == 0xFF && at(1) == 0xFE) {
            encoding = ContentEncoding::Utf16LE, from = 2;
        } else if (at(0) == 0xFE && at(1) == 0xFF) {
            encoding = ContentEncoding::Utf16BE, from = 2;
        } else if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
            encoding = ContentEncoding::Utf8, from = 3;
        } else if (shape) {
            encoding = ContentEncoding::Utf16LE;
        }
        auto decode = [&](bool big, std::u16string& into) {
            for (std::size_t i = from; i + 1 < file.size(); i += 2) {
                const auto unit = static_cast<char16_t>(big ? at(i) << 8 | at(i + 1) : at(i + 1) << 8 | at(i));
                if (unit == 0) break;
                into.push_back(folding ? folding->unit(unit) : unit);
            }
        };
        if (encoding == ContentEncoding::Utf16LE || encoding == ContentEncoding::Utf16BE) {
            decode(encoding == ContentEncoding::Utf16BE, units);
        } else {
            if (encoding == ContentEncoding::Ansi) {
                decode(false, bareUnits[0]);
                decode(true, bareUnits[1]);
            }
            bytes = file.substr(from);
            bytes = bytes.substr(0, bytes.find('\0'));
        }
    }

    bool found(const ContentPhrase& phrase) const {
        const std::u16string text = phrase.text;
        std::u16string folded = text;
        if (folding) {
            for (char16_t& c : folded) c = folding->unit(c);
        }
        if (encoding == ContentEncoding::Utf16LE || encoding == ContentEncoding::Utf16BE) return Holds(units, folded);
        const std::string utf8 = Utf8Of(folded);
        const std::string content = folding ? FoldUtf8(bytes, *folding) : bytes;
        if (encoding == ContentEncoding::Utf8) return Holds(content, utf8);
        if (Holds(bareUnits[0], folded) || Holds(bareUnits[1], folded)) return true;
        bool beyondAscii = false;
        for (const char16_t c : text) beyondAscii = beyondAscii || c >= 0x80;
        if ((!phrase.ansi || beyondAscii) && Holds(content, utf8)) return true;
        if (!phrase.ansi) return false;
        const std::vector<bool> starts = CharacterStarts(bytes, lead);
        std::string plain = bytes, ansi = *phrase.ansi;
        if (folding) {
            for (std::size_t i = 0; i < plain.size(); ++i) {
                if (starts[i]) plain[i] = static_cast<char>(folding->ansi[static_cast<unsigned char>(plain[i])]);
            }
            const std::vector<bool> phraseStarts = CharacterStarts(ansi, lead);
            for (std::size_t i = 0; i < ansi.size(); ++i) {
                if (phraseStarts[i]) ansi[i] = static_cast<char>(folding->ansi[static_cast<unsigned char>(ansi[i])]);
            }
        }
        return Holds(plain, ansi, &starts);
    }
};

}  // namespace

findlark::CaseFolding FuzzFolding() {
    using namespace findlark;
    CaseFolding folding = AsciiCaseFolding();
    auto fold = [&](char16_t small, char16_t capital) {
        folding.units[small] = capital;
        if (small <= 0xFF && capital <= 0xFF) folding.ansi[small] = static_cast<unsigned char>(capital);
    };
    for (char16_t c = 0xE0; c <= 0xFE; ++c) {
        if (c != 0xF7) fold(c, static_cast<char16_t>(c - 0x20));
    }
    fold(0xFF, 0x178);
    fold(0x101, 0x100);
    fold(0x131, 0x49);
    fold(0x17F, 0x53);
    fold(0x3C3, 0x3A3);
    fold(0x3C2, 0x3A3);
    fold(0x3AF, 0x38A);
    fold(0x3B1, 0x391);
    fold(0x2C65, 0x23A);
    fold(0x430, 0x410);
    fold(0x44F, 0x42F);
    return folding;
}

int FuzzContent(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::uint8_t ops = data[0];
    const std::size_t piece = 1 + data[1];
    const std::uint8_t flags = data[2];
    LeadBytes lead{};
    if (flags & 1) {
        for (int b = 0x81; b <= 0x9F; ++b) lead[static_cast<std::size_t>(b)] = true;
    }
    static const CaseFolding folding = FuzzFolding();
    const CaseFolding* fold = flags & 2 ? &folding : nullptr;
    std::size_t at = 3;
    std::vector<ContentPhrase> phrases;
    for (int i = 0; i < 4 && at < size; ++i) {
        const std::size_t wanted = data[at++] % 8;
        const std::size_t length = std::min(wanted, size - at);
        const int op = i == 0 ? 0 : (ops >> (2 * (i - 1))) & 3;
        std::u16string text;
        for (std::size_t k = 0; k < length; ++k) {
            const std::uint8_t b = data[at + k];
            text.push_back(b < 0xE0 ? b : kBeyondLatin1[b - 0xE0]);
        }
        at += length;
        std::optional<std::string> ansi = Latin1(text);
        if (op < 3) phrases.push_back({static_cast<TextOperator>(op), std::move(text), std::move(ansi)});
    }
    if (phrases.empty()) return 0;
    // The rest is the file, its first bytes chosen by the flags so that every encoding turns up.
    static const std::string kStarts[] = {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"};
    std::string file = kStarts[(flags >> 2) & 3];
    file.append(reinterpret_cast<const char*>(data + at), size - at);
    if (flags & 16) {  // UTF-16 by its shape: every byte followed by a zero one
        std::string spread;
        for (const char c : file) spread += std::string{c, '\0'};
        file = spread;
    }

    const ContentRule rule(phrases, lead, fold);
    ContentScan scan(rule);
    for (std::size_t from = 0; from < file.size(); from += piece) {
        const std::size_t length = std::min(piece, file.size() - from);
        if (!scan.feed(reinterpret_cast<const unsigned char*>(file.data() + from), length)) break;
    }

    const Reference reference(file, fold, lead);
    bool any = reference.found(phrases[0]), allAnd = true, noNot = true;
    for (std::size_t i = 1; i < phrases.size(); ++i) {
        const bool found = reference.found(phrases[i]);
        if (phrases[i].op == TextOr) any = any || found;
        if (phrases[i].op == TextAnd) allAnd = allAnd && found;
        if (phrases[i].op == TextNot) noNot = noNot && !found;
    }
    if (scan.finish() != (any && allAnd && noNot)) std::abort();
    return 0;
}
