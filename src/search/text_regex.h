#pragma once
// A regular expression (Perl syntax) looked for anywhere in a text: the name box in an entry's long
// name, or a phrase in a line. Without case, letters are compared by their capitals, of every script,
// by the table the content search folds by.
#include "model/preview_line.h"
#include "model/case_folding.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

class TextRegex {
public:
    // `folding` null: case matters. Throws RegexError when the expression is not valid.
    TextRegex(const std::wstring& pattern, const CaseFolding* folding);
    ~TextRegex();
    TextRegex(TextRegex&&) noexcept;
    TextRegex& operator=(TextRegex&&) noexcept;

    // A name the engine gives up on (too complex to decide) does not match.
    bool matches(std::wstring_view name) const noexcept;
    // Whether a match found at [begin, begin + length) counts; a refused one is looked for again one
    // unit further on.
    using Accept = std::function<bool(std::size_t begin, std::size_t length)>;
    // Every match in the text, one after another; `gaveUp` is set when the engine gave up, and what
    // was found until then is given.
    std::vector<PreviewMark> findAll(std::wstring_view text, bool& gaveUp, const Accept& accept = {}) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

struct RegexError {
    std::wstring message;  // the engine's words and the place, "Unmatched [ ... at position 3."
};

// Why the expression cannot be used, or nothing when it can.
std::optional<std::wstring> RegexFault(const std::wstring& pattern);

}  // namespace findlark
