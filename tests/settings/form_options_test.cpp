// The Preferences dialog: Apply writes and shows, Cancel puts back what was last applied.
#include "app/app_fixture.h"

#include "support/temp_tree.h"

using namespace findlark;

using testing_support::ShownText;

class OptionsTest : public AppTest {
protected:
    void SetUp() override {
        store(L"ShowTipOfTheDayOnStartup", L"0");
        start();
    }
    TFormOptions& options() { return app->options(); }
    // Lists the tree's files in the results; true when the search ended.
    bool listTree(const testing_support::TempTree& tree) {
        SearchCriteria c = main().Criteria.read();
        c.LookIn = false;
        c.AdditionalFolders = true;
        c.Directories = {tree.root()};
        main().Criteria.apply(c);
        main().BitBtnSearch.click();
        return testing_support::PumpUntil([&] { return main().searchState() == SearchState::Idle; });
    }
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
        EXPECT_FALSE(o.CheckBoxSearchTextOfOnlineOnlyFiles.checked());
        EXPECT_TRUE(o.CheckBoxUseRecycleBin.checked());
        EXPECT_FALSE(o.BitBtnApply.enabled());
        o.BitBtnCancel.click();
    });
    EXPECT_EQ(interaction.dialogs, std::vector<std::wstring>{L"Preferences"});
    EXPECT_EQ(stored(L"RememberWindowSize"), L"(missing)");  // Cancel wrote nothing
}

TEST_F(OptionsTest, ApplyWritesAndCancelPutsBackWhatWasApplied) {
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
    EXPECT_TRUE(options().deleteWithoutPrompting());
    EXPECT_FALSE(options().overwriteWithoutPrompting());
    openPreferences([](TFormOptions& o) {
        EXPECT_TRUE(o.CheckBoxDeleteWithoutPrompting.checked());
        EXPECT_FALSE(o.CheckBoxOverwriteWithoutPrompting.checked());
        EXPECT_FALSE(o.BitBtnApply.enabled());
        o.CheckBoxGeneralRememberSearchOptions.click();
        ::SendMessageW(o.hwnd(), WM_CLOSE, 0, 0);  // the close box cancels too
    });
    EXPECT_TRUE(options().CheckBoxGeneralRememberSearchOptions.checked());
}

// Each run reads online-only files for their text only as the preference stood when it started.
TEST_F(OptionsTest, TheOnlineOnlyChoiceReachesTheRunsThatFollowIt) {
    end();
    store(L"SearchTextOfOnlineOnlyFiles", L"1");
    std::vector<bool> asked;
    start([&asked](SearchRequest request, std::shared_ptr<RunChannel> channel) {
        asked.push_back(request.searchOnlineOnlyText);
        return win::WorkerThread([channel] { channel->events.pushEnd(false); });
    });
    auto searchOnce = [this] {
        main().Criteria.Common.CheckBoxLookIn.setChecked(false);
        main().BitBtnSearch.click();
        EXPECT_TRUE(testing_support::PumpUntil([&] { return main().searchState() == SearchState::Idle; }));
    };
    searchOnce();
    openPreferences([](TFormOptions& o) {
        EXPECT_TRUE(o.CheckBoxSearchTextOfOnlineOnlyFiles.checked());
        o.CheckBoxSearchTextOfOnlineOnlyFiles.click();
        o.BitBtnOK.click();
    });
    EXPECT_EQ(stored(L"SearchTextOfOnlineOnlyFiles"), L"0");
    searchOnce();
    openPreferences([](TFormOptions& o) {
        o.CheckBoxSearchTextOfOnlineOnlyFiles.click();  // ticked, then cancelled
        o.BitBtnCancel.click();
    });
    searchOnce();
    EXPECT_EQ(asked, (std::vector<bool>{true, false, false}));
}

// A choice ticked and then cancelled never acts: the next delete asks, the list keeps its unit.
TEST_F(OptionsTest, ACancelledChoiceNeverTakesEffect) {
    testing_support::TempTree tree;
    tree.file(L"a.bin", 1536);
    ASSERT_TRUE(listTree(tree));
    openPreferences([&](TFormOptions& o) {
        o.CheckBoxDeleteWithoutPrompting.click();
        o.CheckBoxOverwriteWithoutPrompting.click();
        o.ComboBoxShowFileSizeIn.setSelectedIndex(1);
        EXPECT_EQ(ShownText(main().ListViewResults, 0, 2), L"1,536 B");  // not applied, not shown
        o.BitBtnCancel.click();
    });
    EXPECT_FALSE(options().deleteWithoutPrompting());
    EXPECT_FALSE(options().overwriteWithoutPrompting());
    EXPECT_EQ(options().sizeUnit(), (std::pair<int, std::wstring>(0, L"B")));
    main().ListViewResults.setSelected(0, true);
    interaction.messageAnswers = {IDNO};
    main().runMenuCommand(main().DeleteAll1.id());
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].caption, L"Confirm Multiple File Delete");
    EXPECT_EQ(ShownText(main().ListViewResults, 0, 2), L"1,536 B");
}

TEST_F(OptionsTest, AChosenUnitShowsEverySizeAtOnce) {
    testing_support::TempTree tree;
    tree.file(L"a.bin", 1536);
    tree.file(L"b.bin", 2560);
    ASSERT_TRUE(listTree(tree));
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
