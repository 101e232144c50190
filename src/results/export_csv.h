#pragma once
// The results list as CSV: a header and one record per row with every column, UTF-8 with a
// byte-order mark, sizes in bytes, dates in ISO 8601 (local time), fields quoted where RFC 4180
// needs it, records ended by CR LF.
#include "model/date_time.h"

#include <cstdint>
#include <string>
#include <vector>

namespace findlark {

struct CsvRow {
    std::wstring name;
    std::wstring folder;
    std::int64_t size = 0;  // as the list shows it
    DateTime modified = 0;
};

std::string ExportCsv(const std::vector<CsvRow>& rows);

}  // namespace findlark
