#include "results/icon_rule.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(IconRule, OnlyTypesThatCarryTheirOwnPictureAreReadFromTheFile) {
    for (const wchar_t* own : {L"setup.exe", L"a.ICO", L"Link.Lnk", L"x.cur", L"archive.tar.exe"})
        EXPECT_TRUE(IconLivesInFile(own)) << own;
    for (const wchar_t* byType : {L"readme.txt", L"exe", L"file.exe.txt", L"noext", L"photo.jpg", L".exe-not"})
        EXPECT_FALSE(IconLivesInFile(byType));
}

TEST(IconRule, FoldersSharesAndOnlineOnlyFilesAreNeverReadForTheirIcon) {
    EXPECT_TRUE(IconReadFromFile(L"setup.exe", L"C:\\apps", 0x20));
    EXPECT_FALSE(IconReadFromFile(L"setup.exe", L"\\\\server\\share", 0x20));
    EXPECT_FALSE(IconReadFromFile(L"tools.exe", L"C:\\apps", 0x10));
    EXPECT_FALSE(IconReadFromFile(L"readme.txt", L"C:\\apps", 0x20));
    // Offline, recall on open, recall on data access: each alone keeps the file unread.
    for (const std::uint32_t online : {0x1000u, 0x40000u, 0x400000u})
        EXPECT_FALSE(IconReadFromFile(L"setup.exe", L"C:\\OneDrive", 0x20 | online)) << online;
}

TEST(IconRule, SharesAreNeverReadAndTypesShareOneKey) {
    EXPECT_TRUE(IsNetworkPath(L"\\\\server\\share\\dir"));
    EXPECT_TRUE(IsNetworkPath(L"//server/share"));
    EXPECT_FALSE(IsNetworkPath(L"C:\\dir"));
    EXPECT_FALSE(IsNetworkPath(L"C:"));
    EXPECT_EQ(IconTypeKey(L"A.TXT", false), IconTypeKey(L"b.txt", false));
    EXPECT_NE(IconTypeKey(L"a.txt", false), IconTypeKey(L"a.doc", false));
    EXPECT_EQ(IconTypeKey(L"any.txt", true), IconTypeKey(L"other", true));
    EXPECT_NE(IconTypeKey(L"noext", false), IconTypeKey(L"noext", true));
}

}  // namespace
}  // namespace findlark
