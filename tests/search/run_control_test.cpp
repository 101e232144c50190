#include "search/search_fixture.h"

#include <chrono>

using namespace findlark;
using namespace std::chrono_literals;
using testing_support::PumpMessages;
using testing_support::PumpUntil;

class RunControlTest : public SearchTest {
protected:
    static constexpr int kFolders = 40, kFilesPerFolder = 60;

    // Enough entries that a run lasts while the test acts on it; made once for all tests.
    static void SetUpTestSuite() {
        wide = std::make_unique<testing_support::TempTree>();
        for (int f = 0; f < kFolders; ++f) {
            const std::wstring folder = L"d" + std::to_wstring(f);
            wide->folder(folder);
            for (int i = 0; i < kFilesPerFolder; ++i) wide->file(folder + L"\\f" + std::to_wstring(i) + L".dat");
        }
    }
    static void TearDownTestSuite() { wide.reset(); }
    static std::unique_ptr<testing_support::TempTree> wide;

    int makeWideTree() {
        pages().apply(foldersOnly({wide->root()}));
        return kFolders * (kFilesPerFolder + 1);
    }
    bool searchEnabledStates(bool idle) const {
        return form->PageControlMain.enabled() == idle && form->Actions1.enabled() == idle &&
               form->Options1.enabled() == idle && form->Open1.enabled() == idle && form->Save1.enabled() == idle;
    }
};

std::unique_ptr<testing_support::TempTree> RunControlTest::wide;

TEST_F(RunControlTest, StatesOfTheWindowThroughARun) {
    EXPECT_EQ(status(), L"");
    const int expected = makeWideTree();

    form->BitBtnSearch.click();
    EXPECT_EQ(form->searchState(), 1);
    EXPECT_EQ(form->BitBtnSearch.text(), L"&Stop");
    EXPECT_EQ(form->Search1.caption(), L"&Stop");
    EXPECT_TRUE(form->BitBtnPause.enabled());
    EXPECT_TRUE(form->Pause1.enabled());
    EXPECT_TRUE(form->PageControlSearchInformation.visible());
    EXPECT_TRUE(searchEnabledStates(false));
    EXPECT_EQ(status(), L"Searching ...");

    form->BitBtnPause.click();
    EXPECT_EQ(form->pauseState(), 1);
    EXPECT_EQ(form->BitBtnPause.text(), L"&Resume");
    EXPECT_EQ(form->Pause1.caption(), L"&Resume");
    EXPECT_EQ(status(), L"Paused ...");
    EXPECT_TRUE(searchEnabledStates(false));

    // Nothing is lost across the pause.
    PumpMessages(100ms);
    form->BitBtnPause.click();
    EXPECT_EQ(form->BitBtnPause.text(), L"&Pause");
    EXPECT_EQ(status(), L"Searching ...");
    ASSERT_TRUE(PumpUntil([&] { return form->searchState() == 0; }));
    EXPECT_EQ(form->Results.count(), expected);
    EXPECT_EQ(status(), L"Finished. " + std::to_wstring(expected) + L" items found.");
    EXPECT_EQ(form->BitBtnSearch.text(), L"&Search");
    EXPECT_EQ(form->Search1.caption(), L"&Search");
    EXPECT_FALSE(form->BitBtnPause.enabled());
    EXPECT_FALSE(form->Pause1.enabled());
    EXPECT_FALSE(form->PageControlSearchInformation.visible());
    EXPECT_TRUE(searchEnabledStates(true));
}

TEST_F(RunControlTest, PausedRunAddsNoRowsUntilResumed) {
    makeWideTree();
    form->BitBtnSearch.click();
    form->BitBtnPause.click();
    PumpMessages(150ms);
    if (form->searchState() == 0) GTEST_SKIP() << "the run ended before the pause took effect";
    const int shown = form->Results.count();
    PumpMessages(200ms);
    EXPECT_EQ(form->Results.count(), shown);
    form->BitBtnPause.click();
    EXPECT_TRUE(PumpUntil([&] { return form->searchState() == 0; }));
}

TEST_F(RunControlTest, StopWhilePausedEndsTheWorker) {
    makeWideTree();
    form->BitBtnSearch.click();
    form->BitBtnPause.click();
    PumpMessages(50ms);
    form->BitBtnSearch.click();
    EXPECT_EQ(form->searchState(), 0);
    EXPECT_EQ(form->pauseState(), 0);
    EXPECT_EQ(form->BitBtnPause.text(), L"&Pause");
    EXPECT_FALSE(form->BitBtnPause.enabled());
    EXPECT_EQ(status(), L"Finished. " + std::to_wstring(form->Results.count()) + L" items found.");
    EXPECT_TRUE(form->waitForStoppedWorkers(1000));
    // The stopped run's rows stay listed and no further row arrives.
    const int kept = form->Results.count();
    PumpMessages(100ms);
    EXPECT_EQ(form->Results.count(), kept);
}

