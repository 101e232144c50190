// The Preferences dialog: its controls are live state, Apply writes, Cancel undoes nothing.
#include "app/app_fixture.h"

#include "support/temp_tree.h"

using namespace findlark;

namespace {

std::wstring ShownText(const win::VirtualListView& view, int row, int column) {
    wchar_t text[260] = {};
    ListView_GetItemText(view.hwnd(), row, column, text, 260);
    return text;
}

}  // namespace

class OptionsTest : public AppTest {
protected:
    void SetUp() override {
        store(L"ShowTipOfTheDayOnStartup", L"0");
        start();
    }
    TFormOptions& options() { return app->Options(); }
    // Opens Preferences from the menu and lets `act` do what the user does there.
    void openPreferences(std::function<void(TFormOptions&)> act) {
        interaction.dialogScripts.push_back([act](win::Dialog& dialog) { act(dynamic_cast<TFormOptions&>(dialog)); });
        main().runMenuCommand(main().Castomize1.id());
    }
};

TEST_F(OptionsTest, AnEmptyStoreOpensWithTheDefaultsAndApplyDisabled) {
    openPreferences([](TFormOptions& o) {
        EXPECT_TRUE(o.CheckBoxGeneralRememberWindowPosition.checked());
        EXPECT_TRUE(o.CheckBoxGeneralRememberWindowSize.checked());
        EXPECT_TRUE(o.CheckBoxGeneralRememberSearchOptions.checked());
        EXPECT_EQ(o.ComboBoxShowFileSizeIn.text(), L"B");
        EXPECT_FALSE(o.CheckBoxDeleteWithoutPrompting.checked());
        EXPECT_FALSE(o.CheckBoxOverwriteWithoutPrompting.checked());
        EXPECT_FALSE(o.BitBtnApply.enabled());
        o.BitBtnCancel.click();
    });
    EXPECT_EQ(interaction.dialogs, std::vector<std::wstring>{L"Preferences"});
    EXPECT_EQ(stored(L"RememberWindowSize"), L"(missing)");  // Cancel wrote nothing
}

TEST_F(OptionsTest, ApplyWritesAndCancelUndoesNothing) {
    openPreferences([](TFormOptions& o) {
        o.CheckBoxDeleteWithoutPrompting.click();
        EXPECT_TRUE(o.BitBtnApply.enabled());
        o.BitBtnApply.click();
        EXPECT_FALSE(o.BitBtnApply.enabled());
        o.CheckBoxOverwriteWithoutPrompting.click();  // changed, then cancelled
        o.BitBtnCancel.click();
    });
    EXPECT_EQ(stored(L"DeleteWithoutPrompting"), L"1");
    EXPECT_EQ(stored(L"OverwriteWithoutPrompting"), L"0");
    // The live state is what the user left in the dialog, store or not.
    EXPECT_TRUE(options().deleteWithoutPrompting());
    EXPECT_TRUE(options().overwriteWithoutPrompting());
    openPreferences([](TFormOptions& o) {
        EXPECT_TRUE(o.CheckBoxOverwriteWithoutPrompting.checked());
        EXPECT_TRUE(o.BitBtnApply.enabled());  // still pending from last time
        o.BitBtnCancel.click();
    });
}

TEST_F(OptionsTest, AChosenUnitShowsEverySizeAtOnce) {
    testing_support::TempTree tree;
    tree.file(L"a.bin", 1536);
    tree.file(L"b.bin", 2560);
    SearchCriteria c = main().Criteria.read();
    c.LookIn = false;
    c.AdditionalFolders = true;
    c.Directories = {tree.root()};
    main().Criteria.apply(c);
    main().BitBtnSearch.click();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return main().searchState() == SearchState::Idle; }));
    EXPECT_EQ(ShownText(main().ListViewResults, 0, 2), L"1,536 B");
    openPreferences([](TFormOptions& o) {
        o.ComboBoxShowFileSizeIn.setSelectedIndex(1);
        o.BitBtnOK.click();
    });
    EXPECT_EQ(stored(L"ShowFileSizeIn"), L"1");
    EXPECT_EQ(ShownText(main().ListViewResults, 0, 2), L"2 KB");  // halves round to even
    EXPECT_EQ(ShownText(main().ListViewResults, 1, 2), L"2 KB");
    openPreferences([](TFormOptions& o) {
        o.ComboBoxShowFileSizeIn.setSelectedIndex(0);
        o.BitBtnOK.click();
    });
    EXPECT_EQ(ShownText(main().ListViewResults, 1, 2), L"2,560 B");
}

TEST_F(OptionsTest, RememberWindowSizeOffIsHonouredWhenTheProgramEnds) {
    openPreferences([](TFormOptions& o) {
        o.CheckBoxGeneralRememberWindowSize.click();
        o.BitBtnOK.click();
    });
    EXPECT_EQ(stored(L"RememberWindowSize"), L"0");
    end();
    EXPECT_EQ(stored(L"MainWindowWidth"), L"(missing)");
    EXPECT_NE(stored(L"MainWindowTop"), L"(missing)");
}

TEST_F(OptionsTest, AStoredUnitOutsideTheListShowsBytes) {
    end();
    store(L"ShowFileSizeIn", L"7");
    start();
    EXPECT_EQ(options().sizeUnit(), (std::pair<int, std::wstring>(0, L"B")));
}
