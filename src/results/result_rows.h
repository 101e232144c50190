#pragma once
// The rows of the results list and the records behind them.
#include "criteria/date_time.h"
#include "search/run_events.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace findlark {

struct ResultRecord {
    std::int64_t size = 0;
    DateTime modified = 0;  // local time
};

struct ResultEntry {
    std::wstring name;
    std::shared_ptr<const std::wstring> folder;
    std::int32_t data = 0;  // index of the row's record in ResultRecords
    int icon = -1;          // system image list index, looked up when the row is first shown

    std::wstring fullPath() const { return *folder + L"\\" + name; }
};

class ResultRows {
public:
    // Empties the list for a new run; the row count starts again at 0.
    void clear();
    void append(std::vector<FoundRow>&& rows);
    int count() const { return static_cast<int>(entries_.size()); }
    // The number of rows the current run added (the next row's data value).
    std::int32_t rowCount() const { return rowCount_; }
    ResultEntry& entry(int row) { return entries_[static_cast<size_t>(row)]; }
    const ResultEntry& entry(int row) const { return entries_[static_cast<size_t>(row)]; }
    const ResultRecord& record(const ResultEntry& entry) const { return ResultRecords[static_cast<size_t>(entry.data)]; }

    std::vector<ResultRecord> ResultRecords;

private:
    std::vector<ResultEntry> entries_;
    std::int32_t rowCount_ = 0;
};

}  // namespace findlark
