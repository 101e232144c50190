// Writing a whole buffer in pieces the platform's 32-bit counts can hold: an export beyond 4 GiB of
// text used to lose everything past the first 4 GiB.
#include "support/file_text.h"
#include "support/temp_tree.h"
#include "win/handle.h"
#include "win/write_all.h"

#include <gtest/gtest.h>

TEST(WriteAll, EveryPieceArrivesInOrder) {
    const testing_support::TempTree tree;
    const std::wstring path = tree.path(L"out.txt");
    {
        const win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        EXPECT_TRUE(win::WriteAll(file.get(), "hello, world", 5));
        EXPECT_TRUE(win::WriteAll(file.get(), "", 5));
    }
    EXPECT_EQ(testing_support::ReadText(path), "hello, world");
    const win::UniqueFileHandle readOnly(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(win::WriteAll(readOnly.get(), "x"));
}
