#include "criteria/validation.h"

#include "criteria/page_index.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(Validation, AMaskMayNotNameAnotherFolderOrDrive) {
    for (const wchar_t* bad : {L"..\\*.txt", L"a/b", L"C:x", L"\\", L"*.txt\\"}) EXPECT_TRUE(MaskLeavesItsFolder(bad));
    for (const wchar_t* good : {L"", L"*.*", L"report?.txt", L"[ab]*", L"..", L"a b.c"})
        EXPECT_FALSE(MaskLeavesItsFolder(good));

    SearchCriteria c;
    c.Mask = L"..\\*.txt";
    const auto fault = FindCriteriaFault(c);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->page, PageIndexCommon);
    EXPECT_EQ(fault->focus, FaultFocus::NameMask);
    c.AllOrPartOfTheFileName = false;  // the mask then plays no part in the walk
    EXPECT_FALSE(FindCriteriaFault(c));
}

}  // namespace
}  // namespace findlark
