#include "fileops/copy_decisions.h"
#include "fileops/failure_report.h"
#include "fileops/new_name.h"

#include <gtest/gtest.h>

#include <set>

namespace findlark {
namespace {

TEST(CopyDecisions, ToAllAnswersHoldForTheRestAndAbortStops) {
    CopyDecisions asking(false);
    EXPECT_EQ(asking.onConflict(), CopyDecisions::Step::Ask);
    EXPECT_EQ(asking.onAnswer(ConfirmAnswer::No), CopyDecisions::Step::Skip);
    EXPECT_EQ(asking.onAnswer(ConfirmAnswer::Cancel), CopyDecisions::Step::Skip);
    EXPECT_EQ(asking.onAnswer(ConfirmAnswer::Rename), CopyDecisions::Step::CopyRenamed);
    EXPECT_EQ(asking.onConflict(), CopyDecisions::Step::Ask);  // a rename holds for its item only
    EXPECT_EQ(asking.onAnswer(ConfirmAnswer::YesToAll), CopyDecisions::Step::Copy);
    EXPECT_EQ(asking.onConflict(), CopyDecisions::Step::Copy);

    CopyDecisions skipping(false);
    EXPECT_EQ(skipping.onAnswer(ConfirmAnswer::NoToAll), CopyDecisions::Step::Skip);
    EXPECT_EQ(skipping.onConflict(), CopyDecisions::Step::Skip);
    EXPECT_EQ(CopyDecisions(false).onAnswer(ConfirmAnswer::Abort), CopyDecisions::Step::Stop);
    EXPECT_EQ(CopyDecisions(true).onConflict(), CopyDecisions::Step::Copy);
}

// A new name lands in the chosen folder under exactly that name.
TEST(NewName, ANewNameStaysInItsFolderAndIsOpenableEverywhere) {
    for (const wchar_t* good : {L"copy.txt", L"a b", L"%x%", L"(1)", L".profile", L"console.txt", L"com10"})
        EXPECT_TRUE(IsValidNewName(good)) << testing::PrintToString(std::wstring(good));
    for (const wchar_t* bad : {L"", L".", L"..", L"..\\up", L"sub/x", L"C:x", L"a*", L"a?", L"q\"", L"<", L"|", L"tab\there",
                               L"name.", L"name ", L"con", L"NUL.txt", L"com1", L"aux .log"})
        EXPECT_FALSE(IsValidNewName(bad)) << testing::PrintToString(std::wstring(bad));
}

// Explorer's "keep both": the number goes before the last extension, never into a folder's name.
TEST(NewName, TheFirstFreeNameSkipsTakenNumbers) {
    const std::set<std::wstring> taken{L"report (2).txt", L"report (3).txt", L"v1.2 (2)"};
    auto isTaken = [&](const std::wstring& name) { return taken.count(name) > 0; };
    struct Case {
        const wchar_t* name;
        bool folder;
        const wchar_t* expected;
    } const cases[] = {
        {L"report.txt", false, L"report (4).txt"}, {L"a.tar.gz", false, L"a.tar (2).gz"},
        {L".profile", false, L".profile (2)"},     {L"notes", false, L"notes (2)"},
        {L"v1.2", true, L"v1.2 (3)"},
    };
    for (const Case& each : cases) EXPECT_EQ(FirstFreeName(each.name, each.folder, isTaken), each.expected);
    EXPECT_EQ(FirstFreeName(L"x.txt", false, [](const std::wstring&) { return true; }), L"x.txt");
}

TEST(FailureReport, OneMessageNamesEachItemWithItsReason) {
    EXPECT_EQ(FailureMessage(OperationKind::Copy, {}), L"");
    EXPECT_EQ(FailureMessage(OperationKind::Copy, {{L"C:\\a.txt", FailureReason::InUse, {}},
                                                   {L"C:\\b", FailureReason::Other, L"The network name cannot be found"}}),
              L"These items could not be copied:\n\nC:\\a.txt\n    It is in use by another program.\n\n"
              L"C:\\b\n    The network name cannot be found.");
    // A move says which step failed: an item copied but not deleted has two copies now.
    EXPECT_EQ(FailureMessage(OperationKind::Move, {{L"C:\\r.txt", FailureReason::ReadOnly, {}, FailedStep::Delete},
                                                   {L"C:\\d", FailureReason::TargetInsideSource, {}}}),
              L"These items could not be moved:\n\nC:\\r.txt\n    It was copied, but could not be deleted: it is read-only.\n\n"
              L"C:\\d\n    The target is inside the item itself.");
    EXPECT_EQ(FailureMessage(OperationKind::Delete, {{L"C:\\x", FailureReason::ListingFailed, L"Access is denied"}}),
              L"These items could not be deleted:\n\nC:\\x\n    Not all of its contents could be listed (Access is denied).");

    std::vector<Failure> many(23, Failure{L"p", FailureReason::Vanished, {}});
    const std::wstring text = FailureMessage(OperationKind::Delete, many);
    EXPECT_NE(text.find(L"... and 3 more."), std::wstring::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 1 + 2 + 19 * 3 + 2);  // twenty listed
}

}  // namespace
}  // namespace findlark
