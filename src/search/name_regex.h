#pragma once
// The name box as one regular expression (Perl syntax), looked for anywhere in an entry's long name.
// Without "Case sensitive" letters are compared by their capitals, of every script, by the table the
// content search folds by.
#include "search/content_rule.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace findlark {

class NameRegex {
public:
    // `folding` null: case matters. Throws NameRegexError when the expression is not valid.
    NameRegex(const std::wstring& pattern, const CaseFolding* folding);
    ~NameRegex();
    NameRegex(NameRegex&&) noexcept;
    NameRegex& operator=(NameRegex&&) noexcept;

    // A name the engine gives up on (too complex to decide) does not match.
    bool matches(std::wstring_view name) const noexcept;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

struct NameRegexError {
    std::wstring message;  // the engine's words and the place, "Unmatched [ ... at position 3."
};

// Why the expression cannot be used, or nothing when it can.
std::optional<std::wstring> NameRegexFault(const std::wstring& pattern);

}  // namespace findlark
