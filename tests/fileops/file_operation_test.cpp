// Deleting, copying and moving on real files without a window: the answers come from a script, and
// every case is one where a careless operation loses or damages a user's file.
#include "fileops/file_operation.h"
#include "fileops/file_system.h"
#include "support/file_text.h"
#include "support/folder_links.h"
#include "support/scripted_progress.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"
#include "win/file_identity.h"
#include "win/folder_entries.h"
#include "win/handle.h"
#include "win/long_path.h"

#include <gtest/gtest.h>

#include <iostream>

using namespace findlark;
using testing_support::ReadText;
using testing_support::WriteText;

namespace {

class FileOperationTest : public ::testing::Test {
protected:
    // The item of a path below the tree, as a row would hand it over.
    OperationItem item(const std::wstring& relative) {
        const std::wstring path = tree.path(relative);
        const std::size_t cut = path.find_last_of(L'\\');
        return {nextRow++, path.substr(0, cut), path.substr(cut + 1)};
    }
    FileOperation operation(OperationSettings settings = {}) { return FileOperation(prompts, progress, settings); }
    bool exists(const std::wstring& path) { return PathExists(path); }
    std::wstring report() { return prompts.reports.empty() ? L"" : prompts.reports.back(); }
    bool reported(const std::wstring& words) { return report().find(words) != std::wstring::npos; }

