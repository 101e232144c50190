#include "search/folded_probe.h"

#include "search/content_rule.h"

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define FINDLARK_SSE2 1
#endif

namespace findlark {
namespace {

// More bytes than this reading as one capital make a poor anchor (none in the tables of the platform).
constexpr std::size_t kMostAnchorBytes = 8;

}  // namespace

FoldedProbe::FoldedProbe(std::string sequence, const std::array<unsigned char, 256>* capitals)
    : sequence_(std::move(sequence)) {
    for (std::size_t b = 0; b < capitals_.size(); ++b) capitals_[b] = capitals ? (*capitals)[b] : static_cast<unsigned char>(b);
    int bestCost = 0;
    for (std::size_t i = 0; i < sequence_.size(); ++i) {
        std::vector<unsigned char> bytes;
        int cost = 0;
        for (std::size_t b = 0; b < capitals_.size(); ++b) {
            if (capitals_[b] != static_cast<unsigned char>(sequence_[i])) continue;
            bytes.push_back(static_cast<unsigned char>(b));
            cost += ByteCommonness(static_cast<unsigned char>(b));
        }
        if (bytes.empty() || bytes.size() > kMostAnchorBytes || (!anchorBytes_.empty() && cost >= bestCost)) continue;
        anchor_ = i;
        anchorBytes_ = std::move(bytes);
        bestCost = cost;
    }
}

bool FoldedProbe::holdsAt(const unsigned char* start) const {
    for (std::size_t j = 0; j < sequence_.size(); ++j) {
        if (capitals_[start[j]] != static_cast<unsigned char>(sequence_[j])) return false;
    }
    return true;
}

const unsigned char* FoldedProbe::find(const unsigned char* text, std::size_t size) const {
    const std::size_t length = sequence_.size();
    if (length == 0 || size < length) return nullptr;
    const unsigned char* const lastStart = text + (size - length);
    if (anchorBytes_.empty()) {
        for (const unsigned char* start = text; start <= lastStart; ++start) {
            if (holdsAt(start)) return start;
        }
        return nullptr;
    }
    // The next place of each anchor byte; the nearest is tried, then that byte looked for further on.
    const unsigned char* const lastAnchor = lastStart + anchor_;
    std::array<const unsigned char*, kMostAnchorBytes> next{};
    const auto seek = [&](std::size_t k, const unsigned char* from) {
        next[k] = from > lastAnchor ? nullptr
                                    : static_cast<const unsigned char*>(std::memchr(
                                          from, anchorBytes_[k], static_cast<std::size_t>(lastAnchor - from) + 1));
    };
    for (std::size_t k = 0; k < anchorBytes_.size(); ++k) seek(k, text + anchor_);
    for (;;) {
        std::size_t nearest = anchorBytes_.size();
        for (std::size_t k = 0; k < anchorBytes_.size(); ++k) {
            if (next[k] && (nearest == anchorBytes_.size() || next[k] < next[nearest])) nearest = k;
        }
        if (nearest == anchorBytes_.size()) return nullptr;
        const unsigned char* const start = next[nearest] - anchor_;
        if (holdsAt(start)) return start;
        seek(nearest, next[nearest] + 1);
    }
}

LineBreaks CountLineBreaks(const unsigned char* begin, const unsigned char* end) {
    LineBreaks breaks;
    const unsigned char* at = begin;
#ifdef FINDLARK_SSE2
    // Sixteen bytes at a time, each CR's next byte read from the load one byte on; the line feeds
    // are counted in byte lanes, added up before a lane could overflow.
    const __m128i lineFeed = _mm_set1_epi8('\n'), carriageReturn = _mm_set1_epi8('\r');
    while (end - at > 16) {
        __m128i counts = _mm_setzero_si128(), lone = _mm_setzero_si128();
        for (int round = 0; round < 255 && end - at > 16; ++round, at += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            const __m128i following = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
            counts = _mm_sub_epi8(counts, _mm_cmpeq_epi8(bytes, lineFeed));
            lone = _mm_or_si128(lone, _mm_andnot_si128(_mm_cmpeq_epi8(following, lineFeed), _mm_cmpeq_epi8(bytes, carriageReturn)));
        }
        if (_mm_movemask_epi8(lone) != 0) {
            breaks.loneCr = true;
            return breaks;
        }
        const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
        breaks.lineFeeds += static_cast<std::uint64_t>(_mm_cvtsi128_si64(sums)) +
                            static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
    }
#endif
    for (; at < end; ++at) {
        if (*at == '\n') {
            ++breaks.lineFeeds;
        } else if (*at == '\r' && (at + 1 == end || at[1] != '\n')) {
            breaks.loneCr = true;
            return breaks;
        }
    }
    return breaks;
}

bool AnyHighByte(const unsigned char* text, std::size_t size) {
    std::uint64_t any = 0;
    std::size_t i = 0;
#ifdef FINDLARK_SSE2
    __m128i high = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) high = _mm_or_si128(high, _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i)));
    if (_mm_movemask_epi8(high) != 0) return true;
#endif
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text + i, sizeof word);
        any |= word;
    }
    for (; i < size; ++i) any |= text[i];
    return (any & 0x8080808080808080ull) != 0;
}

}  // namespace findlark
