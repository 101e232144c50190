#pragma once
// The results list as CSV: a header and one record per row with the columns shown, UTF-8 with a
// byte-order mark, sizes in bytes, dates in ISO 8601 (local time), fields quoted where RFC 4180
// needs it, records ended by CR LF.
#include "model/date_time.h"
#include "results/result_columns.h"

#include <cstdint>
#include <string>
#include <vector>

namespace findlark {

struct CsvRow {
    std::wstring name;
    std::wstring folder;
    std::int64_t size = 0;  // as the list shows it
    DateTime modified = 0;
    std::wstring type;
    std::uint32_t attributes = 0;
    DateTime created = 0;  // local time; 0 when unknown
    DateTime accessed = 0;
};

// `columns`: column numbers (`SortColumn`) in their order on screen.
std::string ExportCsv(const std::vector<CsvRow>& rows, const std::vector<int>& columns = {SortByName, SortByFolder, SortBySize, SortByDate});

}  // namespace findlark
