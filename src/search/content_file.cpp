#include "search/content_file.h"

#include "search/preview_reader.h"
#include "win/ansi_text.h"
#include "win/case_folding_table.h"
#include "win/handle.h"
#include "win/long_path.h"

namespace findlark {
namespace {

CPINFO AnsiCodePage() {
    CPINFO info{};
    if (!::GetCPInfo(CP_ACP, &info)) info.MaxCharSize = 1;
    return info;
}

LeadBytes AnsiLeadBytes() {
    LeadBytes lead{};
    const CPINFO info = AnsiCodePage();
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2) {
        for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) lead[static_cast<std::size_t>(b)] = true;
    }
    return lead;
}

// Letters of every script, digits and "_" as the platform classifies them, with the marks that
// combine with a letter ("e" and a combining accent are one letter to a reader).
WordCharacters MakePlatformWordCharacters() {
    WordCharacters words = AsciiWordCharacters();
    std::wstring all(0x10000, L' ');
    for (std::size_t c = 1; c < all.size(); ++c) all[c] = c >= 0xD800 && c <= 0xDFFF ? L' ' : static_cast<wchar_t>(c);
    std::vector<WORD> kinds(all.size()), marks(all.size());
    const int count = static_cast<int>(all.size());
    if (!::GetStringTypeW(CT_CTYPE1, all.data(), count, kinds.data())) return words;
    if (!::GetStringTypeW(CT_CTYPE3, all.data(), count, marks.data())) marks.assign(marks.size(), 0);
    for (std::size_t c = 0x80; c < all.size(); ++c) {
        if ((kinds[c] & (C1_ALPHA | C1_DIGIT)) || (marks[c] & C3_NONSPACING)) words.units.set(c);
    }
    return words;
}

ContentPhrase PhraseOf(TextOperator op, const std::wstring& text) {
    return {op, std::u16string(text.begin(), text.end()), win::ExactAnsi(text)};
}

}  // namespace

const WordCharacters& PlatformWordCharacters() {
    static const WordCharacters words = MakePlatformWordCharacters();
    return words;
}

std::optional<ContentRule> MakeContentRule(const SearchCriteria& c) {
    if (!c.ContainingText) return std::nullopt;
    std::vector<ContentPhrase> phrases{PhraseOf(TextAnd, c.ContainingText0)};
    for (const AdditionalTextRow& row : c.AdditionalText) {
        if (row.Enabled) phrases.push_back(PhraseOf(static_cast<TextOperator>(row.Option), row.Text));
    }
    return ContentRule(std::move(phrases), AnsiLeadBytes(), c.MatchCase ? nullptr : &PlatformCaseFolding(),
                       c.PhrasesAreRegularExpressions, c.PhrasesAreWholeWords ? &PlatformWordCharacters() : nullptr);
}

ContentReader::ContentReader(std::function<bool()> stopRequested) : stopRequested_(std::move(stopRequested)) {}

// Read, not mapped: a read error is then a failed call, not an exception that would end the program.
ContentVerdict ContentReader::MatchContent(const std::wstring& path, const ContentRule& rule) {
    held_.reset();  // another file's
    if (!rule.byLines()) return scan(path, rule, false);
    // Whole words and a regular expression's matches occur only where the phrases or their literal
    // parts do: most files are settled at the plain scan's speed.
    const bool candidates = rule.outcome(rule.unneedled(), false, false) != ContentRule::Outcome::Pass;
    if (candidates) {
        const ContentVerdict candidate = scan(path, rule, true);
        if (candidate != ContentVerdict::Pass) return candidate;
    }
    return matchLines(path, rule, candidates);
}

// Every piece goes to `take` until it wants no more; the stop is asked between pieces. A file that
// fits in one piece stays in the buffer, so that a second look at it reads nothing.
ContentReader::ReadEnd ContentReader::readPieces(const std::wstring& path,
                                                 const std::function<bool(const unsigned char*, std::size_t)>& take) {
    held_.reset();
    const win::UniqueFileHandle file(::CreateFileW(win::PlatformPath(path).c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return ReadEnd::Unreadable;
    if (buffer_.empty()) buffer_.resize(kPieceBytes);
    for (bool first = true;; first = false) {
        if (!first && stopRequested_()) return ReadEnd::Stopped;
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), &read, nullptr))
            return ReadEnd::Unreadable;  // a part not read is no part without the phrases
        if (first && read < buffer_.size()) held_ = read;
        if (read == 0 || !take(buffer_.data(), read)) break;
    }
    return ReadEnd::Done;
}

ContentVerdict ContentReader::scan(const std::wstring& path, const ContentRule& rule, bool candidates) {
    ContentScan scan(rule, candidates);
    switch (readPieces(path, [&](const unsigned char* data, std::size_t size) { return scan.feed(data, size); })) {
    case ReadEnd::Stopped: return ContentVerdict::Stopped;
    case ReadEnd::Unreadable: return ContentVerdict::Unreadable;
    case ReadEnd::Done: break;
    }
    return scan.finish() ? ContentVerdict::Pass : ContentVerdict::Fail;
}

// Regular expressions and whole words are looked for line by line in the decoded text; a file on
// whose lines the engine gave up could not be searched. Plain text that does not pass may be UTF-16
// without a mark, where the plain scan looks too: a `candidate` (a file the plain scan found the
// phrases or their literal parts in, in some form), or one that holds a zero byte, is read again as
// UTF-16 of either order.
ContentVerdict ContentReader::matchLines(const std::wstring& path, const ContentRule& rule, bool candidate) {
    PreviewLimits keepNothing;
    keepNothing.contextLines = 0;
    keepNothing.matchingLines = 0;
    keepNothing.binaryAsText = true;
    std::uint32_t found = 0;
    const auto locate = [&](std::optional<ContentEncoding> order, bool& ansi, bool& zero) {
        MatchLocator locator(&rule, keepNothing, AnsiText, order);
        const auto take = [&](const unsigned char* data, std::size_t size) {
            return locator.feed(data, size) &&
                   rule.outcome(found | locator.phrasesFound(), false) == ContentRule::Outcome::Open;
        };
        ReadEnd end = ReadEnd::Done;
        if (held_) {
            take(buffer_.data(), *held_);
        } else {
            end = readPieces(path, take);
        }
        locator.finish();
        found |= locator.phrasesFound();
        ansi = locator.encoding() == ContentEncoding::Ansi;
        zero = locator.endedAtZero();
        if (end == ReadEnd::Stopped) return ContentVerdict::Stopped;
        if (end == ReadEnd::Unreadable || locator.gaveUp()) return ContentVerdict::Unreadable;
        return rule.outcome(found, true) == ContentRule::Outcome::Pass ? ContentVerdict::Pass : ContentVerdict::Fail;
    };
    bool ansi = false, zero = false, ignored = false;
    ContentVerdict verdict = locate(std::nullopt, ansi, zero);
    if (verdict != ContentVerdict::Fail || !ansi || !(candidate || zero)) return verdict;
    if (rule.outcome(found, false) == ContentRule::Outcome::Fail) return verdict;  // a "NOT" phrase settled it
    for (const ContentEncoding order : {ContentEncoding::Utf16LE, ContentEncoding::Utf16BE}) {
        verdict = locate(order, ignored, ignored);
        if (verdict != ContentVerdict::Fail) return verdict;
    }
    return verdict;
}

}  // namespace findlark
