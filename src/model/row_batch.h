#pragma once
// Rows on their way from the search worker to the results list, packed: the names of a batch share
// one buffer and each row is a small fixed record, so handing millions of rows over allocates per
// batch, not per row.
#include "model/date_time.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

// A row's creation and last access, as UTC file times: turned into local time only when shown.
struct RowTimes {
    std::uint64_t created = 0;
    std::uint64_t accessed = 0;
};

class RowBatch {
public:
    void add(std::wstring_view name, const std::shared_ptr<const std::wstring>& folder, std::int64_t size,
             DateTime modified, std::uint32_t attributes, RowTimes times = {});
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    std::wstring_view name(std::size_t row) const;
    // Rows of one folder share the folder's path; `folderIndex` tells them apart within the batch.
    std::uint32_t folderIndex(std::size_t row) const { return rows_[row].folder; }
    const std::shared_ptr<const std::wstring>& folder(std::uint32_t folderIndex) const { return folders_[folderIndex]; }
    std::int64_t sizeOf(std::size_t row) const { return rows_[row].size; }
    DateTime modified(std::size_t row) const { return rows_[row].modified; }
    std::uint32_t attributes(std::size_t row) const { return rows_[row].attributes; }
    RowTimes times(std::size_t row) const { return rows_[row].times; }

private:
    struct Row {
        std::uint32_t nameOffset;
        std::uint32_t nameLength;
        std::uint32_t folder;
        std::uint32_t attributes;
        std::int64_t size;
        DateTime modified;
        RowTimes times;
    };
    std::vector<wchar_t> names_;
    std::vector<std::shared_ptr<const std::wstring>> folders_;
    std::vector<Row> rows_;
};

// A run of rows of one batch, [begin, end): what one drain of the window takes.
struct RowSlice {
    std::shared_ptr<const RowBatch> batch;
    std::size_t begin = 0;
    std::size_t end = 0;
};

}  // namespace findlark
