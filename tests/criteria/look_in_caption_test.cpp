#include "criteria/look_in_caption.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(LocalHardDrivesCaption, ListsFixedDrivesInOrder) {
    EXPECT_EQ(LocalHardDrivesCaption(L"CD"), L"Local Hard Drives (C:; D:)");
    EXPECT_EQ(LocalHardDrivesCaption(L"C"), L"Local Hard Drives (C:)");
    EXPECT_EQ(LocalHardDrivesCaption(L""), L"Local Hard Drives");
}

}  // namespace
}  // namespace findlark
