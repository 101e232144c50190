#include "search/plain_pattern.h"

#include "model/ascii_case.h"

namespace findlark {
namespace {

// ASCII letters here, the rest by the platform's table.
wchar_t Capital(wchar_t c, PlainPattern::Upcase upcase) {
    if (c < 0x80) return AsciiUpper(c);
    return upcase(c);
}

}  // namespace

std::optional<PlainPattern> PlainPattern::parse(std::wstring_view pattern, Upcase upcase) {
    if (pattern.empty() || pattern.back() == L'.' || pattern.back() == L' ') return std::nullopt;
    std::wstring upcased;
    upcased.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t c = pattern[i];
        switch (c) {
        case L'?':
        case L'<':
        case L'>':
        case L'"':
        case L'\\':
        case L'/':
        case L':':
            return std::nullopt;
        case L'.':
            // The platform reads such a "." as "a dot or the end of the name".
            if (pattern[i + 1] == L'*' || pattern[i + 1] == L'?') return std::nullopt;
            break;
        default:
            break;
        }
        upcased.push_back(Capital(c, upcase));
    }
    if (upcased.find_first_not_of(L'*') == std::wstring::npos) return std::nullopt;  // everything: no marks needed
    return PlainPattern(std::move(upcased), upcase);
}

bool PlainPattern::matches(std::wstring_view longName, std::wstring_view shortName) const {
    return matchesName(longName) || (!shortName.empty() && matchesName(shortName));
}

// Literals in step, each "*" remembered so that a mismatch later lets it take one more character:
// at most pattern length times name length steps, no recursion.
bool PlainPattern::matchesName(std::wstring_view name) const {
    const std::wstring_view pattern = upcased_;
    std::size_t p = 0, n = 0;
    std::size_t starPattern = std::wstring_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == Capital(name[n], upcase_)) {
            ++p;
            ++n;
        } else if (starPattern != std::wstring_view::npos) {
            p = starPattern;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

bool PatternSet::matches(std::wstring_view longName, std::wstring_view shortName) const {
    bool included = everything_;
    for (const PlainPattern& pattern : includes_) included = included || pattern.matches(longName, shortName);
    if (!included) return false;
    for (const PlainPattern& pattern : excludes_) {
        if (pattern.matches(longName, shortName)) return false;
    }
    return true;
}

}  // namespace findlark
