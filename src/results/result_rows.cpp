#include "results/result_rows.h"

namespace findlark {

void ResultRows::clear() {
    entries_.clear();
    ResultRecords.clear();
    rowCount_ = 0;
}

void ResultRows::append(std::vector<FoundRow>&& rows) {
    entries_.reserve(entries_.size() + rows.size());
    ResultRecords.resize(static_cast<size_t>(rowCount_));
    ResultRecords.reserve(ResultRecords.size() + rows.size());
    for (FoundRow& row : rows) {
        ResultRecords.push_back({row.size, row.modified});
        entries_.push_back({std::move(row.name), std::move(row.folder), rowCount_++, -1});
    }
}

}  // namespace findlark
