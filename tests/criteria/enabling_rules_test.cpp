#include "criteria/main_window_fixture.h"
#include "criteria/page_index.h"

using namespace findlark;

TEST_F(MainWindowTest, InitialStateDisablesWhatTheRulesWouldDisable) {
    auto& p = pages();
    EXPECT_TRUE(p.Common.ComboBoxExAllOrPartOfTheFileName.enabled());
    EXPECT_TRUE(p.Common.ComboBoxExLookIn.enabled());
    EXPECT_EQ(p.Common.ComboBoxExLookIn.selectedIndex(), 2);
    EXPECT_FALSE(p.AdditionalFolders.ListBoxLookInSpecifiedFolders.enabled());
    EXPECT_FALSE(p.AdditionalFolders.ButtonAdd.enabled());
    for (DateGroupControls* g : {&p.DateTime.Modified, &p.DateTime.Created, &p.DateTime.Accessed}) {
        EXPECT_FALSE(g->CheckBoxFrom.enabled());
        EXPECT_FALSE(g->DateTimePickerToTime.enabled());
        EXPECT_TRUE(g->CheckBoxFrom.checked());
    }
    EXPECT_FALSE(p.Size.AtLeast.CheckBoxBound.enabled());
    EXPECT_FALSE(p.Size.AtMost.EditSize.enabled());
    EXPECT_FALSE(p.Size.AtMost.JvUpDownSize.enabled());
    for (auto& box : p.Attributes.CheckBoxAttributes) EXPECT_FALSE(box.enabled());
    EXPECT_FALSE(p.Attributes.RadioButtonAttributesContainSelected.enabled());
    EXPECT_TRUE(p.Attributes.RadioButtonAttributesContainSelected.checked());
    EXPECT_TRUE(p.ContainingText.CheckBoxContainingTextSpecifyText.enabled());
    EXPECT_FALSE(p.ContainingText.ComboBoxContainingText0.enabled());
    EXPECT_FALSE(p.ContainingText.CheckBoxContainingTextMatchCase.enabled());
    EXPECT_TRUE(p.ContainingText.CheckBoxContainingTextMatchCase.checked());
    for (auto& row : p.ContainingText.AdditionalText) {
        EXPECT_FALSE(row.CheckBoxAdditionalText.enabled());
        EXPECT_FALSE(row.ComboBoxOption.enabled());
        EXPECT_FALSE(row.ComboBoxText.enabled());
        EXPECT_EQ(row.ComboBoxOption.text(), L"AND");
    }
}

TEST_F(MainWindowTest, CommonPageRules) {
    auto& c = pages().Common;
    c.CheckBoxCaseSensitiveMask.click();
    c.CheckBoxAllOrPartOfTheFileName.click();
    EXPECT_FALSE(c.ComboBoxExAllOrPartOfTheFileName.enabled());
    EXPECT_TRUE(c.CheckBoxCaseSensitiveMask.enabled());
    EXPECT_TRUE(c.CheckBoxCaseSensitiveMask.checked());
    c.CheckBoxAllOrPartOfTheFileName.click();
    EXPECT_TRUE(c.ComboBoxExAllOrPartOfTheFileName.enabled());

    c.CheckBoxLookIn.click();
    EXPECT_FALSE(c.ComboBoxExLookIn.enabled());
    c.ComboBoxExLookIn.setSelectedIndex(-1);
    c.CheckBoxLookIn.click();  // checking with no row chosen picks row 2
    EXPECT_TRUE(c.ComboBoxExLookIn.enabled());
    EXPECT_EQ(c.ComboBoxExLookIn.selectedIndex(), 2);
    c.ComboBoxExLookIn.setSelectedIndex(0);
    c.CheckBoxLookIn.setChecked(false);
    c.CheckBoxLookIn.setChecked(true);  // a chosen row is kept
    EXPECT_EQ(c.ComboBoxExLookIn.selectedIndex(), 0);
}

TEST_F(MainWindowTest, FolderListFollowsItsCheckBox) {
    auto& f = pages().AdditionalFolders;
    f.CheckBoxLookInSpecifiedFolders.click();
    for (win::Control* c : {static_cast<win::Control*>(&f.ListBoxLookInSpecifiedFolders),
                            static_cast<win::Control*>(&f.ButtonAdd), static_cast<win::Control*>(&f.ButtonDelete),
                            static_cast<win::Control*>(&f.ButtonClearAll)})
        EXPECT_TRUE(c->enabled());
    f.CheckBoxLookInSpecifiedFolders.setChecked(false);
    EXPECT_FALSE(f.ButtonClearAll.enabled());
}

