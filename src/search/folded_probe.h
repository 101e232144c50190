#pragma once
// Finds a sequence of ASCII capitals in single-byte text as that text reads through a table of
// capitals, without folding the text: candidates come from the rarest position's bytes (each byte that
// folds to it, looked for as it is), and only a candidate's window is folded.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace findlark {

class FoldedProbe {
public:
    // `capitals` null: bytes compare as they are.
    FoldedProbe(std::string sequence, const std::array<unsigned char, 256>* capitals);
    // The first occurrence in the text, or null.
    const unsigned char* find(const unsigned char* text, std::size_t size) const;

private:
    std::string sequence_;
    std::array<unsigned char, 256> capitals_{};
    std::size_t anchor_ = 0;
    std::vector<unsigned char> anchorBytes_;  // every byte that reads as the anchor's; empty: none rare enough

    bool holdsAt(const unsigned char* start) const;
};

// The line feeds of a stretch of text, up to the first CR not followed by LF (a line break of its own).
struct LineBreaks {
    std::uint64_t lineFeeds = 0;
    bool loneCr = false;  // when set, `lineFeeds` is incomplete
};
LineBreaks CountLineBreaks(const unsigned char* begin, const unsigned char* end);

// Whether any byte of the text is 0x80 or above.
bool AnyHighByte(const unsigned char* text, std::size_t size);

}  // namespace findlark
