#include "search/search_fixture.h"
#include "support/file_text.h"

#include <algorithm>

using namespace findlark;
using Paths = std::vector<std::wstring>;

namespace {
// R holds r.txt and folders A (holding A1 with a1.txt, and m.txt) and B (b.txt); names chosen so
// that the enumeration's order is the alphabetical one.
void MakeTree(const testing_support::TempTree& tree) {
    tree.file(L"r.txt");
    tree.folder(L"A");
    tree.folder(L"A\\A1");
    tree.file(L"A\\A1\\a1.txt");
    tree.file(L"A\\m.txt");
    tree.folder(L"B");
    tree.file(L"B\\b.txt");
}
}  // namespace

TEST_F(SearchTest, RootFirstThenPostOrderWithAllFilesAndFolders) {
    MakeTree(tree);
    SearchCriteria c = foldersOnly({tree.root()});
    c.Mask = L"*.txt";
    EXPECT_EQ(search(c), (Paths{L"r.txt", L"A\\A1\\a1.txt", L"A\\m.txt", L"B\\b.txt"}));

    c.Mask = L"";  // "*.*": folders are offered like files, each after its own subtree
    EXPECT_EQ(search(c), (Paths{L"A", L"B", L"r.txt", L"A\\A1\\a1.txt", L"A\\A1", L"A\\m.txt", L"B\\b.txt"}));
    EXPECT_EQ(status(), L"Finished. 7 items found.");
}

TEST_F(SearchTest, RootLastWithoutAllFilesAndFolders) {
    MakeTree(tree);
    SearchCriteria c = foldersOnly({tree.root()});
    c.SearchAllFilesAndFolders = false;
    c.Mask = L"*.txt";
    EXPECT_EQ(search(c), (Paths{L"A\\A1\\a1.txt", L"A\\m.txt", L"B\\b.txt", L"r.txt"}));
    c.Mask = L"*";
    EXPECT_EQ(search(c), (Paths{L"A\\A1\\a1.txt", L"A\\A1", L"A\\m.txt", L"B\\b.txt", L"A", L"B", L"r.txt"}));
}

TEST_F(SearchTest, WithoutSubfoldersOnlyTheRootsOwnEntries) {
    MakeTree(tree);
    SearchCriteria c = foldersOnly({tree.root()});
    c.SearchSubfolders = false;
    EXPECT_EQ(search(c), (Paths{L"A", L"B", L"r.txt"}));
    c.SearchAllFilesAndFolders = false;
    EXPECT_EQ(search(c), (Paths{L"A", L"B", L"r.txt"}));
}

TEST_F(SearchTest, HiddenOrSystemRootsGiveOnlyTheirOwnEntriesWhenSwitchedOff) {
    tree.folder(L"H");
    tree.file(L"H\\h.txt");
    tree.folder(L"H\\sub");
    tree.file(L"H\\sub\\deep.txt");
    ::SetFileAttributesW(tree.path(L"H").c_str(), FILE_ATTRIBUTE_HIDDEN);
    tree.folder(L"S");
    tree.folder(L"S\\sub");
    tree.file(L"S\\sub\\deep.txt");
    ::SetFileAttributesW(tree.path(L"S").c_str(), FILE_ATTRIBUTE_SYSTEM);

    SearchCriteria c = foldersOnly({tree.path(L"H"), tree.path(L"S")});
    c.SearchAllFilesAndFolders = false;
    c.SearchHiddenFilesAndFolders = false;
    c.SearchSystemFolders = false;
    EXPECT_EQ(search(c), (Paths{L"H\\h.txt", L"H\\sub", L"S\\sub"}));

    // Both kinds on, "all files and folders" cleared alone: roots walked, their own matches last.
    pages().Advanced.CheckBoxSearchAllFilesAndFolders.setChecked(true);
    pages().Advanced.CheckBoxSearchAllFilesAndFolders.click();
    c = pages().read();
    ASSERT_TRUE(c.SearchHiddenFilesAndFolders && c.SearchSystemFolders && !c.SearchAllFilesAndFolders);
    EXPECT_EQ(search(c), (Paths{L"H\\sub\\deep.txt", L"H\\h.txt", L"H\\sub", L"S\\sub\\deep.txt", L"S\\sub"}));
}

// Each folder is searched once, however it is listed: twice, with a final separator (which the paths
// do not double), through another drive letter, or beside a folder of its own.
TEST_F(SearchTest, AFolderListedTwiceIsSearchedOnce) {
    tree.file(L"readme.txt");
    SearchCriteria c = foldersOnly({tree.root() + L"\\", tree.root()});
    search(c);
    auto& rows = form->Results.rows();
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.entry(0).fullPath(), tree.root() + L"\\readme.txt");

    MakeTree(tree);
    Paths spellings{tree.root(), tree.path(L"A"), tree.root() + L"\\"};
    if (const auto alias = testing_support::OtherDriveLetterPath(tree.root())) spellings.push_back(*alias);
    c = foldersOnly(spellings);
    c.Mask = L"*.txt";
    EXPECT_EQ(search(c), (Paths{L"r.txt", L"readme.txt", L"A\\A1\\a1.txt", L"A\\m.txt", L"B\\b.txt"}));
    c.SearchSubfolders = false;  // then a folder inside another is a search of its own
    EXPECT_EQ(search(c), (Paths{L"r.txt", L"readme.txt", L"A\\m.txt"}));
}

