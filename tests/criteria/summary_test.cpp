#include "criteria/summary.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

using Lines = std::vector<std::wstring>;

const SummaryTexts kTexts{L"Local Hard Drives (C:)", [](DateTime d) { return L"D" + std::to_wstring(static_cast<int>(d)); },
                          [](DateTime t) { return L"T" + std::to_wstring(static_cast<int>(t * 24)); }};

// Name box on and empty, look-in on, everything else off but "all files" and subfolders.
SearchCriteria Plain() {
    SearchCriteria c;
    c.Mask = L"";
    return c;
}

TEST(Summary, ThePlainSearchIsEightLines) {
    EXPECT_EQ(SearchSummaryLines(Plain(), kTexts),
              (Lines{L"Common search options:", L"All or part of the file name: *.*", L"Case sensitive: no",
                     L"Look in: Local Hard Drives (C:)", L"", L"Advanced search options",
                     L"Search all files and folders: yes", L"Search subfolders: yes"}));
}

TEST(Summary, CommonAndFolderSections) {
    SearchCriteria c = Plain();
    c.AllOrPartOfTheFileName = false;
    Lines lines = SearchSummaryLines(c, kTexts);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3), (Lines{L"Common search options:", L"Look in: Local Hard Drives (C:)", L""}));
    c.LookIn = false;
    EXPECT_EQ(SearchSummaryLines(c, kTexts).front(), L"Advanced search options");
    c.AdditionalFolders = true;  // with no folder: no section
    EXPECT_EQ(SearchSummaryLines(c, kTexts).front(), L"Advanced search options");
    c.Directories = {L"C:\\one", L"D:\\"};
    lines = SearchSummaryLines(c, kTexts);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4), (Lines{L"Additional folders", L"C:\\one", L"D:\\", L""}));
    c = Plain();
    c.LookInWhere = -1;  // no row chosen: the line still stands, without a caption
    EXPECT_EQ(SearchSummaryLines(c, SummaryTexts{L"", kTexts.formatDate, kTexts.formatTime})[3], L"Look in: ");
}

TEST(Summary, DatesInTheOrderModifiedAccessedCreated) {
    SearchCriteria c = Plain();
    c.AllOrPartOfTheFileName = c.LookIn = false;
    c.CreatedDateTime.When = WhenWithinThePastYear;
    const Lines created = SearchSummaryLines(c, kTexts);
    EXPECT_EQ(Lines(created.begin(), created.begin() + 3), (Lines{L"Date and time", L"Created date: within the past year", L""}));
    c.ModifiedDateTime = {WhenSpecifyDateAndTime, false, 100, 0.5, true, 200, 0.25};
    c.AccessedDateTime.When = WhenWithinTheLastWeek;
    Lines lines = SearchSummaryLines(c, kTexts);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 5),
              (Lines{L"Date and time", L"Modified date: to D200 T6", L"Accessed date: within the last week",
                     L"Created date: within the past year", L""}));
    c.ModifiedDateTime.From = true;
    EXPECT_EQ(SearchSummaryLines(c, kTexts)[1], L"Modified date: from D100 T12 to D200 T6");
    c.ModifiedDateTime.From = c.ModifiedDateTime.To = false;
    EXPECT_EQ(SearchSummaryLines(c, kTexts)[1], L"Modified date: ");
    c.ModifiedDateTime.When = WhenWithinThePastMonth;
    EXPECT_EQ(SearchSummaryLines(c, kTexts)[1], L"Modified date: within the past month");
}

TEST(Summary, EverySizeWording) {
    SearchCriteria c = Plain();
    c.AllOrPartOfTheFileName = c.LookIn = false;
    const wchar_t* expected[] = {L"very small (less than 1 KB)", L"small (less than 100 KB)", L"medium (less than 1 MB)",
                                 L"lerge (less than 10 MB)", L"very large (more than 10 MB)"};
    for (int size = SizeVerySmall; size <= SizeVeryLarge; ++size) {
        c.Size = size;
        EXPECT_EQ(SearchSummaryLines(c, kTexts)[1], std::wstring(L"Size: ") + expected[size - 1]);
    }
    c.Size = SizeSpecify;
    c.AtLeastSize = L"10";
    c.AtLeastSizeB = 1;
    c.AtMostSize = L"0002";
    c.AtMostSizeB = 3;
    EXPECT_EQ(SearchSummaryLines(c, kTexts)[1], L"Size: at least 10 KB and at most 0002 GB");
    c.AtLeast = false;
    EXPECT_EQ(SearchSummaryLines(c, kTexts)[1], L"Size: at most 0002 GB");
    c.AtMost = false;
    EXPECT_EQ(SearchSummaryLines(c, kTexts)[1], L"Size: ");
    EXPECT_EQ(SearchSummaryLines(c, kTexts)[0], L"Size");
}

TEST(Summary, AttributesInBothModes) {
    SearchCriteria c = Plain();
    c.AllOrPartOfTheFileName = c.LookIn = false;
    c.Attributes = true;
    c.Archive = c.Compressed = c.Encrypted = c.ReadOnly = false;
    c.Hidden = c.System = true;
    EXPECT_EQ(SearchSummaryLines(c, kTexts)[1], L"Files and folders that contain the following attributes: hidden, system.");
    c.Hidden = c.System = false;
    EXPECT_EQ(SearchSummaryLines(c, kTexts)[1], L"Files and folders that contain the following attributes.");
    c.Match = MatchExact;
    c.ReparsePoint = true;
    const Lines lines = SearchSummaryLines(c, kTexts);
    EXPECT_EQ(lines[1], L"Files and folders that match the following attributes:");
    EXPECT_EQ(lines[2], L"Archive: no");
    EXPECT_EQ(lines[10], L"Reparse point: yes");
    EXPECT_EQ(lines[13], L"Temporary: no");
    EXPECT_EQ(lines[14], L"");
}

TEST(Summary, TextsAndTheAdvancedOptions) {
    SearchCriteria c = Plain();
    c.AllOrPartOfTheFileName = c.LookIn = false;
    c.ContainingText = true;
    c.ContainingText0 = L"first phrase";
    c.MatchCase = false;
    c.PhrasesAreRegularExpressions = c.PhrasesAreWholeWords = true;
    c.AdditionalText[0] = {true, TextOr, L"second phrase"};
    c.AdditionalText[2] = {true, TextNot, L"fourth"};
    c.SearchAllFilesAndFolders = false;
    c.SearchHiddenFilesAndFolders = false;
    c.SearchSubfolders = false;
    c.SkipFolders = L"node_modules; C:\\Windows";
    EXPECT_EQ(SearchSummaryLines(c, kTexts),
              (Lines{L"Containing text", L"Text: first phrase", L"Match case: no", L"Phrases are regular expressions",
                     L"Whole words only", L"OR second phrase", L"NOT fourth", L"",
                     L"Advanced search options", L"Search system folders: yes", L"Search hidden files and folders: no",
                     L"Search subfolders: no", L"Skip folders: node_modules; C:\\Windows"}));
}

}  // namespace
}  // namespace findlark
