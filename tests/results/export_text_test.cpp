#include "results/export_text.h"

#include "model/utf8.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

// A code page that holds ASCII only.
const AnsiEncoder kAscii = [](std::wstring_view text) -> std::optional<std::string> {
    std::string bytes;
    for (const wchar_t c : text) {
        if (c > 0x7F) return std::nullopt;
        bytes.push_back(static_cast<char>(c));
    }
    return bytes;
};

TEST(ExportText, OnePathPerLineInTheCodePageWhenEveryPathFits) {
    EXPECT_EQ(ExportText({L"C:\\a.txt", L"D:\\b"}, kAscii), "C:\\a.txt\r\nD:\\b\r\n");
    EXPECT_EQ(ExportText({}, kAscii), "");
}

TEST(ExportText, AnyPathOutsideTheCodePageMakesTheWholeFileUtf8) {
    EXPECT_EQ(ExportText({L"C:\\a", L"C:\\\u00e9\U0001F600"}, kAscii),
              "\xEF\xBB\xBF" "C:\\a\r\nC:\\\xC3\xA9\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(Utf8Of(std::wstring_view(L"\xD800x")), "\xEF\xBF\xBDx");  // a lone half of a pair
}

}  // namespace
}  // namespace findlark
