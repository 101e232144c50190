// Deleting, copying and moving the selected results on real files, with the dialogs answered by script.
#include "app/results_fixture.h"

#include "fileops/file_system.h"
#include "support/file_text.h"
#include "win/busy_window.h"

using namespace findlark;
using Names = std::vector<std::wstring>;

class FileOperationsTest : public ResultsTest {
protected:
    // What the user answers in the confirm-replace dialog, in turn.
    void answer(std::initializer_list<win::Button TFormConfirm::*> buttons) {
        for (auto button : buttons) {
            interaction.dialogScripts.push_back([button](win::Dialog& dialog) {
                auto& confirm = dynamic_cast<TFormConfirm&>(dialog);
                (confirm.*button).click();
            });
        }
    }
    void chooseFolder(const std::wstring& folder) { interaction.folderAnswers.push_back(folder); }
    void setPreference(win::CheckBox TFormOptions::*box) { (app->options().*box).setChecked(true); }
    testing_support::TempTree target;
    testing_support::TempTree elsewhere{testing_support::OtherVolumeRoot()};  // moves there copy, then delete
};

TEST_F(FileOperationsTest, NoToTheQuestionLeavesDiskAndListAsTheyWere) {
    tree.file(L"a.txt");
    tree.file(L"gone.txt");
    searchTree();
    ::DeleteFileW(tree.path(L"gone.txt").c_str());
    select({L"a.txt"});
    interaction.messageAnswers = {IDNO};
    main().runMenuCommand(main().DeleteAll1.id());
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].text, L"Are you sure you want to delete this item(s)?");
    EXPECT_EQ(interaction.messages[0].caption, L"Confirm Multiple File Delete");
    EXPECT_EQ(interaction.messages[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
    EXPECT_TRUE(exists(L"a.txt"));
    EXPECT_EQ(listed(), (Names{L"a.txt", L"gone.txt"}));  // not even the vanished row goes
}

TEST_F(FileOperationsTest, YesWithNothingSelectedRemovesOnlyVanishedRows) {
    tree.file(L"a.txt");
    tree.file(L"gone.txt");
    searchTree();
    ::DeleteFileW(tree.path(L"gone.txt").c_str());
    main().ListViewResults.clearSelection();
    main().runMenuCommand(main().DeleteAll1.id());
    EXPECT_EQ(listed(), Names{L"a.txt"});
    EXPECT_TRUE(exists(L"a.txt"));
}

TEST_F(FileOperationsTest, DeletingAFolderTakesTheRowsBelowItAndAdjacentRowsAllGo) {
    tree.folder(L"dir");
    tree.file(L"dir\\inner.txt");
    tree.folder(L"dir\\sub", FILE_ATTRIBUTE_HIDDEN);
    tree.file(L"dir\\sub\\deep.txt", 10, FILE_ATTRIBUTE_READONLY);
    tree.file(L"x1.txt");
    tree.file(L"x2.txt");
    tree.file(L"keep.txt");
    searchTree();
    select({L"dir", L"x1.txt", L"x2.txt"});
    setPreference(&TFormOptions::CheckBoxDeleteWithoutPrompting);
    main().runMenuCommand(main().DeleteAll1.id());
    EXPECT_TRUE(interaction.messages.empty());  // no question with the preference on
    EXPECT_FALSE(exists(L"dir"));
    EXPECT_FALSE(exists(L"x1.txt"));
    EXPECT_FALSE(exists(L"x2.txt"));
    EXPECT_EQ(listed(), Names{L"keep.txt"});
    EXPECT_EQ(main().StatusBar.panelText(0), L"Finished. 7 items found, 1 listed.");  // not the old count alone
}

// The item is still there after the attempt, so its row stays: a failed delete never looks done.
TEST_F(FileOperationsTest, AFileThatCannotBeDeletedStaysListedAndOnDisk) {
    tree.file(L"locked.txt");
    tree.file(L"other.txt");
    searchTree();
    const win::UniqueFileHandle held(
        ::CreateFileW(tree.path(L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    select({L"locked.txt", L"other.txt"});
    main().runMenuCommand(main().DeleteAll1.id());
    EXPECT_TRUE(exists(L"locked.txt"));
    EXPECT_EQ(listed(), Names{L"locked.txt"});
    EXPECT_EQ(selected(), Names{L"locked.txt"});  // its selection kept
}

TEST_F(FileOperationsTest, CopyWithoutConflictsAsksNothing) {
    tree.folder(L"dir");
    tree.file(L"dir\\inner.txt", 5);
    tree.file(L"a.txt", 7);
    searchTree(L"*.*", false);
    select({L"dir", L"a.txt"});
    chooseFolder(target.root());
    main().runMenuCommand(main().Copyselectedto1.id());
    EXPECT_EQ(interaction.folderRequests, Names{L"Choose a directory to copy selected item(s) to."});
    EXPECT_TRUE(interaction.dialogs.empty());
    EXPECT_TRUE(IsExistingFile(target.path(L"a.txt")));
    EXPECT_TRUE(IsExistingFile(target.path(L"dir\\inner.txt")));
    EXPECT_EQ(listed(), (Names{L"a.txt", L"dir"}));  // copies are not listed
}

TEST_F(FileOperationsTest, YesToAllAndNoToAllHoldForTheRest) {
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
        tree.file(name, 100);
        target.file(name, 1);
    }
    tree.file(L"new.txt");
    searchTree();
    select({L"1.txt", L"2.txt", L"3.txt", L"new.txt"});
    answer({&TFormConfirm::BitBtnYesToAll});
    chooseFolder(target.root());
    main().runMenuCommand(main().Copyselectedto1.id());
    EXPECT_EQ(interaction.dialogs, Names{L"Confirm File Replace"});  // the later two without a dialog
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExW(target.path(name).c_str(), GetFileExInfoStandard, &data);
        EXPECT_EQ(data.nFileSizeLow, 100u);
    }

    testing_support::TempTree second;
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) second.file(name, 1);
    answer({&TFormConfirm::BitBtnNoToAll});
    chooseFolder(second.root());
    main().runMenuCommand(main().Copyselectedto1.id());
    EXPECT_EQ(interaction.dialogs.size(), 2u);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(second.path(L"3.txt").c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(data.nFileSizeLow, 1u);
    EXPECT_TRUE(IsExistingFile(second.path(L"new.txt")));  // no conflict: copied all the same
}

TEST_F(FileOperationsTest, AbortStopsAtOnceAndLeavesTheList) {
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
        tree.file(name, 100);
        target.file(name, 1);
    }
    tree.file(L"4.txt");
    tree.file(L"gone.txt");
    searchTree();
    ::DeleteFileW(tree.path(L"gone.txt").c_str());
    select({L"1.txt", L"2.txt", L"3.txt", L"4.txt"});
    interaction.dialogScripts.push_back([](win::Dialog& dialog) {
        auto& confirm = dynamic_cast<TFormConfirm&>(dialog);
        EXPECT_EQ(confirm.LabelGeneral1.text(), L"This folder already contains a file named '1.txt'.");
        EXPECT_EQ(confirm.LabelSize1.text(), L"1 B");
        EXPECT_EQ(confirm.LabelSize2.text(), L"100 B");
        EXPECT_EQ(::GetFocus(), confirm.BitBtnYes.hwnd());
        confirm.BitBtnYes.click();
    });
    answer({&TFormConfirm::BitBtnAbort});
    chooseFolder(target.root());
    main().runMenuCommand(main().Copyselectedto1.id());
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(target.path(L"1.txt").c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(data.nFileSizeLow, 100u);
    ::GetFileAttributesExW(target.path(L"2.txt").c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(data.nFileSizeLow, 1u);
    EXPECT_FALSE(IsExistingFile(target.path(L"4.txt")));
    EXPECT_EQ(listed().size(), 5u);  // the vanished row too
}

TEST_F(FileOperationsTest, RenameRefusesATakenNameAndCopiesUnderAFreeOne) {
    tree.file(L"r.txt", 10);
    target.file(L"r.txt", 1);
    target.file(L"r (2).txt", 2);
    searchTree();
    select({L"r.txt"});
    interaction.dialogScripts.push_back([&](win::Dialog& dialog) { dynamic_cast<TFormConfirm&>(dialog).BitBtnRename.click(); });
    interaction.dialogScripts.push_back([&](win::Dialog& dialog) {
        auto& rename = dynamic_cast<TFormRenameFile&>(dialog);
        EXPECT_EQ(rename.EditNewName.text(), L"r (3).txt");  // the first free name, to keep both
        rename.EditNewName.setText(L"r.txt");
        rename.BitBtnOK.click();  // the same name: refused, the dialog stays
        EXPECT_TRUE(rename.showing());
        rename.EditNewName.setText(L"..\\escape.txt");
        rename.BitBtnOK.click();
        EXPECT_TRUE(rename.showing());
        rename.EditNewName.setText(std::wstring(256, L'n'));
        rename.BitBtnOK.click();
        EXPECT_TRUE(rename.showing());
        // What the user types lands in the name (its text selected), never on a button: "c" is not Cancel.
        rename.EditNewName.setText(L"r.txt");
        rename.beginModal();
        EXPECT_EQ(::GetFocus(), rename.EditNewName.hwnd());
        for (const wchar_t c : std::wstring(L"copy.txt")) testing_support::TypeChar(::GetFocus(), c);
        EXPECT_TRUE(rename.showing());
        EXPECT_EQ(rename.EditNewName.text(), L"copy.txt");
        rename.EditNewName.setText(L"r (copy).txt");
        rename.BitBtnOK.click();
        EXPECT_FALSE(rename.showing());
    });
    chooseFolder(target.root());
    main().runMenuCommand(main().Copyselectedto1.id());
    EXPECT_EQ(interaction.dialogs, (Names{L"Confirm File Replace", L"Enter New File Name"}));
    ASSERT_EQ(interaction.messages.size(), 3u);
    EXPECT_EQ(interaction.messages[0].text, L"File already exists.");
    EXPECT_EQ(interaction.messages[2].text.rfind(L"The new name is too long", 0), 0u);
    EXPECT_EQ(interaction.messages[0].caption, L"Warning");
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(target.path(L"r.txt").c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(data.nFileSizeLow, 1u);  // the conflicting target untouched
    ::GetFileAttributesExW(target.path(L"r (copy).txt").c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(data.nFileSizeLow, 10u);
    EXPECT_FALSE(PathExists(target.root() + L"\\..\\escape.txt"));
}

TEST_F(FileOperationsTest, AConflictingFolderIsMergedAndOverwritingCanGoWithoutAsking) {
    tree.folder(L"dir");
    tree.file(L"dir\\same.txt", 20);
    tree.file(L"dir\\new.txt");
    target.folder(L"dir");
    target.file(L"dir\\same.txt", 2);
    target.file(L"dir\\old.txt");
    searchTree(L"*.*", false);
    select({L"dir"});
    interaction.dialogScripts.push_back([](win::Dialog& dialog) {
        auto& confirm = dynamic_cast<TFormConfirm&>(dialog);
        EXPECT_EQ(confirm.LabelGeneral1.text(), L"This folder already contains a folder named 'dir'. The two folders will "
                                                L"be merged; each file that would replace another is asked about.");
        confirm.BitBtnYes.click();
    });
    interaction.dialogScripts.push_back([](win::Dialog& dialog) {
        auto& confirm = dynamic_cast<TFormConfirm&>(dialog);
        EXPECT_EQ(confirm.LabelGeneral1.text(), L"This folder already contains a file named 'same.txt'.");
        confirm.BitBtnYes.click();
    });
    chooseFolder(target.root());
    main().runMenuCommand(main().Copyselectedto1.id());
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(target.path(L"dir\\same.txt").c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(data.nFileSizeLow, 20u);
    EXPECT_TRUE(IsExistingFile(target.path(L"dir\\new.txt")));
    EXPECT_TRUE(IsExistingFile(target.path(L"dir\\old.txt")));

    setPreference(&TFormOptions::CheckBoxOverwriteWithoutPrompting);
    chooseFolder(target.root());
    main().runMenuCommand(main().Copyselectedto1.id());
    EXPECT_EQ(interaction.dialogs.size(), 2u);  // no further dialog
}

TEST_F(FileOperationsTest, ACancelledFolderChoiceCopiesNothing) {
    tree.file(L"a.txt");
    searchTree();
    select({L"a.txt"});
    interaction.folderAnswers.push_back(std::nullopt);
    main().runMenuCommand(main().Moveselectedto1.id());
    EXPECT_TRUE(exists(L"a.txt"));
    EXPECT_TRUE(interaction.messages.empty());
}

TEST_F(FileOperationsTest, MoveDeletesOnlyWhatItReallyCopied) {
    tree.file(L"moved.txt", 3);
    tree.file(L"skipped.txt", 3);
    elsewhere.file(L"skipped.txt", 1);
    tree.folder(L"dir");
    tree.file(L"dir\\in.txt");
    searchTree(L"*.*", false);
    select({L"dir", L"moved.txt", L"skipped.txt"});
    answer({&TFormConfirm::BitBtnNo});
    chooseFolder(elsewhere.root());
    main().runMenuCommand(main().Moveselectedto1.id());
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].caption, L"Confirm Multiple File Delete");
    EXPECT_FALSE(exists(L"moved.txt"));
    EXPECT_FALSE(exists(L"dir"));
    EXPECT_TRUE(exists(L"skipped.txt"));  // answered No: the source stays
    EXPECT_TRUE(IsExistingFile(elsewhere.path(L"dir\\in.txt")));
    EXPECT_EQ(listed(), Names{L"skipped.txt"});

    // No at the delete question leaves sources, copies and rows.
    tree.file(L"again.txt");
    searchTree(L"again.txt");
    select({L"again.txt"});
    interaction.messageAnswers = {IDNO};
    testing_support::TempTree third(testing_support::OtherVolumeRoot());
    chooseFolder(third.root());
    main().runMenuCommand(main().Moveselectedto1.id());
    EXPECT_TRUE(exists(L"again.txt"));
    EXPECT_TRUE(IsExistingFile(third.path(L"again.txt")));
    EXPECT_EQ(listed(), Names{L"again.txt"});
}

TEST_F(FileOperationsTest, AMoveWhoseCopyFailedLeavesTheSource) {
    tree.file(L"held.txt", 3);
    searchTree();
    select({L"held.txt"});
    const win::UniqueFileHandle held(
        ::CreateFileW(tree.path(L"held.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    chooseFolder(target.root());
    main().runMenuCommand(main().Moveselectedto1.id());
    EXPECT_FALSE(IsExistingFile(target.path(L"held.txt")));
    // Nothing copied: nothing to delete and no question, but the failure is told.
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].text,
              L"These items could not be moved:\n\n" + tree.path(L"held.txt") + L"\n    It is in use by another program.");
    EXPECT_EQ(interaction.messages[0].caption, L"Findlark 1.0");
    EXPECT_EQ(listed(), Names{L"held.txt"});
}

// A copy that could not read a file of a folder does not count: the folder is not moved.
TEST_F(FileOperationsTest, AMovedFolderWhoseCopySkippedAFileStays) {
    tree.folder(L"dir");
    tree.file(L"dir\\a.txt", 3);
    tree.file(L"dir\\held.txt", 3);
    searchTree(L"*.*", false);
    select({L"dir"});
    const win::UniqueFileHandle held(
        ::CreateFileW(tree.path(L"dir\\held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    chooseFolder(elsewhere.root());
    setPreference(&TFormOptions::CheckBoxDeleteWithoutPrompting);
    main().runMenuCommand(main().Moveselectedto1.id());
    EXPECT_TRUE(IsExistingFile(elsewhere.path(L"dir\\a.txt")));
    EXPECT_TRUE(exists(L"dir\\a.txt"));
    EXPECT_EQ(listed(), Names{L"dir"});
}

// Paths reach the copy and the removal literally: no "%NAME%" is expanded, no "&" or "^" read as a command.
TEST_F(FileOperationsTest, FoldersWithCommandCharactersInTheirNamesAreCopiedMovedAndDeleted) {
    const Names names{L"%WINDIR%x", L"a&b", L"100% done", L"^caret", L"(x)!"};
    for (const std::wstring& name : names) {
        tree.folder(name);
        tree.file(name + L"\\file.txt", 4);
    }
    searchTree(L"*.*", false);
    select(names);
    chooseFolder(target.root());
    main().runMenuCommand(main().Copyselectedto1.id());
    for (const std::wstring& name : names) EXPECT_TRUE(IsExistingFile(target.path(name + L"\\file.txt"))) << Narrow(name);

    testing_support::TempTree moved;
    select(names);
    chooseFolder(moved.root());
    setPreference(&TFormOptions::CheckBoxDeleteWithoutPrompting);
    main().runMenuCommand(main().Moveselectedto1.id());
    for (const std::wstring& name : names) {
        EXPECT_TRUE(IsExistingFile(moved.path(name + L"\\file.txt"))) << Narrow(name);
        EXPECT_FALSE(exists(name)) << Narrow(name);
    }
    EXPECT_TRUE(listed().empty());
    EXPECT_TRUE(PathExists(L"C:\\windows"));  // and nothing of %WINDIR% was touched
}

// Only "report.txt." is selected; a plain path to it would reach "report.txt".
TEST_F(FileOperationsTest, ARowWhoseNameEndsInADotActsOnThatItemAlone) {
    testing_support::WriteText(tree.path(L"report.txt"), "plain");
    testing_support::WriteText(tree.path(L"report.txt."), "dot");
    searchTree();
    ASSERT_EQ(listed(), (Names{L"report.txt", L"report.txt."}));
    select({L"report.txt."});
    main().ListViewResultsDblClick();  // the shell would open "report.txt" in its place
    EXPECT_TRUE(interaction.opened.empty());
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_NE(interaction.messages[0].text.find(L"cannot be opened"), std::wstring::npos);

    setPreference(&TFormOptions::CheckBoxDeleteWithoutPrompting);
    main().runMenuCommand(main().DeleteAll1.id());
    EXPECT_FALSE(exists(L"report.txt."));
    EXPECT_EQ(testing_support::ReadText(tree.path(L"report.txt")), "plain");
    EXPECT_EQ(listed(), Names{L"report.txt"});
}

// While an operation runs the window takes no other command: not a second operation, not a search,
// not the keyboard; a request to close it waits for the end.
TEST_F(FileOperationsTest, NothingElseStartsWhileAnOperationRuns) {
    tree.file(L"a.txt", 5);
    target.file(L"a.txt", 1);
    searchTree();
    select({L"a.txt"});
    interaction.dialogScripts.push_back([&](win::Dialog& dialog) {
        main().runMenuCommand(main().Copyselectedto1.id());
        main().runMenuCommand(main().DeleteAll1.id());
        main().BitBtnSearch.click();
        testing_support::PressKey(main().BitBtnSearch.hwnd(), VK_RETURN);
        main().runMenuCommand(main().Exit1.id());
        ::PostMessageW(main().hwnd(), WM_CLOSE, 0, 0);
        win::BusyWindow::pump();  // as the operation does while it works
        EXPECT_EQ(main().searchState(), SearchState::Idle);
        dynamic_cast<TFormConfirm&>(dialog).BitBtnYes.click();
    });
    chooseFolder(target.root());
    main().runMenuCommand(main().Copyselectedto1.id());
    EXPECT_EQ(interaction.folderRequests.size(), 1u);
    EXPECT_TRUE(interaction.messages.empty());
    EXPECT_TRUE(exists(L"a.txt"));
    EXPECT_TRUE(::IsWindowEnabled(main().hwnd()));
    // The close request comes through once the operation is over.
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// The progress window shows while an operation lasts; Cancel stops after the item in hand, and the
// move then deletes only what was copied.
TEST_F(FileOperationsTest, CancelInTheProgressWindowStopsAfterTheItemInHand) {
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
        tree.file(name, 10);
        target.file(name, 1);
    }
    searchTree();
    select({L"1.txt", L"2.txt", L"3.txt"});
    app->progress().setShowDelay(std::chrono::milliseconds(0));
    interaction.dialogScripts.push_back([&](win::Dialog& dialog) {
        TFormProgress& progress = app->progress();
        EXPECT_TRUE(::IsWindowVisible(progress.hwnd()));
        EXPECT_TRUE(progress.LabelCounts.text().starts_with(L"0 of 3 items")) << Narrow(progress.LabelCounts.text());
        progress.BitBtnCancel.click();
        dynamic_cast<TFormConfirm&>(dialog).BitBtnYes.click();
    });
    chooseFolder(target.root());
    setPreference(&TFormOptions::CheckBoxDeleteWithoutPrompting);
    main().runMenuCommand(main().Moveselectedto1.id());
    EXPECT_EQ(interaction.dialogs.size(), 1u);
    EXPECT_FALSE(exists(L"1.txt"));
    EXPECT_TRUE(exists(L"2.txt"));
    EXPECT_TRUE(exists(L"3.txt"));
    EXPECT_EQ(listed(), (Names{L"2.txt", L"3.txt"}));
    EXPECT_FALSE(::IsWindowVisible(app->progress().hwnd()));
}

// "Use the Recycle Bin for deleted items": Actions > "Delete selected" sends items to the Recycle Bin;
// Shift+Del, and the preference off, delete them for good.
class RecycleBinTest : public FileOperationsTest {
protected:
    void SetUp() override {
        store(L"UseRecycleBin", L"1");
        ResultsTest::SetUp();
    }
    // Where Wine keeps what was recycled: the desktop's trash folder in the user's home.
    static std::wstring Trash() {
        wchar_t home[MAX_PATH] = {};
        if (!::GetEnvironmentVariableW(L"WINEHOMEDIR", home, MAX_PATH)) return {};
        std::wstring folder = home;
        if (folder.rfind(L"\\??\\", 0) == 0) folder.erase(0, 4);
        return folder + L"\\.local\\share\\Trash";
    }
    static std::wstring TrashFile(const std::wstring& name) {
        const std::wstring trash = Trash();
        return trash.empty() ? trash : trash + L"\\files\\" + name;
    }
    static void EmptyFromTrash(const std::wstring& name) {
        ::DeleteFileW(TrashFile(name).c_str());
        ::DeleteFileW((Trash() + L"\\info\\" + name + L".trashinfo").c_str());
    }
    void pressDelete(bool shift) {
        BYTE state[256] = {};
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(state);
        MSG key{main().ListViewResults.hwnd(), WM_KEYDOWN, VK_DELETE, 0, 0, {}};
        main().preTranslateMessage(key);
        const BYTE none[256] = {};
        ::SetKeyboardState(const_cast<BYTE*>(none));
    }
    std::wstring uniqueName(const wchar_t* stem) {
        return stem + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64()) + L".txt";
    }
};

TEST_F(RecycleBinTest, DeletingSendsTheItemToTheRecycleBinAndShiftDelDeletesForGood) {
    const std::wstring recycled = uniqueName(L"recycled-"), gone = uniqueName(L"gone-");
    tree.file(recycled, 10);
    tree.file(gone, 10);
    searchTree();
    EXPECT_TRUE(app->options().useRecycleBin());
    select({recycled});
    main().runMenuCommand(main().DeleteAll1.id());
    EXPECT_EQ(::GetFileAttributesW(tree.path(recycled).c_str()), INVALID_FILE_ATTRIBUTES);
    const std::wstring inTrash = TrashFile(recycled);
    ASSERT_FALSE(inTrash.empty()) << "no trash folder known";
    EXPECT_NE(::GetFileAttributesW(inTrash.c_str()), INVALID_FILE_ATTRIBUTES) << "not in the trash";

    select({gone});
    pressDelete(true);
    EXPECT_EQ(::GetFileAttributesW(tree.path(gone).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW(TrashFile(gone).c_str()), INVALID_FILE_ATTRIBUTES);
    // Each question says where the items go.
    ASSERT_EQ(interaction.messages.size(), 2u);
    EXPECT_EQ(interaction.messages[0].text, L"Are you sure you want to delete this item(s)?");
    EXPECT_EQ(interaction.messages[1].text,
              L"Are you sure you want to delete this item(s) for good? They do not go to the Recycle Bin.");
    EXPECT_EQ(listed(), std::vector<std::wstring>{});
    EmptyFromTrash(recycled);
}

TEST_F(RecycleBinTest, ThePreferenceOffDeletesForGood) {
    const std::wstring gone = uniqueName(L"gone-");
    tree.file(gone, 10);
    searchTree();
    app->options().CheckBoxUseRecycleBin.setChecked(false);
    select({gone});
    main().runMenuCommand(main().DeleteAll1.id());
    EXPECT_EQ(::GetFileAttributesW(tree.path(gone).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW(TrashFile(gone).c_str()), INVALID_FILE_ATTRIBUTES);
}

// A name the shell would take for another item's is never handed to it: it stays, and says why.
TEST_F(RecycleBinTest, ANameTheShellWouldAlterStaysAndIsReported) {
    tree.file(L"report.txt", 10);
    const std::wstring dotted = win::ExtendedLengthPath(tree.path(L"report.txt."));
    const win::UniqueFileHandle made(::CreateFileW(dotted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(made);
    searchTree();
    select({L"report.txt."});
    main().runMenuCommand(main().DeleteAll1.id());
    EXPECT_NE(::GetFileAttributesW(dotted.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(::GetFileAttributesW(tree.path(L"report.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_FALSE(interaction.messages.empty());
    EXPECT_NE(interaction.messages.back().text.find(L"cannot go to the Recycle Bin"), std::wstring::npos);
}