    testing_support::TempTree tree;
    testing_support::TempTree target;
    testing_support::TempTree elsewhere{testing_support::OtherVolumeRoot()};  // moves there copy
    testing_support::ScriptedPrompts prompts;
    testing_support::ScriptedProgress progress;
    std::int32_t nextRow = 0;
};

using Rows = std::vector<std::int32_t>;

// A plain path to "report.txt." reaches "report.txt"; to "con", the console.
TEST_F(FileOperationTest, NamesThePlatformWouldAlterAreDeletedCopiedAndMovedAsListed) {
    WriteText(tree.path(L"report.txt"), "plain");
    WriteText(tree.path(L"report.txt."), "dot");
    WriteText(tree.path(L"x"), "plain x");
    WriteText(tree.path(L"x "), "space");
    WriteText(tree.path(L"con"), "not the console");
    WriteText(tree.path(L"aux.txt"), "not a device");
    tree.folder(L"sub");
    WriteText(tree.path(L"sub\\own.txt"), "sub's");
    tree.folder(L"sub.");
    WriteText(tree.path(L"sub.\\dotted.txt"), "sub.'s");

    prompts.destinations = {target.root()};
    const CopyOutcome copied = operation().copyItems({item(L"report.txt."), item(L"con"), item(L"aux.txt"), item(L"sub.")});
    EXPECT_EQ(copied.copied, (Rows{0, 1, 2, 3}));
    EXPECT_EQ(ReadText(target.path(L"report.txt.")), "dot");
    EXPECT_FALSE(exists(target.path(L"report.txt")));
    EXPECT_EQ(ReadText(target.path(L"con")), "not the console");
    EXPECT_EQ(ReadText(target.path(L"aux.txt")), "not a device");
    EXPECT_EQ(ReadText(target.path(L"sub.\\dotted.txt")), "sub.'s");
    EXPECT_FALSE(exists(target.path(L"sub.\\own.txt")));

    testing_support::TempTree moved;
    prompts.destinations = {moved.root()};
    const MoveOutcome move = operation().moveItems({item(L"x ")});
    EXPECT_EQ(move.deletion.removed, Rows{4});
    EXPECT_EQ(ReadText(moved.path(L"x ")), "space");
    EXPECT_FALSE(exists(tree.path(L"x ")));
    EXPECT_EQ(ReadText(tree.path(L"x")), "plain x");

    const DeleteOutcome deleted = operation().deleteItems({item(L"report.txt."), item(L"con"), item(L"aux.txt"), item(L"sub.")});
    EXPECT_EQ(deleted.removed.size(), 4u);
    EXPECT_FALSE(exists(tree.path(L"report.txt.")));
    EXPECT_EQ(ReadText(tree.path(L"report.txt")), "plain");
    EXPECT_FALSE(exists(tree.path(L"con")));
    EXPECT_FALSE(exists(tree.path(L"sub.")));
    EXPECT_EQ(ReadText(tree.path(L"sub\\own.txt")), "sub's");
    EXPECT_TRUE(prompts.reports.empty());
}

// Yes at "Confirm File Replace" for a folder moved into its own parent used to copy it onto itself
// and then delete the only copy. However the destination is spelt, the folder is the same item.
TEST_F(FileOperationTest, AFolderIsNeverCopiedOrMovedOntoItselfOrIntoItsOwnTree) {
    tree.folder(L"LongParentName");
    tree.folder(L"LongParentName\\sub");
    WriteText(tree.path(L"LongParentName\\sub\\only.txt"), "the only copy");
    const std::wstring parent = tree.path(L"LongParentName");
    wchar_t shortParent[MAX_PATH] = {};
    ::GetShortPathNameW(parent.c_str(), shortParent, MAX_PATH);
    std::wstring upper = parent;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(::towupper(c));
    std::vector<std::wstring> spellings{parent, upper, shortParent};
    if (const auto alias = testing_support::OtherDriveLetterPath(parent)) spellings.push_back(*alias);

    for (const std::wstring& destination : spellings) {
        SCOPED_TRACE(testing::PrintToString(destination));
        prompts.reports.clear();
        prompts.destinations = {destination};
        prompts.replies = {{ConfirmAnswer::Yes, {}}};
        const MoveOutcome outcome = operation({true, false}).moveItems({item(L"LongParentName\\sub")});
        EXPECT_TRUE(outcome.copy.copied.empty());
        EXPECT_EQ(ReadText(tree.path(L"LongParentName\\sub\\only.txt")), "the only copy");
        EXPECT_TRUE(reported(L"The target is the item itself."));
    }

    // Into the folder itself, or a folder inside it.
    tree.folder(L"LongParentName\\sub\\inner");
    for (const std::wstring& inside : {tree.path(L"LongParentName\\sub"), tree.path(L"LongParentName\\sub\\inner"),
                                       std::wstring(shortParent) + L"\\SUB\\inner"}) {
        SCOPED_TRACE(testing::PrintToString(inside));
        prompts.reports.clear();
        prompts.destinations = {inside};
        const MoveOutcome outcome = operation({true, true}).moveItems({item(L"LongParentName\\sub")});
        EXPECT_TRUE(outcome.copy.copied.empty());
        EXPECT_FALSE(exists(inside + L"\\sub"));
        EXPECT_EQ(ReadText(tree.path(L"LongParentName\\sub\\only.txt")), "the only copy");
        EXPECT_TRUE(reported(L"The target is inside the item itself."));
    }

    // Replacing the folder that holds it: "x\x" moved next to "x" would merge into its own parent.
    tree.folder(L"x");
    tree.folder(L"x\\x");
    WriteText(tree.path(L"x\\x\\x"), "deep");
    prompts.destinations = {tree.root()};
    prompts.replies = {{ConfirmAnswer::Yes, {}}};
    EXPECT_TRUE(operation({true, false}).moveItems({item(L"x\\x")}).copy.copied.empty());
    EXPECT_EQ(ReadText(tree.path(L"x\\x\\x")), "deep");
    EXPECT_TRUE(reported(L"The item it would replace holds the item itself."));
}

// A copy that did not write every file of a tree does not count, so the move keeps the source: the
// held target keeps its old content and the new content is only in the source.
TEST_F(FileOperationTest, AMoveKeepsASourceWhoseCopyDidNotWriteEveryFile) {
    tree.folder(L"dir");
    WriteText(tree.path(L"dir\\a.txt"), "new a");
    WriteText(tree.path(L"dir\\same.txt"), "new!");
    target.folder(L"dir");
    WriteText(target.path(L"dir\\same.txt"), "old!");
    {
        const win::UniqueFileHandle held(
            ::CreateFileW(target.path(L"dir\\same.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        prompts.destinations = {target.root()};
        prompts.replies = {{ConfirmAnswer::Yes, {}}, {ConfirmAnswer::Yes, {}}};  // merge, and replace the held file
        const MoveOutcome outcome = operation({true, false}).moveItems({item(L"dir")});
        EXPECT_TRUE(outcome.copy.copied.empty());
        EXPECT_TRUE(outcome.deletion.removed.empty());
    }
    EXPECT_EQ(ReadText(tree.path(L"dir\\same.txt")), "new!");
    EXPECT_EQ(ReadText(target.path(L"dir\\same.txt")), "old!");
    EXPECT_EQ(report(), L"These items could not be moved:\n\n" + tree.path(L"dir") + L"\n    It is in use by another program.");

    // A file held open in the source: not copied, not moved, not deleted.
    WriteText(tree.path(L"held.txt"), "held");
    const win::UniqueFileHandle held(
        ::CreateFileW(tree.path(L"held.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    prompts.destinations = {target.root()};
    EXPECT_TRUE(operation({true, false}).moveItems({item(L"held.txt")}).copy.copied.empty());
    EXPECT_TRUE(exists(tree.path(L"held.txt")));
    EXPECT_FALSE(exists(target.path(L"held.txt")));
    EXPECT_TRUE(reported(L"held.txt\n    It is in use by another program."));
}

// Two selected items of one name land on one target: the earlier copy is gone, so its source stays.
TEST_F(FileOperationTest, TwoItemsOfOneNameNeverBothCountAsMoved) {
    for (const bool preference : {true, false}) {
        SCOPED_TRACE(preference ? "overwrite without prompting" : "Yes at the dialog");
        const testing_support::TempTree into(testing_support::OtherVolumeRoot());
        tree.folder(preference ? L"one" : L"1");
        tree.folder(preference ? L"two" : L"2");
        const std::wstring first = preference ? L"one\\same.txt" : L"1\\same.txt";
        const std::wstring second = preference ? L"two\\same.txt" : L"2\\same.txt";
        WriteText(tree.path(first), "first");
        WriteText(tree.path(second), "second");
        prompts.destinations = {into.root()};
        prompts.replies = {{ConfirmAnswer::Yes, {}}};
        prompts.conflicts.clear();
        const MoveOutcome outcome = operation({true, preference}).moveItems({item(first), item(second)});
        EXPECT_EQ(prompts.conflicts.size(), preference ? 0u : 1u);
        EXPECT_EQ(outcome.copy.copied.size(), 1u);
        EXPECT_EQ(ReadText(tree.path(first)), "first");
        EXPECT_FALSE(exists(tree.path(second)));
        EXPECT_EQ(ReadText(into.path(L"same.txt")), "second");
        EXPECT_TRUE(reported(L"Its copy was replaced by another item of the same name."));
    }
}

// A later copy that writes where an earlier item of the same move was: the earlier item, inside the
// destination and so on its volume, is renamed away first, and the copy from another volume merges
// into the folder it left. Both arrive whole, and both sources go.
TEST_F(FileOperationTest, AnItemInTheDestinationIsRenamedBeforeACopyWritesWhereItWas) {
    target.folder(L"a");
    WriteText(target.path(L"a\\x"), "the destination's own x");
    elsewhere.folder(L"a");
    WriteText(elsewhere.path(L"a\\x"), "the tree's x");
    const OperationItem inDestination{100, target.path(L"a"), L"x"};
    const OperationItem folder{101, elsewhere.root(), L"a"};
    prompts.destinations = {target.root()};
    prompts.replies = {{ConfirmAnswer::Yes, {}}};
    const MoveOutcome outcome = operation({true, false}).moveItems({inDestination, folder});
    EXPECT_EQ(outcome.deletion.removed, (Rows{100, 101}));
    EXPECT_EQ(ReadText(target.path(L"x")), "the destination's own x");
    EXPECT_EQ(ReadText(target.path(L"a\\x")), "the tree's x");
    EXPECT_FALSE(exists(elsewhere.path(L"a")));
    EXPECT_TRUE(prompts.reports.empty()) << testing::PrintToString(report());
}

// Only "no more files" ends a folder: any other failure while listing is a failure of the copy and
// of the removal.
TEST_F(FileOperationTest, AListingThatFailsPartWayIsNeverTakenForAWholeFolder) {
    tree.folder(L"dir");
    tree.folder(L"dir\\sub");
    for (const wchar_t* name : {L"dir\\sub\\1.txt", L"dir\\sub\\2.txt", L"dir\\sub\\3.txt"}) WriteText(tree.path(name), "x");
    const std::wstring failing = tree.path(L"dir\\sub");
    win::SetEnumerationFault([failing](std::wstring_view folder, std::size_t listed) -> DWORD {
        return folder == failing && listed >= 1 ? ERROR_NETNAME_DELETED : 0;
    });
    prompts.destinations = {elsewhere.root()};
    const MoveOutcome moved = operation({true, false}).moveItems({item(L"dir")});
    EXPECT_TRUE(moved.copy.copied.empty());
    EXPECT_TRUE(exists(tree.path(L"dir\\sub\\3.txt")));
    EXPECT_TRUE(reported(L"Not all of its contents could be listed"));

    const DeleteOutcome deleted = operation({true, false}).deleteItems({item(L"dir")});
    win::SetEnumerationFault({});
    EXPECT_TRUE(deleted.removed.empty());
    EXPECT_TRUE(exists(tree.path(L"dir\\sub")));
    EXPECT_TRUE(reported(L"These items could not be deleted:"));
}

// Deleting a folder removes a link inside it, never what the link leads to; copying it does not
// follow the link either, so the copy is not whole and a move keeps the folder.
TEST_F(FileOperationTest, LinksInsideAFolderAreNeitherFollowedNorTakenForItsContents) {
    for (const auto kind : {testing_support::LinkKind::Junction, testing_support::LinkKind::Symbolic}) {
        SCOPED_TRACE(kind == testing_support::LinkKind::Junction ? "junction" : "symbolic link");
        const testing_support::TempTree parent;
        const auto linked = testing_support::MakeLinkedFolder(parent.root(), kind);
        if (!linked) {
            std::cout << "  (no " << (kind == testing_support::LinkKind::Junction ? "junctions" : "symbolic links")
                      << " to folders here)\n";
            continue;
        }
        const std::size_t cut = linked->folder.find_last_of(L'\\');
        const OperationItem folder{7, linked->folder.substr(0, cut), linked->folder.substr(cut + 1)};
        prompts.destinations = {elsewhere.root()};
        prompts.reports.clear();
        EXPECT_TRUE(operation({true, false}).moveItems({folder}).copy.copied.empty());
        EXPECT_TRUE(exists(linked->folder + L"\\own.txt"));
        EXPECT_TRUE(reported(L"It holds a link to a folder, which is not copied."));

        // Wine 8 cannot remove a link to a folder that is not empty (it removes the folder behind it):
        // the folder then stays, and says so, but what the link leads to is never touched.
        const DeleteOutcome deleted = operation({true, false}).deleteItems({folder});
        EXPECT_EQ(ReadText(linked->outside + L"\\keep.txt"), "keep");
        EXPECT_FALSE(exists(linked->folder + L"\\own.txt"));
        if (deleted.removed.empty()) {
            EXPECT_TRUE(reported(L"These items could not be deleted:")) << testing::PrintToString(report());
        } else {
            EXPECT_FALSE(exists(linked->folder));
        }
    }
}

TEST_F(FileOperationTest, AVanishedItemIsNotCopiedAndSaysSo) {
    prompts.destinations = {target.root()};
    const CopyOutcome outcome = operation().copyItems({item(L"gone")});
    EXPECT_TRUE(outcome.copied.empty());
    EXPECT_FALSE(exists(target.path(L"gone")));
    EXPECT_EQ(report(), L"These items could not be copied:\n\n" + tree.path(L"gone") + L"\n    It no longer exists.");
}

// A renamed copy is a copy: the move deletes its source, and the item that was in the way stays.
TEST_F(FileOperationTest, AMoveWithRenameMovesTheItemUnderItsNewName) {
    for (const bool sameVolume : {false, true}) {
        SCOPED_TRACE(sameVolume ? "renamed" : "copied and deleted");
        const testing_support::TempTree into(sameVolume ? std::wstring() : testing_support::OtherVolumeRoot());
        WriteText(tree.path(L"r.txt"), "moving");
        WriteText(into.path(L"r.txt"), "staying");
        prompts.destinations = {into.root()};
        prompts.replies = {{ConfirmAnswer::Rename, L"r (2).txt"}};
        prompts.deleteQuestions = 0;
        const MoveOutcome outcome = operation().moveItems({item(L"r.txt")});
        EXPECT_EQ(outcome.deletion.removed.size(), 1u);
        EXPECT_EQ(ReadText(into.path(L"r (2).txt")), "moving");
        EXPECT_EQ(ReadText(into.path(L"r.txt")), "staying");
        EXPECT_FALSE(exists(tree.path(L"r.txt")));
        EXPECT_EQ(prompts.deleteQuestions, sameVolume ? 0 : 1);
    }
}

TEST_F(FileOperationTest, EveryKindOfFailureIsReportedOnceWithItsReason) {
    WriteText(tree.path(L"read-only.txt"), "ro");
    ::SetFileAttributesW(tree.path(L"read-only.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteText(tree.path(L"plain.txt"), "p");
    const DeleteOutcome deleted = operation().deleteItems({item(L"read-only.txt"), item(L"plain.txt")});
    EXPECT_EQ(deleted.removed, Rows{1});
    EXPECT_EQ(report(), L"These items could not be deleted:\n\n" + tree.path(L"read-only.txt") + L"\n    It is read-only.");
    ::SetFileAttributesW(tree.path(L"read-only.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

    // A file held open by another program is not copied, and says so.
    {
        const win::UniqueFileHandle held(
            ::CreateFileW(tree.path(L"read-only.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        prompts.destinations = {target.root()};
        EXPECT_TRUE(operation().copyItems({item(L"read-only.txt")}).copied.empty());
        EXPECT_EQ(report(), L"These items could not be copied:\n\n" + tree.path(L"read-only.txt") +
                                L"\n    It is in use by another program.");
    }

    // Nothing said when everything went through.
    prompts.reports.clear();
    prompts.destinations = {target.root()};
    operation().copyItems({item(L"read-only.txt")});
    EXPECT_TRUE(prompts.reports.empty());
}

// Cancel stops after the item in hand; a cancelled move deletes what it copied whole and nothing else.
TEST_F(FileOperationTest, ACancelledMoveDeletesOnlyWhatItCopied) {
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) WriteText(tree.path(name), "data");
    progress.cancelAfterItems = 1;
    prompts.destinations = {elsewhere.root()};
    const MoveOutcome outcome = operation().moveItems({item(L"1.txt"), item(L"2.txt"), item(L"3.txt")});
    EXPECT_EQ(outcome.copy.copied, Rows{0});
    EXPECT_EQ(outcome.deletion.removed, Rows{0});
    EXPECT_FALSE(exists(tree.path(L"1.txt")));
    EXPECT_TRUE(exists(tree.path(L"2.txt")));
    EXPECT_FALSE(exists(elsewhere.path(L"2.txt")));
    // Every item not started is named, not only the one in hand.
    EXPECT_TRUE(reported(tree.path(L"2.txt") + L"\n    The operation was cancelled before it was started."));
    EXPECT_TRUE(reported(tree.path(L"3.txt") + L"\n    The operation was cancelled before it was started."));
    EXPECT_EQ(progress.phases, (std::vector<std::wstring>{L"Moving", L"Deleting"}));
    EXPECT_EQ(progress.ended, 2);
}

// Within one volume a move is a rename: the very same items arrive, nothing is copied and nothing is
// asked about deleting. An item the move already put somewhere has no other copy, so nothing of the
// same operation may replace it.
TEST_F(FileOperationTest, AMoveWithinOneVolumeIsARename) {
    tree.folder(L"dir");
    WriteText(tree.path(L"dir\\a.txt"), "a");
    WriteText(tree.path(L"f.txt"), "f");
    const auto folderIdentity = win::IdentityOf(tree.path(L"dir"));
    const auto fileIdentity = win::IdentityOf(tree.path(L"f.txt"));
    prompts.destinations = {target.root()};
    const MoveOutcome outcome = operation().moveItems({item(L"dir"), item(L"f.txt")});
    EXPECT_EQ(outcome.deletion.removed, (Rows{0, 1}));
    EXPECT_TRUE(outcome.copy.copied.empty());
    EXPECT_TRUE(win::IdentityOf(target.path(L"dir")) == folderIdentity);
    EXPECT_TRUE(win::IdentityOf(target.path(L"f.txt")) == fileIdentity);
    EXPECT_EQ(ReadText(target.path(L"dir\\a.txt")), "a");
    EXPECT_FALSE(exists(tree.path(L"dir")));
    EXPECT_EQ(prompts.deleteQuestions, 0);
    EXPECT_EQ(progress.phases, std::vector<std::wstring>{L"Moving"});

    tree.folder(L"1");
    tree.folder(L"2");
    WriteText(tree.path(L"1\\same.txt"), "first");
    WriteText(tree.path(L"2\\same.txt"), "second");
    prompts.destinations = {target.root()};
    prompts.replies = {{ConfirmAnswer::Yes, {}}};
    operation().moveItems({item(L"1\\same.txt"), item(L"2\\same.txt")});
    EXPECT_EQ(ReadText(target.path(L"same.txt")), "first");
    EXPECT_EQ(ReadText(tree.path(L"2\\same.txt")), "second");
    EXPECT_TRUE(reported(L"An item moved by this operation has its name in the target folder."));
}

// Across volumes a move copies, then deletes only the source files that are still what was copied:
// what appears or changes while the delete question waits stays, and is named.
TEST_F(FileOperationTest, AMoveAcrossVolumesDeletesOnlyWhatItCopiedUnchanged) {
    ASSERT_FALSE(testing_support::OtherVolumeRoot().empty());
    tree.folder(L"D");
    tree.folder(L"D\\sub");
    WriteText(tree.path(L"D\\a.txt"), "a");
    WriteText(tree.path(L"D\\sub\\b.txt"), "b");
    WriteText(tree.path(L"D\\sub\\ro.txt"), "read-only");
    ::SetFileAttributesW(tree.path(L"D\\sub\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    prompts.destinations = {elsewhere.root()};
    prompts.whileDeleteAsked = [&] {
        WriteText(tree.path(L"D\\new.txt"), "new");
        WriteText(tree.path(L"D\\sub\\b.txt"), "b, edited after the copy");
    };
    const MoveOutcome outcome = operation().moveItems({item(L"D")});
    EXPECT_EQ(outcome.copy.copied, Rows{0});
    EXPECT_TRUE(outcome.deletion.removed.empty());
    EXPECT_EQ(ReadText(tree.path(L"D\\new.txt")), "new");
    EXPECT_EQ(ReadText(tree.path(L"D\\sub\\b.txt")), "b, edited after the copy");
    EXPECT_EQ(ReadText(elsewhere.path(L"D\\sub\\b.txt")), "b");
    EXPECT_FALSE(exists(tree.path(L"D\\a.txt")));
    EXPECT_FALSE(exists(tree.path(L"D\\sub\\ro.txt")));
    EXPECT_EQ(ReadText(elsewhere.path(L"D\\sub\\ro.txt")), "read-only");
    EXPECT_TRUE(reported(tree.path(L"D\\new.txt") + L"\n    It changed after it was copied; kept."));
    EXPECT_TRUE(reported(tree.path(L"D\\sub\\b.txt") + L"\n    It changed after it was copied; kept."));

    // Unchanged, the whole folder goes.
    prompts.whileDeleteAsked = {};
    const testing_support::TempTree again(testing_support::OtherVolumeRoot());
    prompts.destinations = {again.root()};
    EXPECT_EQ(operation().moveItems({item(L"D")}).deletion.removed.size(), 1u);
    EXPECT_FALSE(exists(tree.path(L"D")));
    EXPECT_EQ(ReadText(again.path(L"D\\new.txt")), "new");
}

// A row lists a file and a folder now has its name (or the other way round): neither is deleted.
TEST_F(FileOperationTest, ARowWhoseItemChangedKindIsNotDeleted) {
    tree.folder(L"was a file");
    WriteText(tree.path(L"was a file\\inner.txt"), "inner");
    WriteText(tree.path(L"was a folder"), "a file now");
    OperationItem file = item(L"was a file");
    file.kind = ItemKind::File;
    OperationItem folder = item(L"was a folder");
    folder.kind = ItemKind::Folder;
    const DeleteOutcome deleted = operation().deleteItems({file, folder});
    EXPECT_TRUE(deleted.removed.empty());
    EXPECT_EQ(ReadText(tree.path(L"was a file\\inner.txt")), "inner");
    EXPECT_EQ(ReadText(tree.path(L"was a folder")), "a file now");
    EXPECT_TRUE(reported(L"It is no longer the kind of item its row lists."));
}

// Merging two folders asks about each file that would replace another, as about any conflict: the
// answer at the folder does not decide for the files in it, except "Yes To All".
TEST_F(FileOperationTest, AFolderMergeAsksAboutEachFileItWouldReplace) {
    struct Case {
        const char* name;
        std::vector<ConfirmAnswer> answers;
        std::size_t questions;
        const char* sameAfter;
    };
    const Case cases[] = {{"Yes, then No for the file", {ConfirmAnswer::Yes, ConfirmAnswer::No}, 2, "old"},
                          {"Yes, then Yes for the file", {ConfirmAnswer::Yes, ConfirmAnswer::Yes}, 2, "new!"},
                          {"Yes To All", {ConfirmAnswer::YesToAll}, 1, "new!"},
                          {"Yes, then Abort", {ConfirmAnswer::Yes, ConfirmAnswer::Abort}, 2, "old"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const testing_support::TempTree from, into;
        from.folder(L"dir");
        WriteText(from.path(L"dir\\same.txt"), "new!");
        WriteText(from.path(L"dir\\only.txt"), "only");
        into.folder(L"dir");
        WriteText(into.path(L"dir\\same.txt"), "old");
        prompts.destinations = {into.root()};
        prompts.conflicts.clear();
        prompts.replies.clear();
        for (const ConfirmAnswer answer : c.answers) prompts.replies.push_back({answer, {}});
        const CopyOutcome outcome = operation().copyItems({OperationItem{1, from.root(), L"dir"}});
        EXPECT_EQ(prompts.conflicts.size(), c.questions);
        if (c.questions == 2) {
            EXPECT_EQ(prompts.conflicts[1], L"same.txt");
        }
        EXPECT_EQ(ReadText(into.path(L"dir\\same.txt")), c.sameAfter);
        EXPECT_EQ(outcome.copied.empty(), std::string(c.sameAfter) == "old");
        EXPECT_EQ(outcome.aborted, c.answers.back() == ConfirmAnswer::Abort);
    }
}

}  // namespace
