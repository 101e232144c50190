#pragma once
// The rows of the results list: what each row a run added holds (`ResultRecords`, indexed by the
// row's data value, never reordered or shrunk while the run's rows are shown) and the order in which
// the list shows them (sorting reorders it, deleting takes rows out of it, the filter box leaves out
// the rows it hides).
#include "model/date_time.h"
#include "results/name_arena.h"
#include "model/row_batch.h"
#include "results/segmented_vector.h"

#include <cstdint>
#include <deque>
#include <functional>
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
    RowTimes times;         // UTC
};

// A row as the list shows it.
struct ResultEntry {
    std::wstring_view name;
    const std::wstring* folder = nullptr;
    std::int32_t data = 0;  // index of the row's record
    std::int64_t size = 0;
    DateTime modified = 0;
    std::uint32_t attributes = 0;
    RowTimes times;

    // Folder, "\" and name, joined without looking for a separator already there.
    std::wstring fullPath() const;
    bool isFolder() const;
};

// The rows listed at one moment, readable on another thread while the list grows: what it points
// at never moves until the list is cleared.
class RowsSnapshot {
public:
    std::size_t size() const { return order_ ? order_->size() : 0; }
    // The row at a position of the list as it was.
    ResultEntry entry(std::size_t position) const { return entryOf((*order_)[position]); }
    std::int32_t dataAt(std::size_t position) const { return (*order_)[position]; }
    const std::vector<std::int32_t>& order() const { return order_ ? *order_ : kNoRows; }
    // Every row the run had added when the snapshot was taken, listed or not, by its data value
    // (below `recordCount`): read in that order, rows lie next to each other in memory.
    ResultEntry entryOf(std::int32_t data) const;
    std::size_t recordCount() const { return recordCount_; }
    // The index of the row's folder, below `folderCount`: rows of one folder share it.
    std::uint32_t folderIndexOf(std::int32_t data) const { return record(data).folder; }
    std::size_t folderCount() const { return folders_.size(); }
    // The same rows in another order, or fewer of them (data values).
    void setOrder(std::vector<std::int32_t> order) {
        order_ = std::make_shared<const std::vector<std::int32_t>>(std::move(order));
    }

private:
    friend class ResultRows;
    const ResultRecord& record(std::int32_t data) const;
    static inline const std::vector<std::int32_t> kNoRows;

    // Shared, not copied, with the unfiltered order a filter keeps.
    std::shared_ptr<const std::vector<std::int32_t>> order_;
    std::vector<const ResultRecord*> records_;  // the blocks of the records
    std::vector<const wchar_t*> names_;         // the blocks of the names
    std::vector<const std::wstring*> folders_;
    std::size_t recordCount_ = 0;
};

class RowFilter;

class ResultRows {
public:
    // Empties the list for a new run; the row count starts again at 0. The filter stays.
    void clear();
    // Constant time per row: nothing already listed moves. Rows the filter hides are kept, not listed.
    void append(const RowSlice& rows);
    // The rule that rows appended from now on are listed by; nothing (or a filter without words)
    // for every row. Setting the first one keeps the list's order as the unfiltered order; taking
    // the last one away lists the unfiltered order again. Listing the rows a new one lets through is
    // the caller's work (`unfilteredRows`, then `order`).
    void setFilter(std::shared_ptr<const RowFilter> filter);
    const std::shared_ptr<const RowFilter>& filter() const { return filter_; }
    // Rows listed now.
    int count() const { return static_cast<int>(order_.size()); }
    // Rows the current run added (the next row's data value).
    std::int32_t rowCount() const { return static_cast<std::int32_t>(records_.size()); }
    // Rows the run added and no operation took out, listed or hidden by the filter.
    std::int32_t keptCount() const { return rowCount() - removedCount_; }
    // Takes listed rows out for good: the filter never shows them again.
    void removeWhere(const std::function<bool(const ResultEntry&)>& remove);
    // Every kept row, listed or hidden, in the order the list would show without the filter; valid
    // until `clear`. Without a filter, the rows listed.
    RowsSnapshot unfilteredRows() const;
    // The row at a position of the list.
    ResultEntry entry(int row) const { return entryOf(order_[static_cast<std::size_t>(row)]); }
    ResultEntry entryOf(std::int32_t data) const;
    // The rows listed now, for reading on another thread; valid until `clear`.
    RowsSnapshot snapshot() const;

    // The list's order as data values; sorting and removing rows rearrange it. Blocks, not one
    // array, so that growing never copies millions of entries at once.
    std::deque<std::int32_t>& order() { return order_; }
    const std::deque<std::int32_t>& order() const { return order_; }
    // While a filter is set: every kept row in the list's order, hidden ones included (a copy of its
    // own when a snapshot still reads the old one).
    std::vector<std::int32_t>& unfilteredOrder();

private:
    // The records, names and folders without an order.
    RowsSnapshot storage() const;

    NameArena names_;
    std::vector<std::shared_ptr<const std::wstring>> folders_;
    SegmentedVector<ResultRecord> records_;
    std::deque<std::int32_t> order_;
    std::shared_ptr<std::vector<std::int32_t>> unfiltered_;  // only while a filter is set
    std::int32_t removedCount_ = 0;
    std::shared_ptr<const RowFilter> filter_;
};

}  // namespace findlark
