#include "model/row_batch.h"

namespace findlark {

void RowBatch::add(std::wstring_view name, const std::shared_ptr<const std::wstring>& folder, std::int64_t size,
                   DateTime modified, std::uint32_t attributes, RowTimes times) {
    if (folders_.empty() || folders_.back() != folder) folders_.push_back(folder);
    const auto offset = static_cast<std::uint32_t>(names_.size());
    names_.insert(names_.end(), name.begin(), name.end());
    rows_.push_back({offset, static_cast<std::uint32_t>(name.size()), static_cast<std::uint32_t>(folders_.size() - 1),
                     attributes, size, modified, times});
}

std::wstring_view RowBatch::name(std::size_t row) const {
    return {names_.data() + rows_[row].nameOffset, rows_[row].nameLength};
}

}  // namespace findlark
