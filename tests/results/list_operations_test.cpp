// The results as a list: sorting by header and menu, opening, selecting, exporting.
#include "app/results_fixture.h"

#include "results/modified_text.h"
#include "results/result_columns.h"
#include "results/sort_order.h"
#include "support/clipboard_contents.h"
#include "win/system_date_time.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace findlark;
using Names = std::vector<std::wstring>;

namespace {

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class ListOperationsTest : public ResultsTest {
protected:
    void SetUp() override {
        ResultsTest::SetUp();
        tree.file(L"b.txt", 1024);
        tree.file(L"A.txt", 999);
        tree.file(L"_u.txt", 5LL << 30);
        tree.file(L"c.txt", 0);
        searchTree(L"*.*", false);
    }
    void clickHeader(int column) {
        NMLISTVIEW click{};
        click.hdr.hwndFrom = main().ListViewResults.hwnd();
        click.hdr.code = LVN_COLUMNCLICK;
        click.iSubItem = column;
        ::SendMessageW(main().hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    }
};

// The header's menu shows the further columns; each shows the file's own facts as the platform gives
// them, sorts by its rule and goes into the CSV in its place; choice, order and widths outlive a restart.
TEST_F(ListOperationsTest, FurtherColumnsShowTheFilesFactsSortAndAreRemembered) {
    const std::wstring hidden = tree.path(L"b.txt");
    ASSERT_TRUE(::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    searchTree(L"*.*", false);
    const auto headerMenu = [&](const wchar_t* choice) {
        const RECT header = main().ListViewResults.headerRect();
        interaction.popupChoices = {choice};
        ::SendMessageW(main().ListViewResults.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main().ListViewResults.hwnd()),
                       MAKELPARAM(header.left + 4, header.top + 3));
    };
    for (const wchar_t* column : {L"Date Created", L"Attributes", L"Type", L"Extension", L"Date Accessed"}) headerMenu(column);
    ASSERT_FALSE(interaction.popupMenus.empty());
    EXPECT_EQ(interaction.popupMenus.front(),
              (Names{L"Name (on) (off)", L"In Folder (on)", L"Size (on)", L"Date Modified (on)", L"Type", L"Extension",
                     L"Date Created", L"Date Accessed", L"Attributes"}));
    EXPECT_EQ(main().Results.shownColumns(), (std::vector<int>{SortByName, SortByFolder, SortBySize, SortByDate, SortByCreated,
                                                               SortByAttributes, SortByType, SortByExtension, SortByAccessed}));

    // What the list shows for the hidden file, column by column, against what the platform says of it.
    const Names names = listed();
    const int row = static_cast<int>(std::find(names.begin(), names.end(), L"b.txt") - names.begin());
    const auto cell = [&](int listColumn) {
        wchar_t text[256] = {};
        ListView_GetItemText(main().ListViewResults.hwnd(), row, listColumn, text, 256);
        return std::wstring(text);
    };
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    ASSERT_TRUE(::GetFileAttributesExW(hidden.c_str(), GetFileExInfoStandard, &facts));
    const auto local = [](const FILETIME& utc) {
        FILETIME local{};
        SYSTEMTIME time{};
        ::FileTimeToLocalFileTime(&utc, &local);
        ::FileTimeToSystemTime(&local, &time);
        return FormatDateText(win::FromSystemTime(time));
    };
    EXPECT_EQ(cell(4), local(facts.ftCreationTime));
    EXPECT_EQ(cell(5), AttributeLetters(facts.dwFileAttributes));
    EXPECT_NE(cell(5).find(L'H'), std::wstring::npos);
    EXPECT_FALSE(cell(6).empty());  // the shell's name for ".txt"
    EXPECT_EQ(cell(7), L"txt");
    EXPECT_EQ(cell(8), local(facts.ftLastAccessTime));

    clickHeader(5);  // by attributes: the only hidden file goes last
    EXPECT_EQ(listed().back(), L"b.txt");
    clickHeader(5);
    EXPECT_EQ(listed().front(), L"b.txt");

    // Hiding a column, then dragging "Size" to the front.
    headerMenu(L"In Folder");
    main().ListViewResults.setColumnOrder({1, 0, 2, 3, 4, 5, 6, 7});
    main().ListViewResults.setColumnWidth(3, 99);  // "Date Created"
    const std::vector<int> shown = main().Results.shownColumns();
    EXPECT_EQ(shown, (std::vector<int>{SortBySize, SortByName, SortByDate, SortByCreated, SortByAttributes, SortByType,
                                       SortByExtension, SortByAccessed}));
    const std::wstring exported = tree.path(L"rows.csv");
    interaction.fileAnswers = {exported};
    interaction.fileTypeAnswers = {2};
    main().runMenuCommand(main().Exportresults1.id());
    const std::string csv = ReadBytes(exported);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "\xEF\xBB\xBF" "Size,Name,Date Modified,Date Created,Attributes,Type,Extension,Date Accessed");

    end();
    start();
    EXPECT_EQ(main().Results.shownColumns(), shown);
    EXPECT_EQ(main().Results.columnWidths()[SortByCreated], 99);
    EXPECT_EQ(main().Results.columnWidths()[SortByFolder], 155);  // hidden, its width kept
}

TEST_F(ListOperationsTest, HeaderClicksSortAndReverseWithoutTouchingTheMenu) {
    clickHeader(SortBySize);
    EXPECT_EQ(listed(), (Names{L"c.txt", L"A.txt", L"b.txt", L"_u.txt"}));  // 999 before 1,024
    clickHeader(SortBySize);
    EXPECT_EQ(listed(), (Names{L"_u.txt", L"b.txt", L"A.txt", L"c.txt"}));
    clickHeader(SortByName);
    EXPECT_EQ(listed(), (Names{L"A.txt", L"b.txt", L"c.txt", L"_u.txt"}));  // "_" after the letters
    clickHeader(SortBySize);
    EXPECT_EQ(listed().front(), L"c.txt");  // ascending again
    EXPECT_TRUE(main().Name1.checked());
    EXPECT_FALSE(main().Size1.checked());
}

TEST_F(ListOperationsTest, TheMenuChecksItsItemAndSortsAsAHeaderClick) {
    main().runMenuCommand(main().Name1.id());
    EXPECT_EQ(listed().front(), L"A.txt");
    main().runMenuCommand(main().Name1.id());
    EXPECT_EQ(listed().front(), L"_u.txt");
    main().runMenuCommand(main().Size1.id());
    EXPECT_TRUE(main().Size1.checked());
    EXPECT_FALSE(main().Name1.checked());
    main().runMenuCommand(main().Name1.id());
    EXPECT_EQ(listed().front(), L"A.txt");  // Size in between: Name starts again ascending
}

TEST_F(ListOperationsTest, SelectionStaysWithItsRowsThroughASort) {
    select({L"b.txt", L"_u.txt"});
    clickHeader(SortBySize);
    EXPECT_EQ(selected(), (Names{L"b.txt", L"_u.txt"}));
    main().runMenuCommand(main().SelectAll1.id());
    EXPECT_EQ(selected().size(), 4u);
}

TEST_F(ListOperationsTest, TheHeaderShowsTheSortArrowUntilANewSearch) {
    bool ascending = false;
    EXPECT_EQ(testing_support::SortArrowColumn(main().ListViewResults.hwnd()), -1);
    clickHeader(SortBySize);
    EXPECT_EQ(testing_support::SortArrowColumn(main().ListViewResults.hwnd(), &ascending), SortBySize);
    EXPECT_TRUE(ascending);
    clickHeader(SortBySize);
    EXPECT_EQ(testing_support::SortArrowColumn(main().ListViewResults.hwnd(), &ascending), SortBySize);
    EXPECT_FALSE(ascending);
    main().runMenuCommand(main().Destination1.id());
    EXPECT_EQ(testing_support::SortArrowColumn(main().ListViewResults.hwnd(), &ascending), SortByFolder);
    EXPECT_TRUE(ascending);
    searchTree(L"*.*", false);
    EXPECT_EQ(testing_support::SortArrowColumn(main().ListViewResults.hwnd()), -1);
}

TEST_F(ListOperationsTest, TheTipOfARowIsItsWholePath) {
    wchar_t text[512] = {};
    NMLVGETINFOTIPW tip{};
    tip.hdr.hwndFrom = main().ListViewResults.hwnd();
    tip.hdr.code = LVN_GETINFOTIPW;
    tip.iItem = 0;
    tip.pszText = text;
    tip.cchTextMax = 512;
    ::SendMessageW(main().hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    EXPECT_EQ(std::wstring(text), main().Results.rows().entry(0).fullPath());
}

// Keys pressed in the list, with Ctrl and Shift as the thread's keyboard state says.
class ListKeysTest : public ListOperationsTest {
protected:
    void press(WPARAM key, bool control, bool shift) {
        BYTE state[256] = {};
        state[VK_CONTROL] = control ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(state);
        MSG message{main().ListViewResults.hwnd(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(main().preTranslateMessage(message));
        const BYTE none[256] = {};
        ::SetKeyboardState(const_cast<BYTE*>(none));
    }
    std::wstring full(const wchar_t* name) { return tree.path(name); }
};

TEST_F(ListKeysTest, CtrlCCopiesTheFilesAndCtrlShiftCTheirPaths) {
    select({L"b.txt", L"_u.txt"});
    press('C', true, false);
    const HWND owner = main().hwnd();
    EXPECT_EQ(testing_support::FilesOnClipboard(owner), (Names{full(L"b.txt"), full(L"_u.txt")}));
    EXPECT_EQ(testing_support::DropEffectOnClipboard(owner), static_cast<DWORD>(DROPEFFECT_COPY));
    press('C', true, true);
    EXPECT_EQ(testing_support::TextOnClipboard(owner), full(L"b.txt") + L"\r\n" + full(L"_u.txt"));
    EXPECT_TRUE(testing_support::FilesOnClipboard(owner).empty());
    EXPECT_NE(main().CopyFiles1.caption().find(L"\tCtrl+C"), std::wstring::npos);
    EXPECT_NE(main().CopyPaths1.caption().find(L"\tCtrl+Shift+C"), std::wstring::npos);
    EXPECT_NE(main().DeleteAll1.caption().find(L"\tDel"), std::wstring::npos);
}

// In the list, Enter opens the selected items (it used to start a new search and wipe the list) and
// Ctrl+A selects every row.
TEST_F(ListKeysTest, EnterOpensTheSelectedRowsAndCtrlASelectsAll) {
    const std::size_t rows = listed().size();
    select({L"b.txt", L"c.txt"});
    press(VK_RETURN, false, false);
    EXPECT_EQ(interaction.opened, (Names{full(L"b.txt"), full(L"c.txt")}));
    EXPECT_EQ(main().searchState(), SearchState::Idle);
    EXPECT_EQ(listed().size(), rows);
    press('A', true, false);
    EXPECT_EQ(main().Results.selectedData().size(), rows);
    EXPECT_NE(main().SelectAll1.caption().find(L"\tCtrl+A"), std::wstring::npos);
}

TEST_F(ListKeysTest, DeleteAsksUnlessThePreferenceSaysNot) {
    select({L"c.txt"});
    interaction.messageAnswers = {IDNO};
    press(VK_DELETE, false, false);
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].caption, L"Confirm Multiple File Delete");
    EXPECT_TRUE(::GetFileAttributesW(full(L"c.txt").c_str()) != INVALID_FILE_ATTRIBUTES);

    interaction.dialogScripts.push_back([](win::Dialog& dialog) {
        auto& preferences = dynamic_cast<TFormOptions&>(dialog);
        preferences.CheckBoxDeleteWithoutPrompting.click();
        preferences.BitBtnOK.click();
    });
    main().runMenuCommand(main().Castomize1.id());
    select({L"c.txt"});
    press(VK_DELETE, false, false);
    EXPECT_EQ(interaction.messages.size(), 1u);  // not asked again
    EXPECT_EQ(::GetFileAttributesW(full(L"c.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    const Names left = listed();
    EXPECT_EQ(std::count(left.begin(), left.end(), L"c.txt"), 0);
}

// The filter box: Ctrl+F reaches it, it lists only matching rows and says how many, what acts on
// the list acts on those rows only, and Esc empties it and goes back to the list.
TEST_F(ListKeysTest, TheFilterBoxNarrowsTheListAndOnlyShownRowsAreActedOn) {
    main().ListViewResults.focus();
    press('F', true, false);
    EXPECT_EQ(::GetFocus(), main().EditFilter.hwnd());
    main().EditFilter.setText(L"  .TXT   B");
    EXPECT_EQ(listed(), Names{L"b.txt"});
    EXPECT_EQ(main().StatusBar.panelText(0), L"1 of 4 items shown");

    press('A', true, false);  // Select All, then Delete: the hidden rows stay untouched
    interaction.messageAnswers = {IDYES};
    main().runMenuCommand(main().DeleteAll1.id());
    EXPECT_FALSE(exists(L"b.txt"));
    for (const wchar_t* kept : {L"A.txt", L"_u.txt", L"c.txt"}) EXPECT_TRUE(exists(kept)) << kept;
    EXPECT_EQ(main().StatusBar.panelText(0), L"0 of 3 items shown");

    MSG escape{main().EditFilter.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(main().preTranslateMessage(escape));
    EXPECT_EQ(main().EditFilter.text(), L"");
    EXPECT_EQ(::GetFocus(), main().ListViewResults.hwnd());
    EXPECT_EQ(listed().size(), 3u);
    EXPECT_EQ(main().StatusBar.panelText(0), L"Finished. 4 items found, 3 listed.");
}

TEST_F(ListKeysTest, RowsDragOutAsFilesAndWhatATargetMovedLeavesTheList) {
    select({L"b.txt", L"c.txt"});
    NMLISTVIEW drag{};
    drag.hdr.hwndFrom = main().ListViewResults.hwnd();
    drag.hdr.code = LVN_BEGINDRAG;
    ::SendMessageW(main().hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&drag));
    ASSERT_EQ(interaction.dragged.size(), 1u);
    EXPECT_EQ(interaction.dragged[0], (Names{full(L"b.txt"), full(L"c.txt")}));
    EXPECT_EQ(listed().size(), 4u);  // copied: every row stays

    // Explorer moved one of them away. Only the dragged rows are looked for on disk: another row whose
    // file went meanwhile stays until something acts on it.
    interaction.dropEffect = DROPEFFECT_MOVE;
    ASSERT_TRUE(::DeleteFileW(full(L"c.txt").c_str()));
    ASSERT_TRUE(::DeleteFileW(full(L"_u.txt").c_str()));
    ::SendMessageW(main().hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&drag));
    const Names left = listed();
    EXPECT_EQ(std::count(left.begin(), left.end(), L"c.txt"), 0);
    EXPECT_EQ(std::count(left.begin(), left.end(), L"b.txt"), 1);
    EXPECT_EQ(std::count(left.begin(), left.end(), L"_u.txt"), 1);
}

class ContextMenuTest : public ListKeysTest {
protected:
    // A right-click on the list, as the list passes it on.
    void rightClick() {
        ::SendMessageW(main().ListViewResults.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main().ListViewResults.hwnd()),
                       MAKELPARAM(100, 100));
    }
    std::vector<std::wstring> lastMenu() { return interaction.popupMenus.empty() ? Names{} : interaction.popupMenus.back(); }
};

TEST_F(ContextMenuTest, OurItemsComeFirstThenExplorersForTheSelectedRows) {
    rightClick();
    EXPECT_TRUE(interaction.popupMenus.empty());  // nothing selected, no menu
    select({L"b.txt"});
    rightClick();
    const Names menu = lastMenu();
    ASSERT_GE(menu.size(), 5u);
    EXPECT_EQ(Names(menu.begin(), menu.begin() + 4), (Names{L"&Open", L"Open containing &folder", L"Copy full &path", L"-"}));
    EXPECT_EQ(std::count_if(menu.begin() + 4, menu.end(), [](const std::wstring& item) { return item.find(L"(off)") != std::wstring::npos; }), 0)
        << "Explorer's items are there for one folder's rows";

    interaction.popupChoices = {L"&Open"};
    rightClick();
    EXPECT_EQ(interaction.opened, Names{full(L"b.txt")});
    select({L"b.txt", L"c.txt"});
    interaction.popupChoices = {L"Copy full &paths"};
    rightClick();
    EXPECT_EQ(testing_support::TextOnClipboard(main().hwnd()), full(L"b.txt") + L"\r\n" + full(L"c.txt"));
    interaction.popupChoices = {L"Open containing &folder"};
    rightClick();
    ASSERT_EQ(interaction.shownInFolders.size(), 1u);
    EXPECT_EQ(interaction.shownInFolders[0], (Names{full(L"b.txt"), full(L"c.txt")}));
}

// Explorer's own "Copy" on a row puts the file on the clipboard.
TEST_F(ContextMenuTest, ExplorersCopyActsOnTheRow) {
    select({L"A.txt"});
    rightClick();
    const Names menu = lastMenu();
    const auto copy = std::find_if(menu.begin() + 4, menu.end(), [](const std::wstring& item) {
        std::wstring plain;
        for (const wchar_t c : item) if (c != L'&') plain += c;
        return plain == L"Copy";
    });
    ASSERT_NE(copy, menu.end()) << "Explorer's menu has no Copy";
    ::OpenClipboard(main().hwnd());
    ::EmptyClipboard();
    ::CloseClipboard();
    interaction.popupChoices = {*copy};
    rightClick();
    testing_support::PumpMessages(std::chrono::milliseconds(100));
    EXPECT_EQ(testing_support::FilesOnClipboard(main().hwnd()), Names{full(L"A.txt")});
}

TEST_F(ContextMenuTest, RowsOfSeveralFoldersGetNoneOfExplorersCommands) {
    tree.folder(L"sub");
    tree.file(L"sub\\d.txt");
    searchTree(L"*.txt", true);
    select({L"b.txt", L"sub\\d.txt"});
    rightClick();
    const Names menu = lastMenu();
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu[4], L"Explorer's commands: select items of one folder (off)");

    // A name Explorer would take for another item's: the note says why.
    for (const auto& [name, note] : {std::pair{L"con", L"Explorer's commands: not for names of devices such as CON or NUL (off)"},
                                     std::pair{L"x.txt.", L"Explorer's commands: not for names that end in a dot or a space (off)"}}) {
        tree.file(name);
        searchTree(L"*", false);
        select({name});
        rightClick();
        ASSERT_EQ(lastMenu().size(), 5u);
        EXPECT_EQ(lastMenu()[4], note);
    }
}

// The Menu key and Shift+F10 open the same menu below the focused row.
TEST_F(ContextMenuTest, TheKeyboardOpensTheSameMenu) {
    select({L"c.txt"});
    ::SendMessageW(main().ListViewResults.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main().ListViewResults.hwnd()), -1);
    ASSERT_EQ(interaction.popupMenus.size(), 1u);
    EXPECT_EQ(interaction.popupMenus[0][0], L"&Open");
}

TEST_F(ListOperationsTest, DoubleClickOpensTheFirstSelectedRow) {
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = main().ListViewResults.hwnd();
    click.hdr.code = NM_DBLCLK;
    main().ListViewResults.clearSelection();
    ::SendMessageW(main().hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(interaction.opened.empty());
    select({L"c.txt", L"A.txt"});
    ::SendMessageW(main().hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    ASSERT_EQ(interaction.opened.size(), 1u);
    EXPECT_EQ(interaction.opened[0], tree.path(listed()[static_cast<std::size_t>(main().ListViewResults.selectedRows()[0])]));
}

// A file the shell cannot open says why; with no program for its kind, the system's "Open with"
// is offered.
TEST_F(ListOperationsTest, OpeningThatFailsSaysWhyAndOffersOpenWith) {
    select({L"b.txt"});
    interaction.openAnswers = {{win::ShellOpenOutcome::Result::NoAssociation, ERROR_NO_ASSOCIATION}};
    interaction.messageAnswers = {IDYES};
    main().ListViewResultsDblClick();
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].text,
              L"No program is associated with \"" + tree.path(L"b.txt") + L"\". Do you want to choose the program to open it with?");
    EXPECT_EQ(interaction.openedWith, std::vector<std::wstring>{tree.path(L"b.txt")});

    interaction.openAnswers = {{win::ShellOpenOutcome::Result::Failed, ERROR_ACCESS_DENIED}};
    main().ListViewResultsDblClick();
    ASSERT_EQ(interaction.messages.size(), 2u);
    EXPECT_EQ(interaction.messages[1].text.rfind(L"\"" + tree.path(L"b.txt") + L"\" could not be opened: ", 0), 0u);
    interaction.openAnswers = {{win::ShellOpenOutcome::Result::Failed, ERROR_BAD_EXE_FORMAT}};  // "%1 is not a valid ..."
    main().ListViewResultsDblClick();
    ASSERT_EQ(interaction.messages.size(), 3u);
    EXPECT_EQ(interaction.messages[2].text.find(L"%1"), std::wstring::npos) << testing::PrintToString(interaction.messages[2].text);
    EXPECT_EQ(interaction.openedWith.size(), 1u);
}

TEST_F(ListOperationsTest, ExportWritesTheRowsInDisplayOrder) {
    const std::wstring out = TempFile(L"export.txt");
    clickHeader(SortBySize);
    interaction.fileAnswers = {out};
    main().runMenuCommand(main().Exportresults1.id());
    ASSERT_EQ(interaction.fileRequests.size(), 1u);
    EXPECT_EQ(interaction.fileRequests[0].filter, L"Text Files, (*.txt)|*.txt|CSV Files, (*.csv)|*.csv|Matching Lines, (*.txt)|*.txt|All Files, (*.*)|*.*");
    EXPECT_EQ(interaction.fileRequests[0].defaultExtension, L"txt");
    EXPECT_TRUE(interaction.fileRequests[0].fileName.empty());
    EXPECT_TRUE(interaction.fileRequests[0].promptOverwrite);  // an existing file is replaced only when the user says so
    const std::string root(tree.root().begin(), tree.root().end());
    EXPECT_EQ(ReadBytes(out), root + "\\c.txt\r\n" + root + "\\A.txt\r\n" + root + "\\b.txt\r\n" + root + "\\_u.txt\r\n");
    ::DeleteFileW(out.c_str());

    // A name ending in ".csv" gets every column, the rows in the same order.
    const std::wstring csv = TempFile(L"export.CSV");
    interaction.fileAnswers = {csv};
    main().runMenuCommand(main().Exportresults1.id());
    const std::string bytes = ReadBytes(csv);
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBFName,In Folder,Size,Date Modified\r\nc.txt," + root + ",", 0), 0u) << bytes;
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 5);
    ::DeleteFileW(csv.c_str());
}