TEST_F(RunControlTest, NewRunRightAfterStopNeverMixesRows) {
    makeWideTree();
    tree.file(L"only.txt");
    form->BitBtnSearch.click();
    form->BitBtnSearch.click();  // stop
    pages().apply(foldersOnly({tree.root()}));
    form->BitBtnSearch.click();
    ASSERT_TRUE(PumpUntil([&] { return form->searchState() == 0; }));
    PumpMessages(100ms);
    ASSERT_EQ(form->Results.count(), 1);
    EXPECT_EQ(form->Results.rows().entry(0).fullPath(), tree.path(L"only.txt"));
    EXPECT_EQ(status(), L"Finished. 1 items found.");
}

TEST_F(RunControlTest, ClosingTheWindowEndsARunningOrPausedWorkerPromptly) {
    makeWideTree();
    for (const bool paused : {false, true}) {
        makeWideTree();
        form->BitBtnSearch.click();
        if (paused) form->BitBtnPause.click();
        const auto start = std::chrono::steady_clock::now();
        form.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
        form = std::make_unique<TFormMain>(interaction);
    }
}

TEST_F(RunControlTest, NoLocationFindsNothing) {
    SearchCriteria c = pages().read();
    c.LookIn = false;
    c.AdditionalFolders = false;
    EXPECT_TRUE(search(c).empty());
    EXPECT_EQ(status(), L"Finished. 0 items found.");
}

TEST_F(RunControlTest, EnterStartsAndEscapeStopsFromAnyControl) {
    makeWideTree();
    const HWND maskEdit = ::GetWindow(pages().Common.ComboBoxExAllOrPartOfTheFileName.hwnd(), GW_CHILD);
    ASSERT_TRUE(maskEdit);

    testing_support::PressKey(maskEdit, VK_ESCAPE);  // idle: nothing
    EXPECT_EQ(status(), L"");
    testing_support::PressKey(maskEdit, VK_RETURN);
    EXPECT_NE(status(), L"");
    if (form->searchState() == 1) {
        form->BitBtnPause.click();
        testing_support::PressKey(form->ListViewResults.hwnd(), VK_RETURN);  // running: nothing
        EXPECT_EQ(form->searchState(), 1);
        testing_support::PressKey(form->ListViewResults.hwnd(), VK_ESCAPE);  // paused: stops
        EXPECT_EQ(form->searchState(), 0);
    }
    ASSERT_TRUE(PumpUntil([&] { return form->searchState() == 0; }));

    // On the web search page the Search button is off, and so is Enter.
    testing_support::ClickTab(form->PageControlMain, PageIndexSearchOnTheInternet);
    form->Results.clear();
    testing_support::PressKey(form->ListViewResults.hwnd(), VK_RETURN);
    EXPECT_EQ(form->searchState(), 0);
    EXPECT_EQ(form->Results.count(), 0);
}

TEST_F(RunControlTest, EnterInAnOpenDropDownBelongsToTheComboBox) {
    makeWideTree();
    auto& mask = pages().Common.ComboBoxExAllOrPartOfTheFileName;
    mask.addItem(L"*.dat");
    ::SendMessageW(mask.hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
    if (!::SendMessageW(mask.hwnd(), CB_GETDROPPEDSTATE, 0, 0)) GTEST_SKIP() << "no drop-down without a display";
    testing_support::PressKey(::GetWindow(mask.hwnd(), GW_CHILD), VK_RETURN);
    EXPECT_EQ(status(), L"");  // no search started
    ::SendMessageW(mask.hwnd(), CB_SHOWDROPDOWN, FALSE, 0);
    testing_support::PressKey(::GetWindow(mask.hwnd(), GW_CHILD), VK_RETURN);
    EXPECT_NE(status(), L"");
    ASSERT_TRUE(PumpUntil([&] { return form->searchState() == 0; }));
}

TEST_F(RunControlTest, CaptionAcceleratorsPressTheirButtons) {
    makeWideTree();
    MSG key{};
    key.hwnd = pages().Common.CheckBoxLookIn.hwnd();
    key.message = WM_SYSCHAR;
    key.wParam = L's';
    key.lParam = 1 << 29;  // Alt held
    win::DispatchAppMessage(key);
    EXPECT_NE(status(), L"");
    ASSERT_TRUE(PumpUntil([&] { return form->searchState() == 0; }));
}
