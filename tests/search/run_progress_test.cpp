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

TEST(RunProgressText, WhatTheListMayLackIsToldOnlyWhenThereIsAny) {
    RunProgress progress;
    EXPECT_EQ(AfterRunText(progress, false), L"");
    progress.unreadableFolders = 1;
    EXPECT_EQ(AfterRunText(progress, false), L"1 folder could not be read");
    progress.unreadableFolders = 3;
    EXPECT_EQ(AfterRunText(progress, false), L"3 folders could not be read");
    EXPECT_EQ(AfterRunText(progress, true), L"The search ended early after an error; 3 folders could not be read");
    EXPECT_EQ(AfterRunText(RunProgress{}, true), L"The search ended early after an error");
    progress.onlineOnlyNotSearched = 1;
    EXPECT_EQ(AfterRunText(progress, false),
              L"3 folders could not be read; 1 online-only file was not searched for text");
    progress.unreadableFolders = 0;
    progress.onlineOnlyNotSearched = 7;
    EXPECT_EQ(AfterRunText(progress, false), L"7 online-only files were not searched for text");
    progress.unreadableFiles = 2;
    EXPECT_EQ(AfterRunText(progress, false), L"2 files could not be read for text; 7 online-only files were not searched for text");
}

}  // namespace
}  // namespace findlark
