#include "search/skip_folders.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

// Capitals of ASCII and of "ü", as the platform's table has them.
wchar_t TestUpcase(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c == L'\u00fc' ? L'\u00dc' : c; }

TEST(SkipFolders, NamesMasksAndWholePathsWhateverTheCapitals) {
    const SkipFolders skip(L" node_modules ; *.tmp;b?n; \u00fcber ;C:\\Projects\\Old\\; d:/cache", &TestUpcase);
    const struct {
        const wchar_t* parent;
        const wchar_t* name;
        bool skipped;
    } cases[] = {
        {L"C:\\src", L"node_modules", true},
        {L"C:\\src\\deep\\er", L"Node_Modules", true},
        {L"C:\\src", L"node_modules2", false},
        {L"C:", L"x.TMP", true},
        {L"C:", L"bin", true},
        {L"C:", L"bins", false},
        {L"C:", L"\u00dcBER", true},
        {L"c:\\projects", L"OLD", true},
        {L"C:\\Other", L"Old", false},
        {L"D:", L"Cache", true},
        {L"D:\\x", L"cache", false},
    };
    for (const auto& each : cases) EXPECT_EQ(skip.skips(each.parent, each.name), each.skipped) << each.parent << L"\\" << each.name;
    EXPECT_TRUE(SkipFolders(L" ; ", &TestUpcase).empty());
    EXPECT_THROW(SkipFolders(L"[x", &TestUpcase), EMaskException);
}

}  // namespace
}  // namespace findlark
