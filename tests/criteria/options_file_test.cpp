#include "criteria/options_file.h"

#include "criteria/date_text.h"
#include "support/memory_options.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace findlark {
namespace {

using testing_support::MemoryOptions;
using Lines = std::vector<std::wstring>;

// Month-first dates and 24-hour times, as the tests' regional settings.
const DateTimeTexts kTexts{
    [](DateTime d) {
        const CivilDateTime c = DecodeDateTime(d);
        return std::to_wstring(c.month) + L"/" + std::to_wstring(c.day) + L"/" + std::to_wstring(c.year);
    },
    [](DateTime t) {
        const CivilDateTime c = DecodeDateTime(t);
        return std::to_wstring(c.hour) + L":" + (c.minute < 10 ? L"0" : L"") + std::to_wstring(c.minute) + L":" +
               (c.second < 10 ? L"0" : L"") + std::to_wstring(c.second);
    },
    [](std::wstring_view text) { return ParseDateText(text, L"M/d/yyyy"); },
    [](std::wstring_view text) { return ParseTimeText(text, L"H:mm:ss"); },
};
const DateTime kNow = EncodeDateTime({2026, 12, 8, 9, 30, 15});

std::vector<OptionAssignment> Load(MemoryOptions& file, bool switchDefault = false, int rows = 10) {
    return LoadSearchOptions(file, switchDefault, rows, kTexts, kNow);
}

// The value an assignment gives a field, the last one winning; nothing when no key touched it.
const OptionAssignment* Assigned(const std::vector<OptionAssignment>& all, OptionField field, int index = 0) {
    const OptionAssignment* found = nullptr;
    for (const OptionAssignment& a : all) {
        if (a.field == field && a.index == index) found = &a;
    }
    return found;
}

TEST(OptionsFile, AFreshFileListsTheKeysInOrderUnderTheirConditions) {
    MemoryOptions file;
    EXPECT_FALSE(SaveSearchOptions(SearchCriteria{}, file, kTexts));
    EXPECT_EQ(file.lines(), (Lines{
                                L"Common/AllOrPartOfTheFileName=1", L"Common/Mask=", L"Common/CaseSensitive=0",
                                L"Common/LookIn=1", L"Common/LookInWhere=2", L"Additional Folders/AdditionalFolders=0",
                                L"ModifiedDateTime/WhenModified=0", L"CreatedDateTime/WhenCreated=0",
                                L"AccessedDateTime/WhenAccessed=0", L"Size/Size=0", L"Attributes/Attributes=0",
                                L"Containing Text/ContainingText=0", L"Advanced/SearchAllFilesAndFolders=1",
                                L"Advanced/SearchSubfolders=1"}));

    SearchCriteria c;
    c.AllOrPartOfTheFileName = false;
    c.AdditionalFolders = true;
    c.Directories = {L"C:\\a", L"D:\\"};
    c.ModifiedDateTime = {WhenSpecifyDateAndTime, true, EncodeDateTime({2026, 3, 4}), EncodeDateTime({1899, 12, 30, 13, 5, 9}),
                          false, 0, 0};
    c.Size = SizeSpecify;
    c.AtMost = false;
    c.Attributes = true;
    c.Match = MatchExact;
    c.ContainingText = true;
    c.ContainingText0 = L"phrase";
    c.MatchCase = false;
    c.AdditionalText[1] = {true, TextNot, L"not this"};
    c.SearchAllFilesAndFolders = false;
    MemoryOptions full;
    EXPECT_FALSE(SaveSearchOptions(c, full, kTexts));
    const Lines lines = full.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), L"Common/Mask="), 0);
    const Lines expectedPart{L"Additional Folders/NumberOfDirectories=2", L"Additional Folders/Directory0=C:\\a",
                             L"Additional Folders/Directory1=D:\\", L"ModifiedDateTime/WhenModified=4",
                             L"ModifiedDateTime/From=1", L"ModifiedDateTime/FromDate=3/4/2026",
                             L"ModifiedDateTime/FromTime=13:05:09", L"ModifiedDateTime/To=0"};
    EXPECT_NE(std::search(lines.begin(), lines.end(), expectedPart.begin(), expectedPart.end()), lines.end());
    const Lines textPart{L"Containing Text/ContainingText=1", L"Containing Text/ContainingText0=phrase",
                         L"Containing Text/MatchCase=0", L"Containing Text/AdditionalText1=0"};
    EXPECT_NE(std::search(lines.begin(), lines.end(), textPart.begin(), textPart.end()), lines.end());
    for (const wchar_t* line : {L"Size/AtLeast=1", L"Size/AtLeastSize=0", L"Size/AtLeastSizeB=0", L"Size/AtMost=0",
                                L"Attributes/Match=1", L"Attributes/Temporary=0", L"Containing Text/AdditionalText1=0",
                                L"Containing Text/AdditionalText2Option=2", L"Containing Text/AdditionalText2Text=not this",
                                L"Advanced/SearchSystemFolders=1"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << testing::PrintToString(std::wstring(line));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), L"Size/AtMostSize=1"), 0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), L"Containing Text/AdditionalText1Option=0"), 0);
}

