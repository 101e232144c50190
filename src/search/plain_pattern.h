#pragma once
// The enumeration patterns that the walk can apply to a full listing itself, with the platform's own
// result: runs of "*" and literal characters in which every "." is followed by a literal, such as
// "*.txt" or "report*.doc". Like the platform, a pattern matches an entry by its long name or by its
// short (8.3) name, letters compared without case. Other patterns ("?", "*.*", "*." and the like)
// follow special rules of the platform's and are left to its enumeration.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

class PlainPattern {
public:
    // The platform's capital of a character outside ASCII.
    using Upcase = wchar_t (*)(wchar_t);

    static std::optional<PlainPattern> parse(std::wstring_view pattern, Upcase upcase);
    // `shortName` empty: the entry has none.
    bool matches(std::wstring_view longName, std::wstring_view shortName) const;

private:
    PlainPattern(std::wstring upcased, Upcase upcase) : upcased_(std::move(upcased)), upcase_(upcase) {}
    bool matchesName(std::wstring_view name) const;

    std::wstring upcased_;
    Upcase upcase_;
};

// Several plain patterns: an entry matches when one of the patterns to include does (or there are
// none but "everything") and none of those to leave out does. One pattern converts to a set of one.
class PatternSet {
public:
    PatternSet(PlainPattern single) : includes_{std::move(single)} {}  // NOLINT: a set of one
    PatternSet(std::vector<PlainPattern> includes, bool includesEverything, std::vector<PlainPattern> excludes)
        : includes_(std::move(includes)), excludes_(std::move(excludes)), everything_(includesEverything) {}
    bool matches(std::wstring_view longName, std::wstring_view shortName) const;

private:
    std::vector<PlainPattern> includes_, excludes_;
    bool everything_ = false;
};

}  // namespace findlark
