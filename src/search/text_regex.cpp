#include "search/text_regex.h"

#include <boost/regex.hpp>

#include <cstdint>
#include <locale>

namespace findlark {
namespace {

// Character classes of the classic locale, capitals from the folding table: the engine compares
// letters without case by what tolower gives, the same capital for both sides.
class FoldingCtype : public std::ctype<wchar_t> {
public:
    explicit FoldingCtype(const CaseFolding& folding) : folding_(folding) {}

protected:
    wchar_t do_tolower(wchar_t c) const override { return Fold(c); }
    const wchar_t* do_tolower(wchar_t* low, const wchar_t* high) const override {
        for (; low < high; ++low) *low = Fold(*low);
        return high;
    }
    wchar_t do_toupper(wchar_t c) const override { return Fold(c); }
    const wchar_t* do_toupper(wchar_t* low, const wchar_t* high) const override {
        for (; low < high; ++low) *low = Fold(*low);
        return high;
    }

private:
    wchar_t Fold(wchar_t c) const {
        const auto code = static_cast<std::uint32_t>(c);
        return code <= 0xFFFF ? static_cast<wchar_t>(folding_.unit(static_cast<char16_t>(code))) : c;
    }
    const CaseFolding& folding_;
};

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (const char* c = text; *c; ++c) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    return wide;
}

// The engine's sentence without its copy of the expression, and where the fault is (from 1).
std::wstring Described(const boost::regex_error& error) {
    std::wstring words = Widen(error.what());
    const std::size_t cut = words.find(L"  The error occurred");
    if (cut != std::wstring::npos) words.erase(cut);
    while (!words.empty() && (words.back() == L'.' || words.back() == L' ')) words.pop_back();
    return words + L" at position " + std::to_wstring(error.position() + 1) + L".";
}

}  // namespace

struct TextRegex::Compiled {
    boost::wregex expression;
};

TextRegex::TextRegex(const std::wstring& pattern, const CaseFolding* folding) : compiled_(std::make_unique<Compiled>()) {
    try {
        boost::regex::flag_type flags = boost::regex::perl;
        if (folding) {
            // The locale owns its facet; the table outlives the expression.
            compiled_->expression.imbue(std::locale(std::locale::classic(), new FoldingCtype(*folding)));
            flags = flags | boost::regex::icase;
        }
        compiled_->expression.assign(pattern, flags);
    } catch (const boost::regex_error& error) {
        throw RegexError{Described(error)};
    }
}

TextRegex::~TextRegex() = default;
TextRegex::TextRegex(TextRegex&&) noexcept = default;
TextRegex& TextRegex::operator=(TextRegex&&) noexcept = default;

bool TextRegex::matches(std::wstring_view name) const noexcept {
    try {
        return boost::regex_search(name.begin(), name.end(), compiled_->expression);
    } catch (...) {
        return false;  // the engine's guard against runaway expressions, or no memory
    }
}

// As Perl goes on after a match: from its end, and after an empty one only with a match that is not
// empty there.
std::vector<PreviewMark> TextRegex::findAll(std::wstring_view text, bool& gaveUp, const Accept& accept) const {
    std::vector<PreviewMark> marks;
    try {
        using Iterator = std::wstring_view::const_iterator;
        boost::match_results<Iterator> match;
        bool afterEmpty = false;
        const auto search = [&](Iterator from, boost::match_flag_type flags) {
            if (from != text.begin()) flags |= boost::match_prev_avail;
            return boost::regex_search(from, text.end(), match, compiled_->expression, flags, text.begin());
        };
        for (Iterator at = text.begin();;) {
            bool found = false;
            if (afterEmpty) {
                found = search(at, boost::match_not_null | boost::match_continuous);
                if (!found && at == text.end()) break;
                if (!found) ++at;
            }
            if (!found && !search(at, boost::match_default)) break;
            const auto begin = static_cast<std::size_t>(match[0].first - text.begin());
            const auto length = static_cast<std::size_t>(match[0].second - match[0].first);
            if (accept && !accept(begin, length)) {
                if (match[0].first == text.end()) break;
                at = match[0].first + 1;
                afterEmpty = false;
                continue;
            }
            marks.push_back({begin, length});
            afterEmpty = length == 0;
            at = match[0].second;
        }
    } catch (...) {
        gaveUp = true;
    }
    return marks;
}

std::optional<std::wstring> RegexFault(const std::wstring& pattern) {
    try {
        TextRegex(pattern, nullptr);
        return std::nullopt;
    } catch (const RegexError& error) {
        return error.message;
    }
}

}  // namespace findlark
