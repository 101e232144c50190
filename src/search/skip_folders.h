#pragma once
// The folders a walk never enters: those whose own name a mask of the list matches (letters compared
// by their capitals), and those a whole path of the list names. Entries are separated by ";"; one with
// "\", "/" or ":" is a path.
#include "search/mask_matcher.h"

#include <string>
#include <string_view>
#include <vector>

namespace findlark {

class SkipFolders {
public:
    // The platform's capital of a character.
    using Upcase = wchar_t (*)(wchar_t);

    // Throws EMaskException for a mask that cannot be compiled.
    SkipFolders(std::wstring_view text, Upcase upcase);
    bool empty() const { return masks_.empty() && paths_.empty(); }
    // Whether the subfolder `name` of `parent` (a path without a final separator) is skipped.
    bool skips(std::wstring_view parent, std::wstring_view name) const;

private:
    std::wstring capitals(std::wstring_view text) const;

    std::vector<CompiledMask> masks_;
    std::vector<std::wstring> paths_;  // in capitals, "\" as separator, none at the end
    Upcase upcase_;
};

}  // namespace findlark
