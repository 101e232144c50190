#include "results/export_csv.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

// Quotes only where a field needs them, doubled inside; UTF-8 names; sizes in bytes; ISO dates.
TEST(ExportCsv, EveryColumnQuotedAsRfc4180Says) {
    const DateTime modified = EncodeDateTime({2026, 12, 9, 7, 5, 3});
    EXPECT_EQ(ExportCsv({}), "\xEF\xBB\xBFName,In Folder,Size,Date Modified\r\n");
    EXPECT_EQ(ExportCsv({{L"a.txt", L"C:\\dir", 5000000000, modified},
                         {L"x,\"y\".txt", L"C:\\a, b", 0, modified},
                         {L"\u65e5.txt", L"C:", 1, modified}}),
              "\xEF\xBB\xBFName,In Folder,Size,Date Modified\r\n"
              "a.txt,C:\\dir,5000000000,2026-12-09T07:05:03\r\n"
              "\"x,\"\"y\"\".txt\",\"C:\\a, b\",0,2026-12-09T07:05:03\r\n"
              "\xE6\x97\xA5.txt,C:,1,2026-12-09T07:05:03\r\n");
}

}  // namespace
}  // namespace findlark
