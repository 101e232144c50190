#include "criteria/main_window_fixture.h"

#include "criteria/tab_marks.h"

using namespace findlark;
using testing_support::ClickTab;

namespace {
std::vector<int> Marks(const win::PageControl& pages) {
    std::vector<int> marks;
    for (int i = 0; i < pages.count(); ++i) marks.push_back(pages.tabImage(i));
    return marks;
}
std::vector<int> Expected(int count, int active) {
    std::vector<int> marks(static_cast<size_t>(count), kTabImageInactive);
    marks[static_cast<size_t>(active)] = kTabImageActive;
    return marks;
}
}  // namespace

TEST_F(MainWindowTest, InitialMarksAndPageNames) {
    ASSERT_EQ(form->PageControlMain.count(), 8);
    EXPECT_EQ(Marks(form->PageControlMain), Expected(8, 0));
    EXPECT_EQ(Marks(pages().DateTime.PageControlDateTime), Expected(3, 0));
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    ::SendMessageW(form->PageControlMain.hwnd(), TCM_GETITEMW, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"Date && Time");
    ::SendMessageW(form->PageControlMain.hwnd(), TCM_GETITEMW, 7, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"Search On The Internet");
}

TEST_F(MainWindowTest, ChangingPagesMarksTabsAndGatesTheSearchButton) {
    ClickTab(form->PageControlMain, 7);
    EXPECT_EQ(form->PageControlMain.activeIndex(), 7);
    EXPECT_EQ(Marks(form->PageControlMain), Expected(8, 7));
    EXPECT_FALSE(form->BitBtnSearch.enabled());
    EXPECT_TRUE(form->PageControlMain.page(7).visible());
    EXPECT_FALSE(form->PageControlMain.page(0).visible());

    ClickTab(form->PageControlMain, 3);
    EXPECT_EQ(Marks(form->PageControlMain), Expected(8, 3));
    EXPECT_TRUE(form->BitBtnSearch.enabled());

    ClickTab(pages().DateTime.PageControlDateTime, 2);
    EXPECT_EQ(Marks(pages().DateTime.PageControlDateTime), Expected(3, 2));
    EXPECT_EQ(Marks(form->PageControlMain), Expected(8, 3));
}

TEST_F(MainWindowTest, ShowCriteriaPageLeavesTheSearchButtonAlone) {
    ClickTab(form->PageControlMain, 7);
    ShowCriteriaPage(form->PageControlMain, PageIndexDateTime, &pages().DateTime.PageControlDateTime, 1);
    EXPECT_EQ(form->PageControlMain.activeIndex(), PageIndexDateTime);
    EXPECT_EQ(Marks(form->PageControlMain), Expected(8, 2));
    EXPECT_EQ(Marks(pages().DateTime.PageControlDateTime), Expected(3, 1));
    EXPECT_FALSE(form->BitBtnSearch.enabled());

    ShowCriteriaPage(form->PageControlMain, PageIndexSearchOnTheInternet);
    ClickTab(form->PageControlMain, 0);
    EXPECT_TRUE(form->BitBtnSearch.enabled());
    ShowCriteriaPage(form->PageControlMain, PageIndexSearchOnTheInternet);
    EXPECT_TRUE(form->BitBtnSearch.enabled());
}

TEST_F(MainWindowTest, CtrlTabMovesBetweenPages) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    testing_support::PressKey(pages().Common.CheckBoxLookIn.hwnd(), VK_TAB);
    EXPECT_EQ(form->PageControlMain.activeIndex(), 1);
    EXPECT_EQ(Marks(form->PageControlMain), Expected(8, 1));
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    testing_support::PressKey(pages().Common.CheckBoxLookIn.hwnd(), VK_TAB);
    testing_support::PressKey(pages().Common.CheckBoxLookIn.hwnd(), VK_TAB);
    EXPECT_EQ(form->PageControlMain.activeIndex(), 7);
    EXPECT_FALSE(form->BitBtnSearch.enabled());
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
}

// Keyboard users reach the page tabs with Tab, as in any dialog, and switch pages with the arrows.
TEST_F(MainWindowTest, TheTabStripIsInTheTabCycleAndArrowsSwitchPages) {
    ::ShowWindow(form->hwnd(), SW_SHOW);
    const HWND maskEdit = ::GetWindow(pages().Common.ComboBoxExAllOrPartOfTheFileName.hwnd(), GW_CHILD);
    ::SetFocus(maskEdit);
    ASSERT_EQ(::GetFocus(), maskEdit);
    bool reached = false;
    for (int presses = 0; presses < 30 && !reached; ++presses) {
        testing_support::PressKey(::GetFocus(), VK_TAB);
        reached = ::GetFocus() == form->PageControlMain.hwnd();
    }
    ASSERT_TRUE(reached);
    testing_support::PressKey(::GetFocus(), VK_RIGHT);
    EXPECT_EQ(form->PageControlMain.activeIndex(), 1);
    EXPECT_EQ(Marks(form->PageControlMain), Expected(8, 1));
    // The next Tab goes into the page now shown.
    testing_support::PressKey(::GetFocus(), VK_TAB);
    EXPECT_TRUE(form->PageControlMain.page(1).hwnd() == ::GetParent(::GetFocus()));
}