TEST_F(MainWindowTest, DateGroupRules) {
    auto& g = pages().DateTime.Created;
    g.RadioButtonSpecifyDateAndTime.click();
    EXPECT_TRUE(g.CheckBoxFrom.enabled());
    EXPECT_TRUE(g.CheckBoxTo.enabled());
    EXPECT_TRUE(g.DateTimePickerFromDate.enabled());
    EXPECT_TRUE(g.DateTimePickerToTime.enabled());

    g.CheckBoxTo.click();
    EXPECT_FALSE(g.DateTimePickerToDate.enabled());
    EXPECT_FALSE(g.DateTimePickerToTime.enabled());
    EXPECT_TRUE(g.DateTimePickerFromTime.enabled());

    g.RadioButtonPastMonth.click();
    EXPECT_EQ(g.When.selected(), WhenWithinThePastMonth);
    EXPECT_FALSE(g.CheckBoxFrom.enabled());
    EXPECT_FALSE(g.CheckBoxTo.enabled());
    EXPECT_FALSE(g.DateTimePickerFromDate.enabled());
    EXPECT_FALSE(g.DateTimePickerFromTime.enabled());

    // Back to "Specify": both boxes again, but only the checked box's pickers.
    g.RadioButtonSpecifyDateAndTime.setChecked();
    EXPECT_TRUE(g.CheckBoxFrom.enabled());
    EXPECT_TRUE(g.CheckBoxTo.enabled());
    EXPECT_TRUE(g.DateTimePickerFromDate.enabled());
    EXPECT_FALSE(g.DateTimePickerToDate.enabled());
    // The other groups are untouched.
    EXPECT_FALSE(pages().DateTime.Modified.CheckBoxFrom.enabled());
}

TEST_F(MainWindowTest, SizeRules) {
    auto& s = pages().Size;
    s.RadioButtonSizeSpecifySize.click();
    EXPECT_TRUE(s.AtLeast.CheckBoxBound.enabled());
    EXPECT_TRUE(s.AtLeast.EditSize.enabled());
    EXPECT_TRUE(s.AtMost.ComboBoxSize.enabled());
    EXPECT_TRUE(s.AtMost.JvUpDownSize.enabled());

    s.AtLeast.CheckBoxBound.click();
    EXPECT_FALSE(s.AtLeast.EditSize.enabled());
    EXPECT_FALSE(s.AtLeast.JvUpDownSize.enabled());
    EXPECT_FALSE(s.AtLeast.ComboBoxSize.enabled());
    EXPECT_TRUE(s.AtLeast.CheckBoxBound.enabled());

    s.RadioButtonSizeLarge.click();
    EXPECT_FALSE(s.AtLeast.CheckBoxBound.enabled());
    EXPECT_FALSE(s.AtMost.CheckBoxBound.enabled());
    EXPECT_FALSE(s.AtMost.EditSize.enabled());

    s.RadioButtonSizeSpecifySize.click();
    EXPECT_FALSE(s.AtLeast.EditSize.enabled());
    EXPECT_TRUE(s.AtMost.EditSize.enabled());
}

TEST_F(MainWindowTest, AttributeRules) {
    auto& a = pages().Attributes;
    a.CheckBoxAttributesSpecifyAttributes.click();
    for (auto& box : a.CheckBoxAttributes) EXPECT_TRUE(box.enabled());
    EXPECT_TRUE(a.RadioButtonAttributesExactMatch.enabled());
    a.RadioButtonAttributesExactMatch.click();
    EXPECT_EQ(a.Match.selected(), 0);
    a.CheckBoxAttributesSpecifyAttributes.setChecked(false);
    for (auto& box : a.CheckBoxAttributes) EXPECT_FALSE(box.enabled());
    EXPECT_FALSE(a.RadioButtonAttributesContainSelected.enabled());
}

TEST_F(MainWindowTest, SpecifyTextRows) {
    auto& t = pages().ContainingText;
    t.CheckBoxContainingTextSpecifyText.click();
    EXPECT_TRUE(t.ComboBoxContainingText0.enabled());
    EXPECT_TRUE(t.CheckBoxContainingTextMatchCase.enabled());
    for (auto& row : t.AdditionalText) {
        EXPECT_TRUE(row.CheckBoxAdditionalText.enabled());
        EXPECT_FALSE(row.ComboBoxOption.enabled());
    }
    t.AdditionalText[1].CheckBoxAdditionalText.click();
    EXPECT_TRUE(t.AdditionalText[1].ComboBoxOption.enabled());
    EXPECT_TRUE(t.AdditionalText[1].ComboBoxText.enabled());
    EXPECT_FALSE(t.AdditionalText[0].ComboBoxText.enabled());

    // Clearing "Specify text": the checked row keeps its operator and phrase enabled.
    t.CheckBoxContainingTextSpecifyText.click();
    EXPECT_FALSE(t.ComboBoxContainingText0.enabled());
    EXPECT_FALSE(t.CheckBoxContainingTextMatchCase.enabled());
    for (auto& row : t.AdditionalText) EXPECT_FALSE(row.CheckBoxAdditionalText.enabled());
    EXPECT_TRUE(t.AdditionalText[1].CheckBoxAdditionalText.checked());
    EXPECT_TRUE(t.AdditionalText[1].ComboBoxOption.enabled());
    EXPECT_TRUE(t.AdditionalText[1].ComboBoxText.enabled());
    EXPECT_FALSE(t.AdditionalText[0].ComboBoxOption.enabled());
    EXPECT_FALSE(t.AdditionalText[2].ComboBoxText.enabled());

    t.CheckBoxContainingTextSpecifyText.click();
    for (auto& row : t.AdditionalText) EXPECT_TRUE(row.CheckBoxAdditionalText.enabled());
    EXPECT_TRUE(t.AdditionalText[1].ComboBoxText.enabled());
    EXPECT_FALSE(t.AdditionalText[2].ComboBoxText.enabled());

    t.AdditionalText[1].CheckBoxAdditionalText.click();
    EXPECT_FALSE(t.AdditionalText[1].ComboBoxOption.enabled());
}