TEST(OptionsFile, SavingOverAFileKeepsWhatThisSavingDoesNotWrite) {
    MemoryOptions file;
    file.set(L"Foreign", L"Kept", L"yes");
    file.set(L"Additional Folders", L"Directory7", L"left over");
    file.set(L"common", L"mask", L"*.old");
    SearchCriteria c;
    c.Mask = L"*.new";
    EXPECT_FALSE(SaveSearchOptions(c, file, kTexts));
    EXPECT_EQ(*file.read(L"Foreign", L"Kept"), L"yes");
    EXPECT_EQ(*file.read(L"Additional Folders", L"Directory7"), L"left over");
    EXPECT_EQ(*file.read(L"Common", L"Mask"), L"*.new");  // replaced in place, whatever the case of its name
}

TEST(OptionsFile, WritingStopsAtTheFirstKeyThatFails) {
    MemoryOptions file;
    file.refusedKey = L"LookIn";
    const auto failure = SaveSearchOptions(SearchCriteria{}, file, kTexts);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind, OptionsWriteFailure::Kind::Unwritable);
    EXPECT_EQ(file.lines(), (Lines{L"Common/AllOrPartOfTheFileName=1", L"Common/Mask=", L"Common/CaseSensitive=0"}));

    SearchCriteria pasted;
    pasted.Size = SizeSpecify;
    pasted.AtLeastSize = L"12x";
    MemoryOptions second;
    const auto notANumber = SaveSearchOptions(pasted, second, kTexts);
    ASSERT_TRUE(notANumber);
    EXPECT_EQ(notANumber->kind, OptionsWriteFailure::Kind::NotAnInteger);
    EXPECT_EQ(notANumber->text, L"12x");
    EXPECT_TRUE(second.lines().empty());  // told before anything is written: never half a file
}

// Sizes that no size box can hold load as the key's default, so the next saving writes every key.
TEST(OptionsFile, SizesOutsideTheBoxesRangeLoadAsTheDefault) {
    for (const wchar_t* bad : {L"-5", L"0xFFFFFFFF"}) {
        MemoryOptions file;
        file.set(L"Size", L"Size", L"6");
        file.set(L"Size", L"AtLeast", L"1");
        file.set(L"Size", L"AtLeastSize", bad);
        file.set(L"Size", L"AtMost", L"1");
        file.set(L"Size", L"AtMostSize", bad);
        const auto all = Load(file);
        EXPECT_EQ(Assigned(all, OptionField::AtLeastSize)->text, L"0") << testing::PrintToString(std::wstring(bad));
        EXPECT_EQ(Assigned(all, OptionField::AtMostSize)->text, L"0");
        SearchCriteria c;
        c.Size = SizeSpecify;
        c.AtLeastSize = Assigned(all, OptionField::AtLeastSize)->text;
        c.AtMostSize = Assigned(all, OptionField::AtMostSize)->text;
        MemoryOptions saved;
        EXPECT_FALSE(SaveSearchOptions(c, saved, kTexts));
        EXPECT_EQ(saved.lines().back(), L"Advanced/SearchSubfolders=1");
    }
}

