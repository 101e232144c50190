#pragma once
// The tests every entry of the walk passes before its content is looked at, cheapest first:
// MatchName, MatchDates, MatchSize, MatchAttributes.
#include "model/search_criteria.h"
#include "search/compute_windows.h"
#include "model/mask_list.h"
#include "search/mask_matcher.h"
#include "search/text_regex.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace findlark {

// An entry as the enumeration gives it; times are UTC file times (100 ns since 1601).
struct EntryFacts {
    std::wstring_view name;
    std::uint32_t attributes = 0;
    std::int64_t size = 0;
    std::uint64_t created = 0;
    std::uint64_t accessed = 0;
    std::uint64_t written = 0;
};

// Gives the local time of a UTC file time by the zone rules of that very date, in milliseconds since
// 30 December 1899.
using LocalMilliseconds = std::function<std::int64_t(std::uint64_t fileTime)>;

class EntryFilters {
public:
    // Compiles the name masks once for the run; throws EMaskException when the case-sensitive test
    // would need a mask that cannot be compiled, RegexError for a regular expression that cannot
    // be. `nameFolding`: the capitals a regular expression without "Case sensitive" compares by (ASCII
    // when null); it outlives the filters.
    EntryFilters(const SearchCriteria& criteria, const DerivedBounds& bounds, LocalMilliseconds toLocal,
                 const CaseFolding* nameFolding = nullptr);

    bool MatchName(const EntryFacts& entry) const;
    bool MatchDates(const EntryFacts& entry) const;
    bool MatchSize(const EntryFacts& entry) const;
    bool MatchAttributes(const EntryFacts& entry) const;
    // All four, in that order, stopping at the first that fails.
    bool passes(const EntryFacts& entry) const;

private:
    struct Window {
        bool active = false;
        std::int64_t from = 0;  // milliseconds, one second of margin already taken off
        std::int64_t to = 0;    // milliseconds, one second of margin already added
    };
    static Window marginsOf(const DateWindow& window);
    bool inWindow(const Window& window, std::uint64_t fileTime) const;

    struct CaseSensitiveMask {
        CompiledMask mask;
        bool exclude;
    };
    std::vector<CaseSensitiveMask> caseSensitiveMasks_;
    std::optional<TextRegex> nameRegex_;
    Window modified_, created_, accessed_;
    bool sizeActive_ = false;
    std::int64_t sizeLow_ = 0, sizeHigh_ = 0;
    bool attributesActive_ = false;
    std::uint32_t attributeMask_ = 0;
    bool dropHidden_ = false;
    LocalMilliseconds toLocal_;
};

// A date-time value in whole milliseconds.
std::int64_t ToMilliseconds(DateTime value);

}  // namespace findlark
