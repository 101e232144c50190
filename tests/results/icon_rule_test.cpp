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