// Clicking into a box that still holds "A word or phrase in the file" and typing replaces the default
// phrase; a phrase of the user's own is never selected away.
TEST_F(MainWindowTest, TypingIntoTheDefaultPhraseReplacesIt) {
    auto& t = pages().ContainingText;
    t.CheckBoxContainingTextSpecifyText.click();
    form->PageControlMain.changePage(PageIndexContainingText);
    const HWND edit = ::GetWindow(t.ComboBoxContainingText0.hwnd(), GW_CHILD);
    ASSERT_TRUE(edit);
    const POINT middle{40, 8};
    ::SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));  // the click that focuses it
    ::SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
    testing_support::PumpMessages();
    for (const wchar_t c : std::wstring(L"needle")) testing_support::TypeChar(edit, c);
    EXPECT_EQ(t.ComboBoxContainingText0.text(), L"needle");

    form->BitBtnSearch.focus();
    ::SetFocus(edit);
    testing_support::PumpMessages();
    ::SendMessageW(edit, EM_SETSEL, 6, 6);
    testing_support::TypeChar(edit, L's');
    EXPECT_EQ(t.ComboBoxContainingText0.text(), L"needles");
}

TEST_F(MainWindowTest, AdvancedInterlock) {
    auto& a = pages().Advanced;
    auto state = [&] {
        return std::tuple(a.CheckBoxSearchAllFilesAndFolders.checked(), a.CheckBoxSearchSystemFolders.checked(),
                          a.CheckBoxSearchHiddenFilesAndFolders.checked());
    };
    EXPECT_EQ(state(), std::tuple(true, true, true));
    // Clearing "all" alone keeps the other two.
    a.CheckBoxSearchAllFilesAndFolders.click();
    EXPECT_EQ(state(), std::tuple(false, true, true));
    a.CheckBoxSearchSystemFolders.click();
    a.CheckBoxSearchHiddenFilesAndFolders.click();
    EXPECT_EQ(state(), std::tuple(false, false, false));
    // Checking "all" with both others clear ends with all three.
    a.CheckBoxSearchAllFilesAndFolders.click();
    EXPECT_EQ(state(), std::tuple(true, true, true));
    // Clearing "hidden" clears "all" and leaves "system".
    a.CheckBoxSearchHiddenFilesAndFolders.click();
    EXPECT_EQ(state(), std::tuple(false, true, false));
    // Checking it again completes the set.
    a.CheckBoxSearchHiddenFilesAndFolders.click();
    EXPECT_EQ(state(), std::tuple(true, true, true));
    // The same through the program's setters, starting with only "hidden" checked.
    a.CheckBoxSearchAllFilesAndFolders.setChecked(false);
    a.CheckBoxSearchSystemFolders.setChecked(false);
    EXPECT_EQ(state(), std::tuple(false, false, true));
    a.CheckBoxSearchAllFilesAndFolders.setChecked(true);
    EXPECT_EQ(state(), std::tuple(true, true, true));
    // "Subfolders" has no rule.
    a.CheckBoxSearchSubfolders.click();
    EXPECT_EQ(state(), std::tuple(true, true, true));
    EXPECT_FALSE(a.CheckBoxSearchSubfolders.checked());
}

TEST_F(MainWindowTest, SettingTheSameStateRunsNoRule) {
    auto& f = pages().AdditionalFolders;
    int runs = 0;
    f.CheckBoxLookInSpecifiedFolders.onClick = [&] { ++runs; };
    f.CheckBoxLookInSpecifiedFolders.setChecked(false);
    EXPECT_EQ(runs, 0);
    f.CheckBoxLookInSpecifiedFolders.setChecked(true);
    f.CheckBoxLookInSpecifiedFolders.setChecked(true);
    EXPECT_EQ(runs, 1);

    auto& when = pages().DateTime.Accessed.When;
    int selections = 0;
    when.onSelect = [&](int) { ++selections; };
    when.select(WhenDoNotRemember);
    pages().DateTime.Accessed.RadioButtonDoNotRemember.click();
    EXPECT_EQ(selections, 0);
    pages().DateTime.Accessed.RadioButtonWithinTheLastWeek.click();
    EXPECT_EQ(selections, 1);
}