TEST(OptionsFile, KeysAreReadOnlyWhenTheKeysBeforeThemCallForThem) {
    MemoryOptions file;
    file.set(L"Common", L"AllOrPartOfTheFileName", L"0");
    file.set(L"Common", L"Mask", L"*.never");
    file.set(L"ModifiedDateTime", L"WhenModified", L"7");  // any other value: "Specify date and time"
    file.set(L"ModifiedDateTime", L"From", L"1");
    file.set(L"ModifiedDateTime", L"FromDate", L"2/29/2024");
    file.set(L"ModifiedDateTime", L"FromTime", L"23:59:58");
    file.set(L"ModifiedDateTime", L"To", L"0");
    file.set(L"Size", L"Size", L"6");
    const auto all = Load(file);
    EXPECT_FALSE(Assigned(all, OptionField::AllOrPartOfTheFileName)->flag);
    EXPECT_EQ(Assigned(all, OptionField::Mask), nullptr);  // the mask box keeps its text
    EXPECT_EQ(Assigned(all, OptionField::When, 0)->number, WhenSpecifyDateAndTime);
    EXPECT_TRUE(Assigned(all, OptionField::From, 0)->flag);
    EXPECT_EQ(Assigned(all, OptionField::FromDate, 0)->moment, EncodeDateTime({2024, 2, 29}));
    EXPECT_EQ(Assigned(all, OptionField::FromTime, 0)->moment, EncodeDateTime({1899, 12, 30, 23, 59, 58}));
    EXPECT_FALSE(Assigned(all, OptionField::To, 0)->flag);
    EXPECT_EQ(Assigned(all, OptionField::ToDate, 0), nullptr);
    EXPECT_EQ(Assigned(all, OptionField::When, 1)->number, WhenDoNotRemember);
    EXPECT_EQ(Assigned(all, OptionField::From, 1), nullptr);
    // "Specify size" alone clears both bounds.
    EXPECT_EQ(Assigned(all, OptionField::Size)->number, SizeSpecify);
    EXPECT_FALSE(Assigned(all, OptionField::AtLeast)->flag);
    EXPECT_FALSE(Assigned(all, OptionField::AtMost)->flag);
    EXPECT_EQ(Assigned(all, OptionField::AtLeastSize), nullptr);
}

TEST(OptionsFile, ValuesOutOfRangeKeepTheControlAsItIs) {
    MemoryOptions file;
    file.set(L"Common", L"LookInWhere", L"40");
    file.set(L"Size", L"Size", L"6");
    file.set(L"Size", L"AtLeast", L"1");
    file.set(L"Size", L"AtLeastSize", L"0x10");
    file.set(L"Size", L"AtLeastSizeB", L"4");
    file.set(L"Containing Text", L"ContainingText", L"2");  // any integer but 0 is true
    file.set(L"Containing Text", L"AdditionalText1", L"1");
    file.set(L"Containing Text", L"AdditionalText1Option", L"3");
    file.set(L"Attributes", L"Attributes", L"1");
    auto all = Load(file, true, 10);
    EXPECT_EQ(Assigned(all, OptionField::LookInWhere), nullptr);
    EXPECT_EQ(Assigned(all, OptionField::AtLeastSize)->text, L"16");
    EXPECT_EQ(Assigned(all, OptionField::AtLeastSizeB), nullptr);
    EXPECT_TRUE(Assigned(all, OptionField::ContainingText)->flag);
    EXPECT_TRUE(Assigned(all, OptionField::MatchCase)->flag);  // a file from before "Match case"
    EXPECT_EQ(Assigned(all, OptionField::AdditionalTextOption, 0), nullptr);
    EXPECT_EQ(Assigned(all, OptionField::AdditionalTextText, 0)->text, L"");
    EXPECT_EQ(Assigned(all, OptionField::Match)->number, MatchExact);  // no Match key
    file.set(L"Common", L"LookInWhere", L"-1");
    file.set(L"Attributes", L"Match", L"2");
    file.set(L"Containing Text", L"MatchCase", L"0");
    all = Load(file, true, 10);
    EXPECT_FALSE(Assigned(all, OptionField::MatchCase)->flag);
    EXPECT_EQ(Assigned(all, OptionField::LookInWhere), nullptr);
    EXPECT_EQ(Assigned(all, OptionField::Match)->number, MatchContainSelected);
    file.set(L"Common", L"LookInWhere", L"9");
    EXPECT_EQ(Assigned(Load(file, true, 10), OptionField::LookInWhere)->number, 9);
}

