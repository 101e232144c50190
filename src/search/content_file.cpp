#include "search/content_file.h"

#include "search/preview_reader.h"
#include "win/ansi_text.h"
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

// The platform's invariant capitals, one per code unit (the table ordinal comparisons without case use).
void FoldUnits(CaseFolding& folding) {
    folding.units.resize(0x10000);
    std::wstring all(0x10000, L'\0');
    for (std::size_t c = 0; c < all.size(); ++c) all[c] = c >= 0xD800 && c <= 0xDFFF ? L' ' : static_cast<wchar_t>(c);
    std::wstring upper(all.size(), L'\0');
    const int mapped = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, all.data(), static_cast<int>(all.size()),
                                       upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
    const bool oneForOne = mapped == static_cast<int>(all.size());
    for (std::size_t c = 0; c < folding.units.size(); ++c) {
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        folding.units[c] = static_cast<char16_t>(surrogate || !oneForOne ? c : upper[c]);
    }
    if (!oneForOne) {  // a mapping that changed lengths: one at a time
        for (std::size_t c = 1; c < folding.units.size(); ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            const wchar_t one = static_cast<wchar_t>(c);
            wchar_t capital = 0;
            if (::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &one, 1, &capital, 1, nullptr, nullptr, 0) == 1)
                folding.units[c] = static_cast<char16_t>(capital);
        }
    }
    // Unicode gives final sigma the capital sigma; not every platform table does.
    if (folding.units[u'\u03C3'] == u'\u03A3') folding.units[u'\u03C2'] = u'\u03A3';
}

// Each ANSI byte's capital in the same code page; in a code page of several bytes a character, only
// the ASCII letters, which never occur inside another character's bytes as a first byte.
void FoldAnsiBytes(CaseFolding& folding) {
    for (std::size_t b = 0; b < folding.ansi.size(); ++b)
        folding.ansi[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
    if (AnsiCodePage().MaxCharSize > 1) return;
    for (std::size_t b = 0x80; b < folding.ansi.size(); ++b) {
        const char byte = static_cast<char>(b);
        wchar_t unit = 0;
        if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &unit, 1) != 1) continue;
        const std::optional<std::string> capital = win::ExactAnsi(std::wstring(1, static_cast<wchar_t>(folding.unit(static_cast<char16_t>(unit)))));
        if (capital && capital->size() == 1) folding.ansi[b] = static_cast<unsigned char>((*capital)[0]);
    }
}

ContentPhrase PhraseOf(TextOperator op, const std::wstring& text) {
    return {op, std::u16string(text.begin(), text.end()), win::ExactAnsi(text)};
}

}  // namespace

const CaseFolding& PlatformCaseFolding() {
    static const CaseFolding folding = [] {
        CaseFolding table;
        FoldUnits(table);
        FoldAnsiBytes(table);
        return table;
    }();
    return folding;
}

std::optional<ContentRule> MakeContentRule(const SearchCriteria& c) {
    if (!c.ContainingText) return std::nullopt;
    std::vector<ContentPhrase> phrases{PhraseOf(TextAnd, c.ContainingText0)};
    for (const AdditionalTextRow& row : c.AdditionalText) {
        if (row.Enabled) phrases.push_back(PhraseOf(static_cast<TextOperator>(row.Option), row.Text));
    }
    return ContentRule(std::move(phrases), AnsiLeadBytes(), c.MatchCase ? nullptr : &PlatformCaseFolding(),
                       c.PhrasesAreRegularExpressions);
}

ContentReader::ContentReader(std::function<bool()> stopRequested) : stopRequested_(std::move(stopRequested)) {}

// Read, not mapped: a read error is then a failed call, not an exception that would end the program.
ContentVerdict ContentReader::MatchContent(const std::wstring& path, const ContentRule& rule) {
    if (rule.regular()) return matchLines(path, rule);
    ContentScan scan(rule);
    const win::UniqueFileHandle file(::CreateFileW(win::PlatformPath(path).c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return ContentVerdict::Unreadable;
    if (buffer_.empty()) buffer_.resize(kPieceBytes);
    for (bool first = true;; first = false) {
        if (!first && stopRequested_()) return ContentVerdict::Stopped;
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), &read, nullptr))
            return ContentVerdict::Unreadable;  // a part not read is no part without the phrases
        if (read == 0 || !scan.feed(buffer_.data(), read)) break;
    }
    return scan.finish() ? ContentVerdict::Pass : ContentVerdict::Fail;
}

// Regular expressions are looked for line by line in the decoded text; a file on whose lines the
// engine gave up could not be searched.
ContentVerdict ContentReader::matchLines(const std::wstring& path, const ContentRule& rule) {
    PreviewLimits keepNothing;
    keepNothing.contextLines = 0;
    keepNothing.matchingLines = 0;
    keepNothing.binaryAsText = true;
    MatchLocator locator(&rule, keepNothing, AnsiText);
    bool stopped = false;
    const unsigned long error = LocateInFile(path, locator, [&] {
        stopped = stopRequested_();
        return !stopped && rule.outcome(locator.phrasesFound(), false) == ContentRule::Outcome::Open;
    });
    if (stopped) return ContentVerdict::Stopped;
    if (error != 0 || locator.gaveUp()) return ContentVerdict::Unreadable;
    return rule.outcome(locator.phrasesFound(), true) == ContentRule::Outcome::Pass ? ContentVerdict::Pass : ContentVerdict::Fail;
}

}  // namespace findlark