TEST_F(ListOperationsTest, ExportOfANameOutsideTheCodePageIsUtf8AndAFailureIsReported) {
    tree.file(L"\u65e5\u672c.txt");
    searchTree(L"*.txt", false);
    const std::wstring out = TempFile(L"export-utf8.txt");
    interaction.fileAnswers = {out};
    main().runMenuCommand(main().Exportresults1.id());
    const std::string bytes = ReadBytes(out);
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_NE(bytes.find("\xE6\x97\xA5\xE6\x9C\xAC.txt\r\n"), std::string::npos);
    ::DeleteFileW(out.c_str());

    // A file held by another program cannot be replaced: the user is told.
    const win::UniqueFileHandle held(::CreateFileW(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    interaction.fileAnswers = {out};
    main().runMenuCommand(main().Exportresults1.id());
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].text.rfind(L"Cannot create file \"" + out + L"\".", 0), 0u);
}

TEST_F(ListOperationsTest, AnEmptyListExportsAnEmptyFile) {
    tree.folder(L"empty");
    searchTree(L"*.none", false);
    ASSERT_EQ(main().Results.count(), 0);
    const std::wstring out = TempFile(L"export-empty.txt");
    interaction.fileAnswers = {out};
    main().runMenuCommand(main().Exportresults1.id());
    EXPECT_EQ(ReadBytes(out), "");
    EXPECT_TRUE(::DeleteFileW(out.c_str()));
}
