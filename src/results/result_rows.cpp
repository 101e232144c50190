#include "results/result_rows.h"

#include "model/attributes.h"
#include "model/path_join.h"

#include <cstdint>

namespace findlark {

std::wstring ResultEntry::fullPath() const { return JoinPath(*folder, name); }

bool ResultEntry::isFolder() const { return (attributes & kAttributeDirectory) != 0; }

void ResultRows::clear() {
    names_.clear();
    folders_.clear();
    records_.clear();
    order_.clear();
}

void ResultRows::append(const RowSlice& slice) {
    const RowBatch& batch = *slice.batch;
    std::uint32_t batchFolder = UINT32_MAX, folder = 0;
    for (std::size_t row = slice.begin; row < slice.end; ++row) {
        // Rows of one folder arrive together and share its path.
        if (batch.folderIndex(row) != batchFolder) {
            batchFolder = batch.folderIndex(row);
            const std::shared_ptr<const std::wstring>& path = batch.folder(batchFolder);
            if (folders_.empty() || folders_.back() != path) folders_.push_back(path);
            folder = static_cast<std::uint32_t>(folders_.size() - 1);
        }
        ResultRecord record;
        record.name = names_.add(batch.name(row));
        record.folder = folder;
        record.attributes = batch.attributes(row);
        record.size = batch.sizeOf(row);
        record.modified = batch.modified(row);
        order_.push_back(static_cast<std::int32_t>(records_.size()));
        records_.push_back(record);
    }
}

namespace {

ResultEntry EntryOf(const ResultRecord& record, std::wstring_view name, const std::wstring* folder, std::int32_t data) {
    return {name, folder, data, record.size, record.modified, record.attributes};
}

}  // namespace

ResultEntry ResultRows::entryOf(std::int32_t data) const {
    const ResultRecord& record = records_[static_cast<std::size_t>(data)];
    return EntryOf(record, names_.get(record.name), folders_[record.folder].get(), data);
}

RowsSnapshot ResultRows::snapshot() const {
    RowsSnapshot snapshot;
    snapshot.order_.assign(order_.begin(), order_.end());
    snapshot.records_ = records_.blocks();
    snapshot.names_ = names_.blocks();
    snapshot.folders_.reserve(folders_.size());
    for (const auto& folder : folders_) snapshot.folders_.push_back(folder.get());
    return snapshot;
}

ResultEntry RowsSnapshot::entry(std::size_t position) const {
    constexpr std::size_t kBlock = SegmentedVector<ResultRecord>::kBlockSize;
    const std::int32_t data = order_[position];
    const auto index = static_cast<std::size_t>(data);
    const ResultRecord& record = records_[index / kBlock][index % kBlock];
    return EntryOf(record, NameArena::get(names_, record.name), folders_[record.folder], data);
}

}  // namespace findlark
