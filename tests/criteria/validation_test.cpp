#include "criteria/validation.h"

#include "criteria/page_index.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

const MaskCheck kNoMaskProblem = [](const std::wstring&) { return std::optional<std::wstring>(); };

std::optional<CriteriaFault> Fault(const SearchCriteria& c) { return FindCriteriaFault(c, kNoMaskProblem); }

std::wstring Message(const SearchCriteria& c) {
    const auto fault = Fault(c);
    return fault ? fault->message : L"(none)";
}

TEST(Validation, AMaskMayNotNameAnotherFolderOrDrive) {
    for (const wchar_t* bad : {L"..\\*.txt", L"a/b", L"C:x", L"\\", L"*.txt\\"}) EXPECT_TRUE(MaskLeavesItsFolder(bad));
    for (const wchar_t* good : {L"", L"*.*", L"report?.txt", L"[ab]*", L"..", L"a b.c"})
        EXPECT_FALSE(MaskLeavesItsFolder(good));
    // The folder itself or its parent would be listed as one of its entries.
    for (const wchar_t* itself : {L".", L"..", L"...", L". ", L" ..", L" "}) {
        EXPECT_TRUE(MaskNamesTheFolderItself(itself)) << testing::PrintToString(std::wstring(itself));
        SearchCriteria named;
        named.Mask = itself;
        EXPECT_EQ(Message(named), L"The file name mask cannot be \".\" or \"..\".");
    }
    for (const wchar_t* good : {L"", L"*.", L".txt", L"..*", L"a."}) EXPECT_FALSE(MaskNamesTheFolderItself(good));

    // Each of several masks is checked on its own.
    for (const wchar_t* several : {L"*.txt;..", L"*.txt; - .", L"*.txt;a\\b"}) {
        SearchCriteria named;
        named.Mask = several;
        EXPECT_NE(Message(named), L"(none)") << several;
    }
    SearchCriteria fine;
    fine.Mask = L"*.txt; -*.bak;..*";
    EXPECT_FALSE(Fault(fine));

    SearchCriteria c;
    c.Mask = L"..\\*.txt";
    const auto fault = Fault(c);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->page, PageIndexCommon);
    EXPECT_EQ(fault->focus, FaultFocus::NameMask);
    c.AllOrPartOfTheFileName = false;  // the mask then plays no part in the walk
    EXPECT_FALSE(Fault(c));
}

// A regular expression is checked by the engine alone: the mask rules (\ / : and "..") do not apply.
TEST(Validation, ARegularExpressionIsRefusedWithTheEnginesMessageOnly) {
    SearchCriteria c;
    c.MaskIsRegularExpression = true;
    c.CaseSensitive = true;
    c.Mask = L"..\\d:(";
    const RegexCheck regex = [](const std::wstring& text) {
        return text.back() == L'(' ? std::optional<std::wstring>(L"Missing ) at position 7.") : std::nullopt;
    };
    const auto fault = FindCriteriaFault(c, kNoMaskProblem, regex);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->message, L"Missing ) at position 7.");
    EXPECT_EQ(fault->page, PageIndexCommon);
    EXPECT_EQ(fault->focus, FaultFocus::NameMask);
    c.Mask = L"..\\d:";
    EXPECT_FALSE(FindCriteriaFault(c, [](const std::wstring&) { return std::optional<std::wstring>(L"a mask"); }, regex));
}

TEST(Validation, AnInvalidCaseSensitiveMaskIsRefusedWithTheMatchersMessage) {
    SearchCriteria c;
    c.Mask = L"[";
    const MaskCheck check = [](const std::wstring& mask) { return std::optional<std::wstring>(L"bad " + mask); };
    EXPECT_FALSE(FindCriteriaFault(c, check));  // only the case-sensitive test compiles the mask
    c.CaseSensitive = true;
    const auto fault = FindCriteriaFault(c, check);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->message, L"bad [");
    c.Mask = L"*.txt; -[";  // each of several masks is compiled on its own
    const MaskCheck brackets = [](const std::wstring& mask) {
        return mask.find(L'[') != std::wstring::npos ? std::optional<std::wstring>(L"bad " + mask) : std::nullopt;
    };
    EXPECT_EQ(FindCriteriaFault(c, brackets)->message, L"bad [");
    // Folder masks to skip are compiled whatever the case setting; whole paths are not masks.
    SearchCriteria skip;
    skip.SkipFolders = L"C:\\[x];obj; [tmp";
    const auto skipFault = FindCriteriaFault(skip, brackets);
    ASSERT_TRUE(skipFault);
    EXPECT_EQ(skipFault->message, L"bad [tmp");
    EXPECT_EQ(skipFault->page, PageIndexAdvanced);
    EXPECT_EQ(skipFault->focus, FaultFocus::SkipFolders);
    EXPECT_EQ(fault->focus, FaultFocus::NameMask);
    EXPECT_FALSE(fault->error);
}

