#pragma once
// The rows of the results list: what each row a run added holds (`ResultRecords`, indexed by the
// row's data value, never reordered or shrunk while the run's rows are shown) and the order in which
// the list shows them (sorting reorders it, deleting takes rows out of it).
#include "model/date_time.h"
#include "results/name_arena.h"
#include "model/row_batch.h"
#include "results/segmented_vector.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

struct ResultRecord {
    NameArena::Ref name = 0;
    std::uint32_t folder = 0;  // index into the folder table
    std::uint32_t attributes = 0;
    std::int64_t size = 0;
    DateTime modified = 0;  // local time
};

// A row as the list shows it.
struct ResultEntry {
    std::wstring_view name;
    const std::wstring* folder = nullptr;
    std::int32_t data = 0;  // index of the row's record
    std::int64_t size = 0;
    DateTime modified = 0;
    std::uint32_t attributes = 0;

    // Folder, "\" and name, joined without looking for a separator already there.
    std::wstring fullPath() const;
    bool isFolder() const;
};

// The rows listed at one moment, readable on another thread while the list grows: what it points
// at never moves until the list is cleared.
class RowsSnapshot {
public:
    std::size_t size() const { return order_.size(); }
    // The row at a position of the list as it was.
    ResultEntry entry(std::size_t position) const;

private:
    friend class ResultRows;
    std::vector<std::int32_t> order_;
    std::vector<const ResultRecord*> records_;  // the blocks of the records
    std::vector<const wchar_t*> names_;         // the blocks of the names
    std::vector<const std::wstring*> folders_;
};

class ResultRows {
public:
    // Empties the list for a new run; the row count starts again at 0.
    void clear();
    // Constant time per row: nothing already listed moves.
    void append(const RowSlice& rows);
    // Rows listed now.
    int count() const { return static_cast<int>(order_.size()); }
    // Rows the current run added (the next row's data value).
    std::int32_t rowCount() const { return static_cast<std::int32_t>(records_.size()); }
    // The row at a position of the list.
    ResultEntry entry(int row) const { return entryOf(order_[static_cast<std::size_t>(row)]); }
    ResultEntry entryOf(std::int32_t data) const;
    // The rows listed now, for reading on another thread; valid until `clear`.
    RowsSnapshot snapshot() const;

    // The list's order as data values; sorting and removing rows rearrange it. Blocks, not one
    // array, so that growing never copies millions of entries at once.
    std::deque<std::int32_t>& order() { return order_; }
    const std::deque<std::int32_t>& order() const { return order_; }

private:
    NameArena names_;
    std::vector<std::shared_ptr<const std::wstring>> folders_;
    SegmentedVector<ResultRecord> records_;
    std::deque<std::int32_t> order_;
};

}  // namespace findlark
