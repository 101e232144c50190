#include "results/export_csv.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

// Quotes only where a field needs them, doubled inside; UTF-8 names; sizes in bytes; ISO dates.
TEST(ExportCsv, EveryColumnQuotedAsRfc4180Says) {
    const DateTime modified = EncodeDateTime({2026, 12, 9, 7, 5, 3});
    EXPECT_EQ(ExportCsv({}), "\xEF\xBB\xBFName,In Folder,Size,Date Modified\r\n");
    EXPECT_EQ(ExportCsv({{L"a.txt", L"C:\\dir", 5000000000, modified, {}, 0, 0, 0},
                         {L"x,\"y\".txt", L"C:\\a, b", 0, modified, {}, 0, 0, 0},
                         {L"\u65e5.txt", L"C:", 1, modified, {}, 0, 0, 0}}),
              "\xEF\xBB\xBFName,In Folder,Size,Date Modified\r\n"
              "a.txt,C:\\dir,5000000000,2026-12-09T07:05:03\r\n"
              "\"x,\"\"y\"\".txt\",\"C:\\a, b\",0,2026-12-09T07:05:03\r\n"
              "\xE6\x97\xA5.txt,C:,1,2026-12-09T07:05:03\r\n");
}

// The columns shown, in their order: the further ones too, a time never known left empty.
TEST(ExportCsv, WritesTheColumnsShownInTheirOrder) {
    const DateTime created = EncodeDateTime({2025, 1, 2, 3, 4, 5});
    const std::vector<CsvRow> rows = {{L"b.tar.gz", L"C:", 7, 0, L"GZ File", 0x21, created, 0},
                                      {L"dir.d", L"C:", 0, 0, L"File folder", 0x10, 0, created}};
    EXPECT_EQ(ExportCsv(rows, {SortByAttributes, SortByName, SortByType, SortByExtension, SortByCreated, SortByAccessed}),
              "\xEF\xBB\xBF" "Attributes,Name,Type,Extension,Date Created,Date Accessed\r\n"
              "RA,b.tar.gz,GZ File,gz,2025-01-02T03:04:05,\r\n"
              "D,dir.d,File folder,,,2025-01-02T03:04:05\r\n");
}

}  // namespace
}  // namespace findlark
