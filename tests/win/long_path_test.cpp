#include "win/long_path.h"

#include <gtest/gtest.h>

namespace win {
namespace {

TEST(LongPath, DrivePathsGetThePrefixWithTheirSeparatorsFoldedAndDotsResolved) {
    EXPECT_EQ(ExtendedLengthPath(L"C:\\a\\b"), L"\\\\?\\C:\\a\\b");
    // A root given with a trailing separator makes doubled ones in the walk; the prefixed form would
    // take them literally.
    EXPECT_EQ(ExtendedLengthPath(L"C:\\a\\\\b\\"), L"\\\\?\\C:\\a\\b");
    EXPECT_EQ(ExtendedLengthPath(L"c:/a/./b/../c"), L"\\\\?\\c:\\a\\c");
    EXPECT_EQ(ExtendedLengthPath(L"C:\\..\\..\\x"), L"\\\\?\\C:\\x");  // never above the root
    EXPECT_EQ(ExtendedLengthPath(L"C:\\"), L"\\\\?\\C:\\");
}

TEST(LongPath, SharesGetTheUncPrefixAndKeepTheirServerAndShare) {
    EXPECT_EQ(ExtendedLengthPath(L"\\\\server\\share\\dir\\f.txt"), L"\\\\?\\UNC\\server\\share\\dir\\f.txt");
    EXPECT_EQ(ExtendedLengthPath(L"\\\\server\\share\\..\\..\\x"), L"\\\\?\\UNC\\server\\share\\x");
    EXPECT_EQ(ExtendedLengthPath(L"\\\\server\\share"), L"\\\\?\\UNC\\server\\share");
}

TEST(LongPath, PathsThatCannotOrNeedNotChangeStayAsTheyAre) {
    EXPECT_EQ(ExtendedLengthPath(L"\\\\?\\C:\\a\\\\b"), L"\\\\?\\C:\\a\\\\b");
    EXPECT_EQ(ExtendedLengthPath(L"\\\\.\\pipe\\x"), L"\\\\.\\pipe\\x");
    EXPECT_EQ(ExtendedLengthPath(L"relative\\a"), L"relative\\a");
    EXPECT_EQ(ExtendedLengthPath(L"C:relative"), L"C:relative");
    EXPECT_EQ(ExtendedLengthPath(L"\\\\server"), L"\\\\server");
    EXPECT_EQ(ExtendedLengthPath(L""), L"");
}

TEST(LongPath, OnlyPathsBeyondTheClassicLimitChange) {
    const std::wstring shortPath = L"C:\\" + std::wstring(kClassicPathLimit - 4, L'a');
    EXPECT_EQ(PlatformPath(shortPath), shortPath);
    const std::wstring longPath = shortPath + L"\\b";
    EXPECT_EQ(PlatformPath(longPath), L"\\\\?\\" + longPath);
}

}  // namespace
}  // namespace win
