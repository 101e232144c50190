#pragma once
// Which code units belong to a word, for phrases that must stand as whole words.
#include <bitset>
#include <cstddef>
#include <string_view>

namespace findlark {

struct WordCharacters {
    std::bitset<0x10000> units;
    bool word(char16_t c) const { return units[c]; }
    // Whether the text's units [begin, begin + length) have no word unit on either side.
    bool standsAlone(std::u16string_view text, std::size_t begin, std::size_t length) const {
        return (begin == 0 || !word(text[begin - 1])) && (begin + length >= text.size() || !word(text[begin + length]));
    }
};

// ASCII letters, digits and "_": what a test or a platform without tables counts.
inline WordCharacters AsciiWordCharacters() {
    WordCharacters words;
    for (char16_t c = u'0'; c <= u'9'; ++c) words.units.set(c);
    for (char16_t c = u'A'; c <= u'Z'; ++c) words.units.set(c), words.units.set(c + 32);
    words.units.set(u'_');
    return words;
}

}  // namespace findlark