TEST(OptionsFile, TheSwitchDefaultDecidesMissingSwitches) {
    MemoryOptions file;
    file.set(L"Common", L"LookIn", L"yes");  // no integer: its default
    auto user = Load(file, false);
    EXPECT_FALSE(Assigned(user, OptionField::SearchSubfolders)->flag);
    EXPECT_FALSE(Assigned(user, OptionField::LookIn)->flag);
    EXPECT_FALSE(Assigned(user, OptionField::AllOrPartOfTheFileName)->flag);
    EXPECT_FALSE(Assigned(user, OptionField::SearchAllFilesAndFolders)->flag);
    EXPECT_FALSE(Assigned(user, OptionField::SearchSystemFolders)->flag);
    auto automatic = Load(file, true);
    EXPECT_TRUE(Assigned(automatic, OptionField::SearchSubfolders)->flag);
    EXPECT_TRUE(Assigned(automatic, OptionField::LookIn)->flag);
    EXPECT_EQ(Assigned(automatic, OptionField::LookInWhere)->number, 2);
    EXPECT_EQ(Assigned(automatic, OptionField::SearchSystemFolders), nullptr);  // "all" is on
}

TEST(OptionsFile, FoldersAreAppendedMissingKeysSkippedAndAbsurdCountsBounded) {
    MemoryOptions file;
    file.set(L"Additional Folders", L"AdditionalFolders", L"1");
    file.set(L"Additional Folders", L"NumberOfDirectories", L"3");
    file.set(L"Additional Folders", L"Directory0", L"C:\\zero");
    file.set(L"Additional Folders", L"Directory2", L"C:\\two");
    file.set(L"Additional Folders", L"Directory3", L"C:\\beyond");
    std::vector<std::wstring> folders;
    for (const OptionAssignment& a : Load(file)) {
        if (a.field == OptionField::Directory) folders.push_back(a.text);
    }
    EXPECT_EQ(folders, (std::vector<std::wstring>{L"C:\\zero", L"C:\\two"}));

    file.set(L"Additional Folders", L"NumberOfDirectories", L"2147483647");
    file.reads.clear();
    Load(file);
    EXPECT_LE(file.reads.size(), static_cast<std::size_t>(kMaxOptionFolders + 100));
    file.set(L"Additional Folders", L"NumberOfDirectories", L"-5");
    for (const OptionAssignment& a : Load(file)) EXPECT_NE(a.field, OptionField::Directory);
}

TEST(OptionsFile, DatesThatDoNotParseFallBackToNow) {
    MemoryOptions file;
    file.set(L"CreatedDateTime", L"WhenCreated", L"4");
    file.set(L"CreatedDateTime", L"To", L"1");
    file.set(L"CreatedDateTime", L"ToDate", L"25.12.2025");  // day first: no month 25
    file.set(L"CreatedDateTime", L"ToTime", L"noon");
    const auto all = Load(file);
    EXPECT_EQ(Assigned(all, OptionField::ToDate, 1)->moment, DatePart(kNow));
    EXPECT_EQ(Assigned(all, OptionField::ToTime, 1)->moment, TimePart(kNow));
}

// Drives come and go between runs, and the rows of the look-in list shift with them: the chosen
// drive is written by its letter too, and a letter in the list wins over the row's position.
TEST(OptionsFile, ADriveRowIsRememberedByItsLetter) {
    MemoryOptions file;
    SearchCriteria c;
    c.LookInWhere = 4;
    c.LookInDrive = L"T";
    EXPECT_FALSE(SaveSearchOptions(c, file, kTexts));
    const Lines lines = file.lines();
    const auto where = std::find(lines.begin(), lines.end(), L"Common/LookInWhere=4");
    ASSERT_NE(where, lines.end());
    EXPECT_EQ(*(where + 1), L"Common/LookInDrive=T");

    // A new drive D: came before T: since: the row of T: is now 5.
    const auto loaded = LoadSearchOptions(file, false, 6, kTexts, kNow, L"CDT");
    ASSERT_TRUE(Assigned(loaded, OptionField::LookInWhere));
    EXPECT_EQ(Assigned(loaded, OptionField::LookInWhere)->number, 5);
    file.set(L"Common", L"LookInDrive", L"t");
    EXPECT_EQ(Assigned(LoadSearchOptions(file, false, 6, kTexts, kNow, L"CDT"), OptionField::LookInWhere)->number, 5);
    // A letter that is gone, or none at all: the position as before.
    file.set(L"Common", L"LookInDrive", L"Q");
    EXPECT_EQ(Assigned(LoadSearchOptions(file, false, 6, kTexts, kNow, L"CDT"), OptionField::LookInWhere)->number, 4);
    c.LookInWhere = 2;
    c.LookInDrive.clear();
    MemoryOptions other;
    SaveSearchOptions(c, other, kTexts);
    for (const std::wstring& line : other.lines()) EXPECT_EQ(line.find(L"LookInDrive"), std::wstring::npos);

    // "(C:)", then "Local Hard Drives" saved over it: the letter goes, and a letter that stayed in a
    // file anyway never overrides a row that is no drive's.
    SaveSearchOptions(c, file, kTexts);
    for (const std::wstring& line : file.lines()) EXPECT_EQ(line.find(L"LookInDrive"), std::wstring::npos);
    file.set(L"Common", L"LookInDrive", L"C");
    EXPECT_EQ(Assigned(LoadSearchOptions(file, false, 6, kTexts, kNow, L"CDT"), OptionField::LookInWhere)->number, 2);
}