TEST(Validation, TheFirstFailingCheckWins) {
    SearchCriteria c;
    c.LookInWhere = -1;
    c.AdditionalFolders = true;
    EXPECT_EQ(Message(c), L"Choose place to look in.");
    EXPECT_EQ(Fault(c)->focus, FaultFocus::LookInList);
    c.LookIn = false;
    EXPECT_EQ(Message(c), L"Defined folders to look in.");
    EXPECT_EQ(Fault(c)->page, PageIndexAdditionalFolders);
    EXPECT_EQ(Fault(c)->focus, FaultFocus::AddFolderButton);
    c.AdditionalFolders = false;
    EXPECT_FALSE(Fault(c));  // nowhere to look is allowed

    for (DateCriterion* d : {&c.ModifiedDateTime, &c.CreatedDateTime}) {
        d->When = WhenSpecifyDateAndTime;
        d->FromDate = 45000;
        d->ToDate = 44999;
    }
    EXPECT_EQ(Fault(c)->subPage, SubPageModified);
    c.ModifiedDateTime.When = WhenDoNotRemember;
    EXPECT_EQ(Fault(c)->subPage, SubPageCreated);
    EXPECT_EQ(Fault(c)->page, PageIndexDateTime);
    EXPECT_EQ(Fault(c)->focus, FaultFocus::Unchanged);
    EXPECT_EQ(Message(c), L"Wrong date and time defined. Please check it.");
}

TEST(Validation, DateBoundsCompareDateAndTimeToTheSecond) {
    SearchCriteria c;
    DateCriterion& d = c.AccessedDateTime;
    d.When = WhenSpecifyDateAndTime;
    d.FromDate = d.ToDate = 45000.75;  // the date pickers' own times do not count
    d.FromTime = d.ToTime = 0.5;
    EXPECT_FALSE(Fault(c));
    d.FromTime = 0.5 + 1.0 / 86400;
    ASSERT_TRUE(Fault(c));
    EXPECT_EQ(Fault(c)->subPage, SubPageAccessed);
    d.To = false;
    EXPECT_FALSE(Fault(c));
}

TEST(Validation, SizeChecksInOrderAndIn64Bits) {
    SearchCriteria c;
    c.Size = SizeSpecify;
    c.AtLeastSize = c.AtMostSize = L"";
    c.AtLeast = c.AtMost = false;
    EXPECT_EQ(Message(c), L"Specify the size please.");
    EXPECT_EQ(Fault(c)->focus, FaultFocus::Unchanged);  // 6a before 6b and 6c
    c.AtLeast = c.AtMost = true;
    EXPECT_EQ(Fault(c)->focus, FaultFocus::AtLeastSize);
    c.AtLeastSize = L"1";
    EXPECT_EQ(Fault(c)->focus, FaultFocus::AtMostSize);

    const auto bounds = [&](const wchar_t* low, int lowUnit, const wchar_t* high, int highUnit) {
        c.AtLeastSize = low;
        c.AtLeastSizeB = lowUnit;
        c.AtMostSize = high;
        c.AtMostSizeB = highUnit;
        return Message(c);
    };
    EXPECT_EQ(bounds(L"1", 1, L"1024", 0), L"(none)");
    EXPECT_EQ(bounds(L"1025", 0, L"1", 1), L"Check the size please.");
    EXPECT_EQ(bounds(L"3", 3, L"2", 3), L"Check the size please.");
    EXPECT_EQ(bounds(L"2147483647", 3, L"2147483647", 3), L"(none)");
    EXPECT_EQ(bounds(L"7", 2, L"7", 2), L"(none)");
}

TEST(Validation, PastedTextInASizeBoxIsRefusedAsNoNumberEvenWithOneBound) {
    SearchCriteria c;
    c.Size = SizeSpecify;
    c.AtMost = false;
    c.AtLeastSize = L"12abc";
    auto fault = Fault(c);
    ASSERT_TRUE(fault);
    EXPECT_TRUE(fault->error);
    EXPECT_EQ(fault->message, L"'12abc' is not a valid integer value");
    EXPECT_EQ(fault->focus, FaultFocus::AtLeastSize);
    EXPECT_EQ(fault->page, PageIndexSize);
    c.AtLeastSize = L"2147483648";  // out of range
    EXPECT_TRUE(Fault(c)->error);
    c.AtLeast = false;
    c.AtMost = true;
    c.AtMostSize = L" 5";
    EXPECT_EQ(Fault(c)->focus, FaultFocus::AtMostSize);
    c.Size = SizeLarge;  // the boxes play no part
    EXPECT_FALSE(Fault(c));
}

TEST(Validation, TextsMustNotBeEmpty) {
    SearchCriteria c;
    c.ContainingText0 = L"";
    EXPECT_FALSE(Fault(c));  // "Specify text" is off
    c.ContainingText = true;
    EXPECT_EQ(Fault(c)->focus, FaultFocus::ContainingText0);
    EXPECT_EQ(Message(c), L"Define text please.");
    c.ContainingText0 = L" ";  // a blank is text
    EXPECT_FALSE(Fault(c));
    c.AdditionalText[2] = {true, TextOr, L""};
    c.AdditionalText[1] = {false, TextOr, L""};
    EXPECT_EQ(Fault(c)->focus, FaultFocus::AdditionalText3);
    EXPECT_EQ(Fault(c)->page, PageIndexContainingText);
}

}  // namespace
}  // namespace findlark
