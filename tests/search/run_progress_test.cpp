#include "search/run_progress.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(RunProgressText, CountsAndTheCurrentFolderWhileSearching) {
    RunProgress progress;
    progress.foldersSearched = 12;
    progress.itemsFound = 345;
    progress.currentFolder = std::make_shared<const std::wstring>(L"C:\\Windows");
    EXPECT_EQ(ProgressText(progress), L"12 folders searched, 345 items found \u2014 C:\\Windows");
    progress.foldersSearched = 1;
    progress.itemsFound = 1;
    progress.currentFolder.reset();
    EXPECT_EQ(ProgressText(progress), L"1 folder searched, 1 item found");
}

TEST(RunProgressText, UnreadableFoldersAreCountedOnlyWhenThereAreAny) {
    EXPECT_EQ(UnreadableText(0), L"");
    EXPECT_EQ(UnreadableText(1), L"1 folder could not be read");
    EXPECT_EQ(UnreadableText(3), L"3 folders could not be read");
}

}  // namespace
}  // namespace findlark
