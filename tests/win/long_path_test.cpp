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

// A plain path to "report.txt." reaches "report.txt", and one to "aux.txt" the device: such names
// reach the platform only in the form that names them exactly.
TEST(LongPath, NamesThePlatformWouldAlterTakeTheExactForm) {
    for (const wchar_t* exact : {L"C:\\d\\report.txt.", L"C:\\d\\x ", L"C:\\sub.\\f.txt", L"C:\\sub \\f.txt", L"C:\\d\\...",
                                 L"C:\\d\\con", L"C:\\d\\AUX.txt", L"C:\\d\\nul .log", L"C:\\com1\\f", L"C:\\d\\Lpt9",
                                 L"C:\\d\\conout$", L"C:\\d\\com\u00B9", L"\\\\server\\share\\prn.txt"}) {
        EXPECT_TRUE(NeedsExactForm(exact)) << testing::PrintToString(std::wstring(exact));
        EXPECT_EQ(PlatformPath(exact), ExtendedLengthPath(exact));
    }
    EXPECT_EQ(PlatformPath(L"C:\\d\\report.txt."), L"\\\\?\\C:\\d\\report.txt.");
    for (const wchar_t* plain : {L"C:\\d\\report.txt", L"C:\\console\\com10", L"C:\\d\\.hidden", L"C:\\d\\lpt",
                                 L"C:\\", L"C:\\a\\.\\b", L"\\\\server\\share\\d", L"\\\\?\\C:\\x."}) {
        EXPECT_FALSE(NeedsExactForm(plain)) << testing::PrintToString(std::wstring(plain));
        EXPECT_EQ(PlatformPath(plain), plain);
    }
}

TEST(LongPath, AParentFolderStopsAtItsRoot) {
    EXPECT_EQ(ParentFolder(L"C:\\a\\b"), L"C:\\a");
    EXPECT_EQ(ParentFolder(L"C:\\a\\b\\"), L"C:\\a");
    EXPECT_EQ(ParentFolder(L"C:\\a"), L"C:\\");
    EXPECT_EQ(ParentFolder(L"C:\\"), L"");
    EXPECT_EQ(ParentFolder(L"\\\\?\\C:\\a\\b"), L"\\\\?\\C:\\a");
    EXPECT_EQ(ParentFolder(L"\\\\?\\C:\\a"), L"\\\\?\\C:\\");
    EXPECT_EQ(ParentFolder(L"\\\\?\\C:\\"), L"");
    EXPECT_EQ(ParentFolder(L"\\\\?\\UNC\\srv\\share\\a"), L"\\\\?\\UNC\\srv\\share\\");
    EXPECT_EQ(ParentFolder(L"\\\\?\\UNC\\srv\\share"), L"");
    EXPECT_EQ(ParentFolder(L"\\\\srv\\share\\a\\b"), L"\\\\srv\\share\\a");
    EXPECT_EQ(ParentFolder(L"relative\\a"), L"");
    for (const wchar_t* root : {L"C:", L"c:\\", L"\\\\srv\\share", L"\\\\srv\\share\\", L"\\\\?\\C:\\", L"\\\\?\\UNC\\srv\\share"})
        EXPECT_TRUE(IsRootFolder(root)) << testing::PrintToString(std::wstring(root));
    for (const wchar_t* folder : {L"C:\\a", L"\\\\srv\\share\\a", L"relative", L"", L"\\\\?\\C:\\a"})
        EXPECT_FALSE(IsRootFolder(folder)) << testing::PrintToString(std::wstring(folder));
}

}  // namespace
}  // namespace win
