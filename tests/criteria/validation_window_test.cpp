#include "criteria/main_window_fixture.h"

using namespace findlark;

// A mask with a separator would list another folder's files as if they were in the walked one, and
// a later delete would act on the wrong path: it is refused before anything starts.
TEST_F(MainWindowTest, AMaskThatLeavesItsFolderIsRefusedOnTheCommonPage) {
    for (const wchar_t* mask : {L"..\\*.txt", L"sub/x", L"C:*.txt"}) {
        interaction.messages.clear();
        form->PageControlMain.changePage(PageIndexAdvanced);
        pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(mask);
        form->BitBtnSearch.click();
        ASSERT_EQ(interaction.messages.size(), 1u) << Narrow(mask);
        EXPECT_EQ(interaction.messages[0].caption, L"Warning");
        EXPECT_EQ(interaction.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_EQ(form->PageControlMain.activeIndex(), PageIndexCommon);
        const HWND maskBox = pages().Common.ComboBoxExAllOrPartOfTheFileName.hwnd();
        EXPECT_TRUE(::GetFocus() == maskBox || ::IsChild(maskBox, ::GetFocus()));
        EXPECT_EQ(form->searchState(), SearchState::Idle);
        EXPECT_EQ(form->StatusBar.panelText(0), L"");  // no run
    }
    // With the name criterion off the mask is not used for the walk.
    pages().Common.CheckBoxAllOrPartOfTheFileName.setChecked(false);
    pages().AdditionalFolders.CheckBoxLookInSpecifiedFolders.setChecked(false);
    pages().Common.CheckBoxLookIn.setChecked(false);
    interaction.messages.clear();
    form->BitBtnSearch.click();
    EXPECT_TRUE(interaction.messages.empty());
    EXPECT_TRUE(testing_support::PumpUntil([&] { return form->searchState() == SearchState::Idle; }));
}