TEST_F(SearchTest, MasksFollowThePlatformsWildcards) {
    tree.file(L"noext");
    tree.file(L"Report.TXT");
    tree.file(L"report.txt.bak");
    tree.file(L"LongFileName.html");
    tree.folder(L"dir.d");
    SearchCriteria c = foldersOnly({tree.root()});
    c.SearchSubfolders = false;

    c.Mask = L"*.*";
    Paths all = search(c);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (Paths{L"LongFileName.html", L"Report.TXT", L"dir.d", L"noext", L"report.txt.bak"}));

    c.Mask = L"report.txt";  // no wildcards: that name only, in any letter case
    EXPECT_EQ(search(c), (Paths{L"Report.TXT"}));

    c.Mask = L"*.htm";  // the short 8.3 name matches
    EXPECT_EQ(search(c), (Paths{L"LongFileName.html"}));

    c.AllOrPartOfTheFileName = false;  // the name criterion off searches "*.*"
    EXPECT_EQ(search(c).size(), 5u);
}

// Several masks: plain ones marked in one listing per folder, those with the platform's own rules
// ("?") listed one by one; with and without subfolders, and with the case-sensitive check.
TEST_F(SearchTest, SeveralMasksIncludeAndLeaveOut) {
    tree.folder(L"sub");
    for (const wchar_t* name : {L"a.cpp", L"a_test.cpp", L"b.h", L"README.md", L"f1.log", L"sub\\c.cpp", L"sub\\c_test.cpp"})
        tree.file(name);
    const struct {
        const wchar_t* masks;
        bool subfolders, caseSensitive;
        Paths expected;
    } cases[] = {
        {L"*.cpp;*.h", true, false, {L"a.cpp", L"a_test.cpp", L"b.h", L"sub\\c.cpp", L"sub\\c_test.cpp"}},
        {L"*.cpp; -*_test.cpp", true, false, {L"a.cpp", L"sub\\c.cpp"}},
        {L"*.cpp; -*_test.cpp", false, false, {L"a.cpp"}},
        {L"-*.cpp;-*.h", true, false, {L"README.md", L"f1.log", L"sub"}},
        {L"f?.log;*.h", true, false, {L"b.h", L"f1.log"}},
        {L"*.cpp;-?_test.cpp", true, false, {L"a.cpp", L"sub\\c.cpp"}},
        {L"*.cpp;-?_test.cpp", false, false, {L"a.cpp"}},
        {L"*.CPP;*.h", true, true, {L"b.h"}},
    };
    for (const auto& each : cases) {
        SearchCriteria c = foldersOnly({tree.root()});
        c.Mask = each.masks;
        c.SearchSubfolders = each.subfolders;
        c.CaseSensitive = each.caseSensitive;
        Paths found = search(c);
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, each.expected) << testing::PrintToString(std::wstring(each.masks)) << " " << each.subfolders;
    }
}

// A skipped folder is still a row of its parent, but nothing below it is listed, at any depth.
TEST_F(SearchTest, SkippedFoldersAreListedButNeverEntered) {
    for (const wchar_t* folder : {L"node_modules", L"src", L"src\\node_modules", L"build.tmp", L"keep", L"keep\\obj"})
        tree.folder(folder);
    for (const wchar_t* file : {L"node_modules\\x.js", L"src\\a.js", L"src\\node_modules\\b.js", L"build.tmp\\c.js",
                                L"keep\\obj\\d.js", L"keep\\e.js"})
        tree.file(file);
    SearchCriteria c = foldersOnly({tree.root()});
    c.Mask = L"*";
    c.SkipFolders = L"NODE_MODULES; *.tmp; " + tree.root() + L"\\keep\\obj\\";
    Paths found = search(c);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Paths{L"build.tmp", L"keep", L"keep\\e.js", L"keep\\obj", L"node_modules", L"src", L"src\\a.js",
                            L"src\\node_modules"}));
}

TEST_F(SearchTest, LinkBackToAnAncestorIsNotWalkedAgain) {
    tree.folder(L"top");
    tree.folder(L"top\\inner");
    tree.file(L"top\\inner\\x.txt");
    const bool linked = ::CreateSymbolicLinkW(tree.path(L"top\\inner\\loop").c_str(), tree.path(L"top").c_str(),
                                              SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    if (!linked) GTEST_SKIP() << "no directory links here: " << ::GetLastError();
    SearchCriteria c = foldersOnly({tree.root()});
    c.Mask = L"*.txt";
    EXPECT_EQ(search(c), (Paths{L"top\\inner\\x.txt"}));
}
