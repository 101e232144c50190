// The status bar's second part: the run's progress while it goes on, unreadable folders after it.
#include "search/search_fixture.h"

#include "win/folder_entries.h"
#include "win/handle.h"

#include <new>

using namespace findlark;

namespace {
bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }
}  // namespace

TEST_F(SearchTest, ProgressShowsWhileARunGoesOnAndClearsWhenItEnds) {
    tree.folder(L"sub");
    tree.file(L"sub\\a.txt");
    tree.file(L"b.txt");
    pages().apply(foldersOnly({tree.root()}));
    gate.close();
    form->BitBtnSearch.click();
    form->BitBtnPause.click();  // the worker stops at its first check and reports how far it got
    gate.open();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return Contains(form->StatusBar.panelText(1), L"searched, "); }));
    const std::wstring progress = form->StatusBar.panelText(1);
    EXPECT_TRUE(Contains(progress, L"folder")) << progress;
    // A long folder may be shortened in the middle to fit; its last part always shows.
    EXPECT_TRUE(Contains(progress, L" found \u2014 ")) << progress;
    EXPECT_TRUE(progress.ends_with(tree.root().substr(tree.root().rfind(L'\\')))) << progress;
    EXPECT_EQ(status(), L"Paused ...");

    form->BitBtnPause.click();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return form->searchState() == SearchState::Idle; }));
    EXPECT_EQ(status(), L"Finished. 3 items found.");
    EXPECT_EQ(form->StatusBar.panelText(1), L"");
}

TEST_F(SearchTest, FoldersThatCannotBeReadAreCountedAfterTheRunAndClearedByTheNext) {
    tree.file(L"a.txt");
    SearchCriteria c = foldersOnly({tree.path(L"missing"), tree.root(), tree.path(L"also missing")});
    EXPECT_EQ(search(c), std::vector<std::wstring>{L"a.txt"});
    EXPECT_EQ(form->StatusBar.panelText(1), L"2 folders could not be read");

    c.Directories = {tree.root()};
    pages().apply(c);
    gate.close();
    form->BitBtnSearch.click();
    EXPECT_EQ(form->StatusBar.panelText(1), L"");
    gate.open();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return form->searchState() == SearchState::Idle; }));
    EXPECT_EQ(form->StatusBar.panelText(1), L"");
}

TEST_F(SearchTest, AStoppedRunCountsWhatItCouldNotReadSoFar) {
    tree.file(L"a.txt");
    pages().apply(foldersOnly({tree.path(L"missing"), tree.root()}));
    gate.close();
    form->BitBtnSearch.click();
    form->BitBtnPause.click();
    gate.open();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return Contains(form->StatusBar.panelText(1), L"searched, "); }));
    form->BitBtnSearch.click();  // Stop
    ASSERT_EQ(form->searchState(), SearchState::Idle);
    EXPECT_EQ(form->StatusBar.panelText(1), L"1 folder could not be read");
}

TEST_F(SearchTest, TheFirstPartHoldsTheLongestFinishedTextWhole) {
    const std::wstring longest = L"Finished. 1,000,000 items found.";
    SIZE extent{};
    {
        const win::WindowDc dc(form->StatusBar.hwnd());
        const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(form->StatusBar.hwnd(), WM_GETFONT, 0, 0));
        const win::SelectedObject selected(dc.get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
        ::GetTextExtentPoint32W(dc.get(), longest.c_str(), static_cast<int>(longest.size()), &extent);
    }
    EXPECT_GE(form->StatusBar.firstPanelWidth(), extent.cx);

    RECT bar{};
    ::GetClientRect(form->StatusBar.hwnd(), &bar);
    RECT second{};
    ::SendMessageW(form->StatusBar.hwnd(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_GT(second.right - second.left, (bar.right - bar.left) / 3);  // the rest of the bar
}

// An error that ends the walk (here memory running out while a folder is listed) ends the run like
// any other end, and the status says so.
TEST_F(SearchTest, ARunThatAnErrorEndedSaysSo) {
    tree.file(L"one.txt");
    tree.file(L"two.txt");
    win::SetEnumerationFault([](std::wstring_view, std::size_t) -> DWORD { throw std::bad_alloc(); });
    SearchCriteria c = foldersOnly({tree.root()});
    c.Mask = L"*.t?t";  // listed by the platform's own enumeration
    search(c);
    win::SetEnumerationFault({});
    EXPECT_EQ(form->searchState(), SearchState::Idle);
    EXPECT_TRUE(status().starts_with(L"Finished.")) << Narrow(status());
    EXPECT_EQ(form->StatusBar.panelText(1), L"The search ended early after an error");
}
