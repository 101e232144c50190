#pragma once
// A line of a file as the preview shows it: its number, its text and where the phrases occur in it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace findlark {

struct PreviewMark {
    std::size_t begin = 0, length = 0;  // in code units of the shown text
    bool operator==(const PreviewMark&) const = default;
};

struct PreviewLine {
    std::uint64_t number = 0;  // from 1
    std::u16string text;       // a long line: the part around its first mark, cut ends shown by "…"
    std::vector<PreviewMark> marks;
    bool matching = false;   // false: a line of context
    bool gapBefore = false;  // lines were left out between the previous shown line and this one
};

}  // namespace findlark
