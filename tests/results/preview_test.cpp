// The preview pane in the whole program: what a focused row shows, and the pane's own state.
#include "app/menu_ids.h"
#include "app/results_fixture.h"
#include "support/file_text.h"
#include "win/handle.h"

#include <richedit.h>

#include <string>

using namespace findlark;

class PreviewTest : public ResultsTest {
protected:
    void SetUp() override {
        ResultsTest::SetUp();
        testing_support::WriteText(tree.path(L"a.txt"), "one\ntwo\nthree alpha\nfour\nfive\nsix\nseven\neight\nnine ALPHA\nten\n");
        testing_support::WriteText(tree.path(L"b.bin"), std::string("alpha\0\x01\x02 alpha", 14));
        tree.folder(L"sub");
    }
    void searchText(const std::wstring& phrase) {
        SearchCriteria c = main().Criteria.read();
        c.ContainingText = !phrase.empty();
        c.ContainingText0 = phrase;
        c.MatchCase = false;
        main().Criteria.apply(c);
        searchTree(L"*.*", false);
    }
    // Focuses the row of a name and waits until the pane shows all of it.
    std::wstring shown(const std::wstring& name) {
        const std::vector<std::wstring> names = listed();
        const auto at = std::find(names.begin(), names.end(), name);
        if (at == names.end()) return L"(not listed)";
        main().ListViewResults.setFocused(static_cast<int>(at - names.begin()));
        return settled();
    }
    std::wstring settled() {
        EXPECT_TRUE(testing_support::PumpUntil([&] { return main().preview().idle(); }));
        testing_support::PumpMessages();
        return main().RichEditPreview.shownText();
    }
};

TEST_F(PreviewTest, AFocusedRowShowsItsLinesContextAndMarks) {
    searchText(L"alpha");
    struct Case {
        int context;
        std::wstring expected;
    };
    const Case cases[] = {
        {2, L"2 matches in 2 lines\r\n1- one\r\n2- two\r\n3: three alpha\r\n4- four\r\n5- five\r\n\r\n7- seven\r\n8- eight\r\n"
            L"9: nine ALPHA\r\n10- ten\r\n"},
        {0, L"2 matches in 2 lines\r\n3: three alpha\r\n\r\n9: nine ALPHA\r\n"},
        {9, L"2 matches in 2 lines\r\n1- one\r\n2- two\r\n3: three alpha\r\n4- four\r\n5- five\r\n6- six\r\n7- seven\r\n"
            L"8- eight\r\n9: nine ALPHA\r\n10- ten\r\n"},
    };
    for (const Case& c : cases) {
        main().preview().setContextLines(c.context);
        EXPECT_EQ(shown(L"a.txt"), c.expected) << c.context;
        EXPECT_EQ(main().RichEditPreview.markCount(), 2u);
    }
    // F3 goes from one match to the next, Shift+F3 back, around the ends.
    CHARRANGE at{};
    main().preview().goToMatch(true);
    ::SendMessageW(main().RichEditPreview.hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&at));
    EXPECT_EQ(at.cpMax - at.cpMin, 5);
    main().preview().goToMatch(true);
    CHARRANGE wrapped{};
    ::SendMessageW(main().RichEditPreview.hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&wrapped));
    EXPECT_LT(wrapped.cpMin, at.cpMin);
}

