#pragma once
// The order of the results list: a sort column and a direction flag per column. A click on a column
// sorts it ascending unless it was the column last sorted ascending, which it reverses; the flags of
// every other column fall back.
#include "results/result_rows.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace findlark {

// The list's columns, by the number they are stored and sorted by.
enum SortColumn : int {
    SortByName = 0,
    SortByFolder = 1,
    SortBySize = 2,
    SortByDate = 3,
    SortByType = 4,
    SortByExtension = 5,
    SortByCreated = 6,
    SortByAccessed = 7,
    SortByAttributes = 8,
};
inline constexpr int kColumnCount = 9;

// The shell's type name of a row, kept where it does not move while the rows are listed; called from
// the thread that sorts.
using TypeNames = std::function<std::wstring_view(const ResultEntry&)>;

class SortState {
public:
    // A click on a column header (or the matching menu item).
    void columnClick(int column);
    int column() const { return column_; }
    bool ascending(int column) const { return ascending_[static_cast<std::size_t>(column)]; }
    // Negative when `a` goes before `b` in the current order, zero when they are equal.
    int compare(const ResultEntry& a, const ResultEntry& b) const;
    // Where the "Type" column's texts come from; without it, the extension stands for the type.
    void setTypeNames(TypeNames names) { typeNames_ = std::move(names); }
    const TypeNames& typeNames() const { return typeNames_; }

private:
    int column_ = SortByName;
    TypeNames typeNames_;
    std::array<bool, kColumnCount> ascending_{};
};

// Folds a-z to A-Z only and compares code units as unsigned values; a prefix goes first.
int CompareText(std::wstring_view a, std::wstring_view b);

// The snapshot's rows in the state's order, as data values (stable: equal rows keep their order).
// Each row's key is taken once, so comparisons touch only a flat array. `cancelled` is asked now
// and then; when it says yes the sort ends early with nothing.
std::vector<std::int32_t> SortedOrder(const RowsSnapshot& rows, const SortState& state,
                                      const std::function<bool()>& cancelled = {});

// Sorts the rows' order (stable: equal rows keep their order).
void SortRows(ResultRows& rows, const SortState& state);

}  // namespace findlark
