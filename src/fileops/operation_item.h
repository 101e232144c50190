#pragma once
// One selected row handed to a file operation: where its item is and what the row shows of it.
#include "model/date_time.h"
#include "model/path_join.h"

#include <cstdint>
#include <string>

namespace findlark {

// What the row lists: an item that is no longer of that kind is not deleted.
enum class ItemKind { Unknown, File, Folder };

struct OperationItem {
    std::int32_t row = 0;  // the row's data value
    std::wstring folder;
    std::wstring name;
    std::int64_t size = 0;  // the row's stored size and modification time (local)
    DateTime modified = 0;
    ItemKind kind = ItemKind::Unknown;

    // Folder, "\" and name, as for every row.
    std::wstring fullPath() const { return folder + L"\\" + name; }
};

}  // namespace findlark
