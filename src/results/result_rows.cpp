#include "results/result_rows.h"

#include "model/attributes.h"
#include "model/path_join.h"
#include "results/row_filter.h"

#include <algorithm>
#include <cstdint>

namespace findlark {

std::wstring ResultEntry::fullPath() const { return JoinPath(*folder, name); }

bool ResultEntry::isFolder() const { return (attributes & kAttributeDirectory) != 0; }

void ResultRows::clear() {
    names_.clear();
    folders_.clear();
    records_.clear();
    order_.clear();
    if (unfiltered_) unfiltered_ = std::make_shared<std::vector<std::int32_t>>();
    removedCount_ = 0;
}

void ResultRows::append(const RowSlice& slice) {
    const RowBatch& batch = *slice.batch;
    std::uint32_t batchFolder = UINT32_MAX, folder = 0;
    std::uint64_t folderWords = 0;
    const bool filtered = filter_ != nullptr;
    std::vector<std::int32_t>* const unfiltered = filtered ? &unfilteredOrder() : nullptr;
    for (std::size_t row = slice.begin; row < slice.end; ++row) {
        // Rows of one folder arrive together and share its path.
        if (batch.folderIndex(row) != batchFolder) {
            batchFolder = batch.folderIndex(row);
            const std::shared_ptr<const std::wstring>& path = batch.folder(batchFolder);
            if (folders_.empty() || folders_.back() != path) folders_.push_back(path);
            folder = static_cast<std::uint32_t>(folders_.size() - 1);
            if (filtered) folderWords = filter_->wordsIn(*path);
        }
        ResultRecord record;
        record.name = names_.add(batch.name(row));
        record.folder = folder;
        record.attributes = batch.attributes(row);
        record.size = batch.sizeOf(row);
        record.modified = batch.modified(row);
        record.times = batch.times(row);
        const auto data = static_cast<std::int32_t>(records_.size());
        if (filtered) unfiltered->push_back(data);
        if (!filtered || filter_->passes(batch.name(row), folderWords, *folders_[folder])) order_.push_back(data);
        records_.push_back(record);
    }
}

namespace {

ResultEntry EntryOf(const ResultRecord& record, std::wstring_view name, const std::wstring* folder, std::int32_t data) {
    return {name, folder, data, record.size, record.modified, record.attributes, record.times};
}

}  // namespace

ResultEntry ResultRows::entryOf(std::int32_t data) const {
    const ResultRecord& record = records_[static_cast<std::size_t>(data)];
    return EntryOf(record, names_.get(record.name), folders_[record.folder].get(), data);
}

void ResultRows::setFilter(std::shared_ptr<const RowFilter> filter) {
    if (filter && filter->empty()) filter.reset();
    if (filter && !filter_) unfiltered_ = std::make_shared<std::vector<std::int32_t>>(order_.begin(), order_.end());
    if (!filter && filter_) {
        order_.assign(unfiltered_->begin(), unfiltered_->end());
        unfiltered_.reset();
    }
    filter_ = std::move(filter);
}

void ResultRows::removeWhere(const std::function<bool(const ResultEntry&)>& remove) {
    std::vector<bool> removed(filter_ ? records_.size() : 0);
    order_.erase(std::remove_if(order_.begin(), order_.end(),
                                [&](std::int32_t data) {
                                    if (!remove(entryOf(data))) return false;
                                    if (filter_) removed[static_cast<std::size_t>(data)] = true;
                                    ++removedCount_;
                                    return true;
                                }),
                 order_.end());
    if (!filter_) return;
    std::vector<std::int32_t>& all = unfilteredOrder();
    all.erase(std::remove_if(all.begin(), all.end(), [&](std::int32_t data) { return removed[static_cast<std::size_t>(data)]; }),
              all.end());
}

std::vector<std::int32_t>& ResultRows::unfilteredOrder() {
    if (unfiltered_.use_count() > 1) unfiltered_ = std::make_shared<std::vector<std::int32_t>>(*unfiltered_);
    return *unfiltered_;
}

RowsSnapshot ResultRows::unfilteredRows() const {
    if (!filter_) return snapshot();
    RowsSnapshot snapshot = storage();
    snapshot.order_ = unfiltered_;  // shared: appending copies it first while the snapshot lives
    return snapshot;
}

RowsSnapshot ResultRows::snapshot() const {
    RowsSnapshot snapshot = storage();
    snapshot.order_ = std::make_shared<const std::vector<std::int32_t>>(order_.begin(), order_.end());
    return snapshot;
}

RowsSnapshot ResultRows::storage() const {
    RowsSnapshot snapshot;
    snapshot.records_ = records_.blocks();
    snapshot.names_ = names_.blocks();
    snapshot.recordCount_ = records_.size();
    snapshot.folders_.reserve(folders_.size());
    for (const auto& folder : folders_) snapshot.folders_.push_back(folder.get());
    return snapshot;
}

const ResultRecord& RowsSnapshot::record(std::int32_t data) const {
    constexpr std::size_t kBlock = SegmentedVector<ResultRecord>::kBlockSize;
    const auto index = static_cast<std::size_t>(data);
    return records_[index / kBlock][index % kBlock];
}

ResultEntry RowsSnapshot::entryOf(std::int32_t data) const {
    const ResultRecord& record = this->record(data);
    return EntryOf(record, NameArena::get(names_, record.name), folders_[record.folder], data);
}

}  // namespace findlark
