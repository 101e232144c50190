#pragma once
// Letter case of ASCII letters only, as the list's sort order, the mask matcher, device names and
// drive letters read it; every other character stays as it is.
#include <string_view>

namespace findlark {

template <typename Char>
constexpr Char AsciiUpper(Char c) {
    return c >= Char('a') && c <= Char('z') ? static_cast<Char>(c - Char('a') + Char('A')) : c;
}

template <typename Char>
constexpr bool IsAsciiLetter(Char c) {
    return (c >= Char('A') && c <= Char('Z')) || (c >= Char('a') && c <= Char('z'));
}

// Whether `text` equals `upper` (written in capitals) when its ASCII letters are folded.
constexpr bool EqualsAsciiUpper(std::wstring_view text, std::wstring_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiUpper(text[i]) != upper[i]) return false;
    }
    return true;
}

}  // namespace findlark
