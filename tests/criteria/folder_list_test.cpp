#include "criteria/main_window_fixture.h"

using namespace findlark;

class FolderListTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        pages().AdditionalFolders.CheckBoxLookInSpecifiedFolders.click();
    }
    PageFolders& folders() { return pages().AdditionalFolders; }
};

TEST_F(FolderListTest, AddAppendsTheChosenFolderEvenTwice) {
    interaction.folderAnswers = {L"C:\\data", L"C:\\data", std::nullopt, L"D:\\"};
    for (int i = 0; i < 4; ++i) folders().ButtonAdd.click();
    EXPECT_EQ(interaction.folderRequests.size(), 4u);
    EXPECT_EQ(folders().ListBoxLookInSpecifiedFolders.items(),
              (std::vector<std::wstring>{L"C:\\data", L"C:\\data", L"D:\\"}));
}

TEST_F(FolderListTest, CancelledBrowserChangesNothing) {
    interaction.folderAnswers = {std::nullopt};
    folders().ButtonAdd.click();
    EXPECT_EQ(folders().ListBoxLookInSpecifiedFolders.count(), 0);
}

TEST_F(FolderListTest, DeleteRemovesTheSelectedRowOnly) {
    interaction.folderAnswers = {L"C:\\a", L"C:\\b", L"C:\\c"};
    for (int i = 0; i < 3; ++i) folders().ButtonAdd.click();
    folders().ListBoxLookInSpecifiedFolders.setSelectedIndex(-1);
    folders().ButtonDelete.click();
    EXPECT_EQ(folders().ListBoxLookInSpecifiedFolders.count(), 3);
    folders().ListBoxLookInSpecifiedFolders.setSelectedIndex(1);
    folders().ButtonDelete.click();
    EXPECT_EQ(folders().ListBoxLookInSpecifiedFolders.items(), (std::vector<std::wstring>{L"C:\\a", L"C:\\c"}));
    folders().ButtonClearAll.click();
    EXPECT_EQ(folders().ListBoxLookInSpecifiedFolders.count(), 0);
}

TEST_F(FolderListTest, ButtonsDoNothingWhileTheListIsSwitchedOff) {
    folders().CheckBoxLookInSpecifiedFolders.click();
    folders().ButtonAdd.click();  // disabled: no browser is asked for
    EXPECT_TRUE(interaction.folderRequests.empty());
}
