#include "criteria/main_window_fixture.h"

using namespace findlark;

// A mask with a separator would list another folder's files as if they were in the walked one, and
// "." or ".." the folder itself or its parent: a later delete would act on the wrong item. Such masks
// are refused before anything starts.
TEST_F(MainWindowTest, AMaskThatLeavesItsFolderIsRefusedOnTheCommonPage) {
    for (const wchar_t* mask : {L"..\\*.txt", L"sub/x", L"C:*.txt", L".", L"..", L". "}) {
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

// Each failure shows its page (and sub-page), puts the focus where the user has to act, then says why.
TEST_F(MainWindowTest, AFailedCheckShowsItsPageAndFocusBeforeTheWarning) {
    const auto failsOn = [&](int page, HWND focusInside) {
        interaction.messages.clear();
        form->PageControlMain.changePage(PageIndexAdvanced);
        form->BitBtnSearch.click();
        EXPECT_EQ(form->PageControlMain.activeIndex(), page);
        if (focusInside) {
            EXPECT_TRUE(::GetFocus() == focusInside || ::IsChild(focusInside, ::GetFocus()));
        }
        EXPECT_EQ(form->searchState(), SearchState::Idle);
        return interaction.messages.empty() ? std::wstring(L"(none)") : interaction.messages[0].text;
    };
    auto& common = pages().Common;
    common.ComboBoxExLookIn.setSelectedIndex(-1);
    pages().AdditionalFolders.CheckBoxLookInSpecifiedFolders.setChecked(true);
    EXPECT_EQ(failsOn(PageIndexCommon, common.ComboBoxExLookIn.hwnd()), L"Choose place to look in.");
    common.CheckBoxLookIn.setChecked(false);
    EXPECT_EQ(failsOn(PageIndexAdditionalFolders, pages().AdditionalFolders.ButtonAdd.hwnd()), L"Defined folders to look in.");
    pages().AdditionalFolders.CheckBoxLookInSpecifiedFolders.setChecked(false);

    auto& created = pages().DateTime.Created;
    created.RadioButtonSpecifyDateAndTime.click();
    SYSTEMTIME later{};
    ::GetLocalTime(&later);
    later.wYear += 1;
    created.DateTimePickerFromDate.setValue(later);
    EXPECT_EQ(failsOn(PageIndexDateTime, nullptr), L"Wrong date and time defined. Please check it.");
    EXPECT_EQ(pages().DateTime.PageControlDateTime.activeIndex(), SubPageCreated);
    created.RadioButtonDoNotRemember.click();

    auto& size = pages().Size;
    size.RadioButtonSizeSpecifySize.click();
    size.AtMost.EditSize.setText(L"");
    EXPECT_EQ(failsOn(PageIndexSize, size.AtMost.EditSize.hwnd()), L"Specify the size please.");
    size.AtMost.EditSize.setText(L"9x");  // pasted
    EXPECT_EQ(failsOn(PageIndexSize, size.AtMost.EditSize.hwnd()), L"'9x' is not a valid integer value");
    EXPECT_EQ(interaction.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    size.RadioButtonSizeDoNotRemember.click();

    auto& text = pages().ContainingText;
    text.CheckBoxContainingTextSpecifyText.setChecked(true);
    text.AdditionalText[1].CheckBoxAdditionalText.setChecked(true);
    text.AdditionalText[1].ComboBoxText.setText(L"");
    EXPECT_EQ(failsOn(PageIndexContainingText, text.AdditionalText[1].ComboBoxText.hwnd()), L"Define text please.");
    text.CheckBoxContainingTextSpecifyText.setChecked(false);

    common.CheckBoxCaseSensitiveMask.setChecked(true);
    common.ComboBoxExAllOrPartOfTheFileName.setText(L"[x");
    EXPECT_EQ(failsOn(PageIndexCommon, common.ComboBoxExAllOrPartOfTheFileName.hwnd()), L"'[x' is an invalid mask at (3)");
    common.CheckBoxCaseSensitiveMask.setChecked(false);

    pages().Advanced.ComboBoxSkipFolders.setText(L"obj; [x");
    EXPECT_EQ(failsOn(PageIndexAdvanced, pages().Advanced.ComboBoxSkipFolders.hwnd()), L"'[x' is an invalid mask at (3)");
}
