#pragma once
// The capitals that text is compared by when case does not matter.
#include <array>
#include <vector>

namespace findlark {

// The capitals that comparisons without case go by: of every UTF-16 code unit, and of every byte of
// the ANSI code page (ASCII letters only where that code page has double-byte characters).
struct CaseFolding {
    std::vector<char16_t> units;  // 65536 entries
    std::array<unsigned char, 256> ansi{};
    char16_t unit(char16_t c) const { return units.empty() ? c : units[c]; }
};

// Capitals of ASCII letters only: what a test or a platform without tables folds.
CaseFolding AsciiCaseFolding();

}  // namespace findlark
