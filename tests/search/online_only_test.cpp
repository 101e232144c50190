// Online-only files (kept by a sync service, downloaded when read) under a content search. The
// platform here never reports their attributes, so the listing gives them to chosen names.
#include "search/search_worker.h"

#include "support/file_text.h"
#include "support/temp_tree.h"
#include "win/handle.h"

#include <gtest/gtest.h>

#include <set>

using namespace findlark;

namespace {

struct RunOutcome {
    std::set<std::wstring> names;
    RunProgress progress;
    bool failed = false;
};

class OnlineOnlyTest : public testing::Test {
protected:
    OnlineOnlyTest() {
        testing_support::WriteText(tree.path(L"local.txt"), "a needle here");
        testing_support::WriteText(tree.path(L"local-plain.txt"), "a plain note");
        testing_support::WriteText(tree.path(L"cloud.txt"), "a needle there");
        testing_support::WriteText(tree.path(L"cloud-plain.txt"), "a plain note");
        tree.folder(L"cloud-folder");
    }

    SearchCriteria contentCriteria(const wchar_t* phrase) const {
        SearchCriteria c;
        c.LookIn = false;
        c.AdditionalFolders = true;
        c.Directories = {tree.root()};
        c.SearchSubfolders = false;
        c.ContainingText = true;
        c.ContainingText0 = phrase;
        return c;
    }

    // Runs the worker's walk on this thread; names starting "cloud" carry `onlineBits`.
    RunOutcome run(const SearchCriteria& c, std::uint32_t onlineBits, bool searchOnlineOnlyText) const {
        SearchRequest request{c, {}};
        request.lookAheadThreads = 0;
        request.searchOnlineOnlyText = searchOnlineOnlyText;
        request.adjustListedFacts = [onlineBits](EntryFacts& facts) {
            if (facts.name.rfind(L"cloud", 0) == 0) facts.attributes |= onlineBits;
        };
        RunChannel channel([] { return true; });
        RunSearch(request, channel);
        const RunEvents::Taken taken = channel.events.take(1000);
        EXPECT_TRUE(taken.ended);
        RunOutcome outcome{{}, taken.progress, taken.failed};
        for (const RowSlice& slice : taken.slices) {
            for (std::size_t row = slice.begin; row < slice.end; ++row) outcome.names.emplace(slice.batch->name(row));
        }
        return outcome;
    }

    testing_support::TempTree tree;
};

using Names = std::set<std::wstring>;
constexpr std::uint32_t kOnlineBits[] = {0x1000, 0x40000, 0x400000};

TEST_F(OnlineOnlyTest, EachBitKeepsTheFileUnreadAndCounted) {
    for (const std::uint32_t bit : kOnlineBits) {
        const RunOutcome outcome = run(contentCriteria(L"needle"), bit, false);
        EXPECT_EQ(outcome.names, Names{L"local.txt"}) << bit;
        // The folder is not a file: nothing of it would be downloaded, and it is not counted.
        EXPECT_EQ(outcome.progress.onlineOnlyNotSearched, 2u) << bit;
        EXPECT_EQ(AfterRunText(outcome.progress, outcome.failed), L"2 online-only files were not searched for text");
    }
}

TEST_F(OnlineOnlyTest, ThePreferenceReadsThemLikeAnyOtherFile) {
    for (const std::uint32_t bit : kOnlineBits) {
        const RunOutcome outcome = run(contentCriteria(L"needle"), bit, true);
        EXPECT_EQ(outcome.names, (Names{L"cloud.txt", L"local.txt"})) << bit;
        EXPECT_EQ(outcome.progress.onlineOnlyNotSearched, 0u);
        EXPECT_EQ(AfterRunText(outcome.progress, outcome.failed), L"");
    }
}

// A file held open without sharing cannot be read: it is listed by no operator and counted, like an
// online-only one; folders are no files that could not be read.
TEST_F(OnlineOnlyTest, AFileThatCannotBeReadIsCountedNotListed) {
    testing_support::WriteText(tree.path(L"locked.txt"), "a needle, locked away");
    const win::UniqueFileHandle held(
        ::CreateFileW(tree.path(L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    SearchCriteria notCriteria = contentCriteria(L"needle");
    notCriteria.AdditionalText[0] = {true, TextNot, L"absent"};
    for (const SearchCriteria& c : {contentCriteria(L"needle"), notCriteria}) {
        const RunOutcome outcome = run(c, 0, false);
        EXPECT_EQ(outcome.names.count(L"locked.txt"), 0u);
        EXPECT_EQ(outcome.progress.unreadableFiles, 1u);
        EXPECT_EQ(AfterRunText(outcome.progress, outcome.failed), L"1 file could not be read for text");
    }
}

// An unsearched file is listed neither as holding a phrase nor as lacking one.
TEST_F(OnlineOnlyTest, NoOperatorListsAnUnsearchedFile) {
    SearchCriteria orCriteria = contentCriteria(L"absent");
    orCriteria.AdditionalText[0] = {true, TextOr, L"needle"};
    SearchCriteria notCriteria = contentCriteria(L"a");
    notCriteria.AdditionalText[0] = {true, TextNot, L"needle"};
    SearchCriteria andCriteria = contentCriteria(L"needle");
    andCriteria.AdditionalText[0] = {true, TextAnd, L"a "};
    for (const std::uint32_t bit : kOnlineBits) {
        EXPECT_EQ(run(orCriteria, bit, false).names, Names{L"local.txt"});
        EXPECT_EQ(run(andCriteria, bit, false).names, Names{L"local.txt"});
        EXPECT_EQ(run(notCriteria, bit, false).names, Names{L"local-plain.txt"});
        EXPECT_EQ(run(notCriteria, bit, true).names, (Names{L"cloud-plain.txt", L"local-plain.txt"}));
    }
}

TEST_F(OnlineOnlyTest, ASearchWithoutTextListsThemByName) {
    SearchCriteria c = contentCriteria(L"needle");
    c.ContainingText = false;
    const RunOutcome outcome = run(c, 0x400000, false);
    EXPECT_EQ(outcome.names, (Names{L"cloud-folder", L"cloud-plain.txt", L"cloud.txt", L"local-plain.txt", L"local.txt"}));
    EXPECT_EQ(outcome.progress.onlineOnlyNotSearched, 0u);
}

}  // namespace
