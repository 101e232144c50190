#pragma once
// The plain bounds that the entry filters compare with, derived from the criteria once at the start of
// every run: a date window for each kind of file time, the size bounds and the attribute mask.
#include "model/search_criteria.h"

#include <cstdint>
#include <functional>
#include <limits>

namespace findlark {

struct DateWindow {
    bool active = false;  // the choice is not "Don't remember"
    DateTime from = 0;
    DateTime to = 0;
};

inline constexpr std::int64_t kNoUpperSize = std::numeric_limits<std::int64_t>::max();

struct DerivedBounds {
    DateWindow ModifiedWindow;
    DateWindow CreatedWindow;
    DateWindow AccessedWindow;
    // Byte counts, both ends included; 64 bits, so bounds of 2 GB and more mean what they say.
    std::int64_t SizeLow = 0;
    std::int64_t SizeHigh = kNoUpperSize;
    std::uint32_t AttributeMask = 0;
};

// `now` gives the current local date and time; it is read anew for each window.
DerivedBounds ComputeWindows(const SearchCriteria& criteria, const std::function<DateTime()>& now);

// The same moment `months` calendar months earlier; a day past the end of the month it lands in
// becomes that month's last day.
DateTime MonthsBefore(DateTime moment, int months);

// The sum of the attribute bits of the flags that are on.
std::uint32_t AttributeMaskOf(const SearchCriteria& criteria);

}  // namespace findlark
