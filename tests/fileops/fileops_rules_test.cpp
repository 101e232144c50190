#include "fileops/command_line.h"
#include "fileops/copy_decisions.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(CopyDecisions, ToAllAnswersHoldForTheRestAndAbortStops) {
    CopyDecisions asking(false);
    EXPECT_EQ(asking.onConflict(), CopyDecisions::Step::Ask);
    EXPECT_EQ(asking.onAnswer(ConfirmAnswer::No), CopyDecisions::Step::Skip);
    EXPECT_EQ(asking.onAnswer(ConfirmAnswer::Cancel), CopyDecisions::Step::Skip);
    EXPECT_EQ(asking.onConflict(), CopyDecisions::Step::Ask);
    EXPECT_EQ(asking.onAnswer(ConfirmAnswer::YesToAll), CopyDecisions::Step::Copy);
    EXPECT_EQ(asking.onConflict(), CopyDecisions::Step::Copy);

    CopyDecisions skipping(false);
    EXPECT_EQ(skipping.onAnswer(ConfirmAnswer::NoToAll), CopyDecisions::Step::Skip);
    EXPECT_EQ(skipping.onConflict(), CopyDecisions::Step::Skip);
    EXPECT_EQ(CopyDecisions(false).onAnswer(ConfirmAnswer::Abort), CopyDecisions::Step::Stop);
    EXPECT_EQ(CopyDecisions(true).onConflict(), CopyDecisions::Step::Copy);
}

TEST(CommandLine, ArgumentsReadBackAsTheyWere) {
    EXPECT_EQ(QuoteArgument(L"C:\\a b"), L"\"C:\\a b\"");
    EXPECT_EQ(QuoteArgument(L"D:\\"), L"\"D:\\\\\"");  // the closing quote stays a quote
    EXPECT_EQ(QuoteArgument(L"C:\\%WINDIR%x & (y)!^"), L"\"C:\\%WINDIR%x & (y)!^\"");
    EXPECT_EQ(XcopyArguments(L"C:\\s", L"E:\\t\\"), L"\"C:\\s\" \"E:\\t\\\\\" /E /C /H /R /Y /I /Q");
}

TEST(CommandLine, ANewNameStaysInItsFolder) {
    for (const wchar_t* good : {L"copy.txt", L"a b", L"%x%", L"(1)"}) EXPECT_TRUE(IsValidNewName(good));
    for (const wchar_t* bad : {L"", L".", L"..", L"..\\up", L"sub/x", L"C:x", L"a*", L"a?", L"q\"", L"<", L"|"})
        EXPECT_FALSE(IsValidNewName(bad)) << testing::PrintToString(std::wstring(bad));
}

}  // namespace
}  // namespace findlark
