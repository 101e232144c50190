#include "results/sort_order.h"

#include "model/ascii_case.h"

#include <algorithm>
#include <cmath>

namespace findlark {
namespace {

int CompareNumbers(std::int64_t a, std::int64_t b) { return a < b ? -1 : a > b ? 1 : 0; }

// Ascending and descending treat nearly equal times differently, as the list always has.
int CompareTimes(DateTime a, DateTime b, bool ascending) {
    const double difference = std::fabs(a - b);
    const bool equal = ascending ? difference <= std::max(1e-12, 1e-12 * std::min(std::fabs(a), std::fabs(b)))
                                 : difference < 1.0 / kMillisecondsPerDay;
    return equal ? 0 : a < b ? -1 : 1;
}

}  // namespace

int CompareText(std::wstring_view a, std::wstring_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<std::uint16_t>(AsciiUpper(a[i])), y = static_cast<std::uint16_t>(AsciiUpper(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return CompareNumbers(static_cast<std::int64_t>(a.size()), static_cast<std::int64_t>(b.size()));
}

void SortState::columnClick(int column) {
    column_ = column;
    const bool flag = ascending_[static_cast<std::size_t>(column)];
    ascending_.fill(false);
    ascending_[static_cast<std::size_t>(column)] = !flag;
}

// Descending compares the rows the other way round.
int SortState::compare(const ResultEntry& a, const ResultEntry& b) const {
    const bool up = ascending(column_);
    const ResultEntry& first = up ? a : b;
    const ResultEntry& second = up ? b : a;
    switch (column_) {
    case SortByFolder:
        return CompareText(*first.folder, *second.folder);
    case SortBySize:
        return CompareNumbers(first.size, second.size);
    case SortByDate:
        return CompareTimes(first.modified, second.modified, up);
    default:
        return CompareText(first.name, second.name);
    }
}

void SortRows(ResultRows& rows, const SortState& state) {
    std::stable_sort(rows.order().begin(), rows.order().end(), [&](std::int32_t a, std::int32_t b) {
        return state.compare(rows.entryOf(a), rows.entryOf(b)) < 0;
    });
}

}  // namespace findlark