TEST_F(PreviewTest, BinaryFilesFoldersAndVanishedFilesAreNamedNotShown) {
    // UTF-16 text without a mark in another script looks binary by its zero bytes, but is text.
    testing_support::WriteText(tree.path(L"u.txt"), std::string("\x3a\x04\x3e\x04\r\0\n\0\x3c\x04", 10));
    searchText(L"");
    EXPECT_EQ(shown(L"b.bin"), L"Binary file, 14 bytes\r\n");
    EXPECT_EQ(shown(L"u.txt"), tree.path(L"u.txt") + L"\r\n1- \u043a\u043e\r\n2- \u043c\r\n");
    EXPECT_EQ(shown(L"sub"), tree.path(L"sub") + L"\r\nFolder\r\n");
    {
        const win::UniqueFileHandle locked(
            ::CreateFileW(tree.path(L"a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_EQ(shown(L"a.txt"), tree.path(L"a.txt") + L"\r\nThe file is in use by another program.\r\n");
    }
    shown(L"sub");  // away and back: the row is read again
    ::DeleteFileW(tree.path(L"a.txt").c_str());
    EXPECT_EQ(shown(L"a.txt"), tree.path(L"a.txt") + L"\r\nThe file no longer exists.\r\n");
    // With phrases a binary file tells how many it holds.
    searchText(L"ALPHA");
    EXPECT_EQ(shown(L"b.bin"), L"Binary file, 14 bytes, 2 matches found\r\n");
}

TEST_F(PreviewTest, ANewRowTakesThePlaceOfTheReadInHand) {
    // Many pieces before its match: read to the end unless dropped.
    std::string big;
    for (int i = 0; i < 1000000; ++i) big += "a line of text without the word\n";
    testing_support::WriteText(tree.path(L"big.txt"), big + "alpha\n");
    searchText(L"alpha");
    const std::vector<std::wstring> names = listed();
    const auto row = [&](const wchar_t* name) { return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin()); };
    main().ListViewResults.setFocused(row(L"big.txt"));
    main().ListViewResults.setFocused(row(L"a.txt"));
    EXPECT_EQ(settled().substr(0, 22), L"2 matches in 2 lines\r\n");
    // The filter hides the focused row: the first row shown takes its place; with none the pane empties.
    main().EditFilter.setText(L"B.BIN");
    EXPECT_EQ(settled(), L"Binary file, 14 bytes, 2 matches found\r\n");
    main().EditFilter.setText(L"no such row");
    EXPECT_EQ(settled(), L"");
}

TEST_F(PreviewTest, TheMenuHidesThePaneAndARestartKeepsItHidden) {
    EXPECT_TRUE(main().ShowPreviewPane1.checked());
    EXPECT_TRUE(main().RichEditPreview.visible());
    main().runMenuCommand(CommandShowPreviewPane);
    EXPECT_FALSE(main().ShowPreviewPane1.checked());
    EXPECT_FALSE(main().RichEditPreview.visible());
    end();
    EXPECT_EQ(stored(L"ShowPreviewPane"), L"0");
    start();
    EXPECT_FALSE(main().ShowPreviewPane1.checked());
    EXPECT_FALSE(main().RichEditPreview.visible());
    main().runMenuCommand(CommandShowPreviewPane);
    EXPECT_TRUE(main().RichEditPreview.visible());
}

// "Matching Lines" writes each matching line of the listed text files as grep does; binary files
// and folders give none. Without phrases there is nothing to write.
TEST_F(PreviewTest, MatchingLinesAreExportedAsGrepWritesThem) {
    const std::wstring exported = tree.path(L"lines.out");
    searchText(L"alpha");
    interaction.fileAnswers = {exported};
    interaction.fileTypeAnswers = {3};
    main().runMenuCommand(CommandExport);
    const std::string root(tree.root().begin(), tree.root().end());
    EXPECT_EQ(testing_support::ReadText(exported), root + "\\a.txt(3): three alpha\r\n" + root + "\\a.txt(9): nine ALPHA\r\n");

    searchText(L"");
    interaction.fileAnswers = {tree.path(L"none.out")};
    interaction.fileTypeAnswers = {3};
    main().runMenuCommand(CommandExport);
    ASSERT_FALSE(interaction.messages.empty());
    EXPECT_EQ(interaction.messages.back().text, L"Matching lines can be exported after a search for text.");
    EXPECT_FALSE(testing_support::ReadText(tree.path(L"none.out")));
}