// Only a file that skips folders holds the key; saving without it over such a file takes it out.
TEST(OptionsFile, FoldersToSkipRoundTripAndLeaveOtherFilesAsTheyWere) {
    MemoryOptions file;
    SearchCriteria c;
    c.SkipFolders = L"node_modules;.git;C:\\Windows";
    EXPECT_FALSE(SaveSearchOptions(c, file, kTexts));
    EXPECT_EQ(file.lines().back(), L"Advanced/SkipFolders=node_modules;.git;C:\\Windows");
    ASSERT_TRUE(Assigned(Load(file), OptionField::SkipFolders));
    EXPECT_EQ(Assigned(Load(file), OptionField::SkipFolders)->text, c.SkipFolders);
    c.SkipFolders.clear();
    SaveSearchOptions(c, file, kTexts);
    EXPECT_EQ(file.lines().back(), L"Advanced/SearchSubfolders=1");
    EXPECT_EQ(Assigned(Load(file), OptionField::SkipFolders)->text, L"");
}

TEST(OptionsFile, ARegularExpressionIsMarkedOnlyWhereItIsOne) {
    MemoryOptions file;
    SearchCriteria c;
    c.Mask = L"^report\\d+";
    c.MaskIsRegularExpression = true;
    SaveSearchOptions(c, file, kTexts);
    ASSERT_TRUE(Assigned(Load(file), OptionField::MaskIsRegularExpression));
    EXPECT_TRUE(Assigned(Load(file), OptionField::MaskIsRegularExpression)->flag);
    c.MaskIsRegularExpression = false;
    SaveSearchOptions(c, file, kTexts);
    for (const std::wstring& line : file.lines()) EXPECT_EQ(line.find(L"MaskIsRegularExpression"), std::wstring::npos);
    EXPECT_FALSE(Assigned(Load(file), OptionField::MaskIsRegularExpression)->flag);
    c.ContainingText = true;
    c.ContainingText0 = L"foo\\d+";
    c.PhrasesAreRegularExpressions = true;
    c.PhrasesAreWholeWords = true;
    SaveSearchOptions(c, file, kTexts);
    EXPECT_TRUE(Assigned(Load(file), OptionField::PhrasesAreRegularExpressions)->flag);
    EXPECT_TRUE(Assigned(Load(file), OptionField::PhrasesAreWholeWords)->flag);
    c.PhrasesAreWholeWords = false;
    SaveSearchOptions(c, file, kTexts);
    for (const std::wstring& line : file.lines()) EXPECT_EQ(line.find(L"PhrasesAreWholeWords"), std::wstring::npos);
}

TEST(OptionsFile, IntegersReadDecimalOrHexadecimal) {
    EXPECT_EQ(ParseOptionInteger(L"42"), 42);
    EXPECT_EQ(ParseOptionInteger(L"-42"), -42);
    EXPECT_EQ(ParseOptionInteger(L"0x1F"), 31);
    EXPECT_EQ(ParseOptionInteger(L"0XFFFFFFFF"), -1);
    for (const wchar_t* bad : {L"", L"0x", L"yes", L"1.5", L"2147483648", L"0x123456789", L"4 2"})
        EXPECT_FALSE(ParseOptionInteger(bad)) << testing::PrintToString(std::wstring(bad));
}

}  // namespace
}  // namespace findlark
