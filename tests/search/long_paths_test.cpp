// Folders deeper than the classic path limit are walked, searched and listed under their normal paths.
#include "search/search_fixture.h"

#include "fileops/file_system.h"
#include "fileops/tree_copy.h"
#include "support/file_text.h"
#include "support/scripted_progress.h"
#include "win/handle.h"
#include "win/long_path.h"


using namespace findlark;
using Paths = std::vector<std::wstring>;
using testing_support::WriteText;

namespace {

// Six folders of 50 characters each: every path below the fourth is longer than 260 characters.
std::wstring MakeDeepChain(const testing_support::TempTree& tree) {
    std::wstring relative;
    for (int level = 0; level < 6; ++level) {
        if (!relative.empty()) relative += L"\\";
        relative += std::wstring(48, static_cast<wchar_t>(L'a' + level)) + std::to_wstring(level) + L"x";
        tree.folder(relative);
    }
    return relative;
}

}  // namespace

TEST_F(SearchTest, DeepFoldersAreWalkedAndListedUnderTheirNormalPaths) {
    const std::wstring deep = MakeDeepChain(tree);
    ASSERT_GT(tree.path(deep).size(), 300u);
    tree.file(deep + L"\\deep.txt", 5);
    tree.file(deep + L"\\other.dat", 7);
    tree.file(L"shallow.txt");

    SearchCriteria c = foldersOnly({tree.root()});
    c.Mask = L"*.txt";
    EXPECT_EQ(search(c), (Paths{L"shallow.txt", deep + L"\\deep.txt"}));
    EXPECT_EQ(*form->Results.rows().entry(1).folder, tree.path(deep));
    EXPECT_EQ(form->StatusBar.panelText(1), L"");  // nothing unreadable

    c.Mask = L"*.*";
    const Paths all = search(c);
    EXPECT_EQ(all.size(), 9u);  // six folders, three files
    EXPECT_NE(std::find(all.begin(), all.end(), deep + L"\\other.dat"), all.end());

    // A deep root works too.
    c.Directories = {tree.path(deep)};
    c.Mask = L"*.dat";
    EXPECT_EQ(search(c), Paths{deep + L"\\other.dat"});
}

TEST_F(SearchTest, ContentOfADeepFileIsRead) {
    const std::wstring deep = MakeDeepChain(tree);
    WriteText(tree.path(deep + L"\\hit.txt"), "a needle here");
    WriteText(tree.path(deep + L"\\miss.txt"), "nothing here");
    SearchCriteria c = foldersOnly({tree.root()});
    c.Mask = L"*.txt";
    c.ContainingText = true;
    c.ContainingText0 = L"needle";
    EXPECT_EQ(search(c), Paths{deep + L"\\hit.txt"});
}

TEST_F(SearchTest, DeepFilesAndTreesCanBeRemoved) {
    const std::wstring deep = MakeDeepChain(tree);
    tree.file(deep + L"\\gone.txt");
    const std::wstring file = win::PlatformPath(tree.path(deep + L"\\gone.txt"));
    EXPECT_FALSE(DeleteItemFile(tree.path(deep + L"\\gone.txt")));
    EXPECT_EQ(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);

    tree.file(deep + L"\\again.txt");
    const std::wstring top = tree.path(deep.substr(0, deep.find(L'\\')));
    EXPECT_FALSE(RemoveFolderTree(top));
    EXPECT_EQ(::GetFileAttributesW(top.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Trees deeper than the classic limit are copied whole, and only a whole copy counts.
TEST_F(SearchTest, DeepTreesAreCopiedWholeOrReportedIncomplete) {
    const std::wstring deep = MakeDeepChain(tree);
    WriteText(tree.path(deep + L"\\deep.txt"), "deep");
    tree.file(L"aaaa.hidden", 1);
    ::SetFileAttributesW(tree.path(L"aaaa.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    tree.folder(deep + L"\\empty");
    const std::wstring top = deep.substr(0, deep.find(L'\\'));
    const testing_support::TempTree target;
    target.folder(top);
    WriteText(target.path(deep.substr(0, deep.find(L'\\')) + L"\\old.txt"), "kept");

    testing_support::ScriptedProgress progress;
    ASSERT_FALSE(CopyFolderTree(tree.path(top), target.path(top), progress));
    EXPECT_TRUE(IsExistingFile(target.path(deep + L"\\deep.txt")));
    EXPECT_TRUE(IsExistingFolder(target.path(deep + L"\\empty")));
    EXPECT_TRUE(IsExistingFile(target.path(top + L"\\old.txt")));  // merged into what was there
    EXPECT_FALSE(CopyFolderTree(tree.root(), target.path(L"whole"), progress));
    EXPECT_TRUE(IsExistingFile(target.path(L"whole\\aaaa.hidden")));
    EXPECT_TRUE(IsExistingFile(target.path(L"whole\\" + deep + L"\\deep.txt")));

    // A file that cannot be read leaves the copy incomplete, so a move would keep the source.
    const win::UniqueFileHandle held(::CreateFileW(win::PlatformPath(tree.path(deep + L"\\deep.txt")).c_str(), GENERIC_READ,
                                                   0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_TRUE(CopyFolderTree(tree.path(top), target.path(L"second"), progress));
}
