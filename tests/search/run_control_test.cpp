#include "search/search_fixture.h"

#include "win/handle.h"

#include <atomic>
#include <chrono>
#include <memory>

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

    int useWideTree() {
        pages().apply(foldersOnly({wide->root()}));
        return kFolders * (kFilesPerFolder + 1);
    }
    bool criteriaEditable(bool idle) const {
        return form->PageControlMain.enabled() == idle && form->Actions1.enabled() == idle &&
               form->Options1.enabled() == idle && form->Open1.enabled() == idle && form->Save1.enabled() == idle;
    }
    bool idle() const { return form->searchState() == SearchState::Idle; }
};

std::unique_ptr<testing_support::TempTree> RunControlTest::wide;

TEST_F(RunControlTest, StatesOfTheWindowThroughARun) {
    EXPECT_EQ(status(), L"");
    const int expected = useWideTree();
    gate.close();

    form->BitBtnSearch.click();
    EXPECT_EQ(form->searchState(), SearchState::Running);
    EXPECT_EQ(form->BitBtnSearch.text(), L"&Stop");
    EXPECT_EQ(form->Search1.caption(), L"&Stop");
    EXPECT_TRUE(form->BitBtnPause.enabled());
    EXPECT_TRUE(form->Pause1.enabled());
    EXPECT_TRUE(form->PageControlSearchInformation.visible());
    EXPECT_TRUE(criteriaEditable(false));
    EXPECT_EQ(status(), L"Searching ...");

    form->BitBtnPause.click();
    EXPECT_EQ(form->pauseState(), PauseState::Paused);
    EXPECT_EQ(form->BitBtnPause.text(), L"&Resume");
    EXPECT_EQ(form->Pause1.caption(), L"&Resume");
    EXPECT_EQ(status(), L"Paused ...");
    EXPECT_TRUE(criteriaEditable(false));

    // Nothing is lost across the pause.
    gate.open();
    PumpMessages(100ms);
    form->BitBtnPause.click();
    EXPECT_EQ(form->BitBtnPause.text(), L"&Pause");
    EXPECT_EQ(status(), L"Searching ...");
    ASSERT_TRUE(PumpUntil([&] { return idle(); }));
    EXPECT_EQ(form->Results.count(), expected);
    EXPECT_EQ(status(), L"Finished. " + std::to_wstring(expected) + L" items found.");
    EXPECT_EQ(form->BitBtnSearch.text(), L"&Search");
    EXPECT_EQ(form->Search1.caption(), L"&Search");
    EXPECT_FALSE(form->BitBtnPause.enabled());
    EXPECT_FALSE(form->Pause1.enabled());
    EXPECT_FALSE(form->PageControlSearchInformation.visible());
    EXPECT_TRUE(criteriaEditable(true));
}

TEST_F(RunControlTest, PausedRunAddsNoRowsUntilResumed) {
    const int expected = useWideTree();
    gate.close();
    form->BitBtnSearch.click();
    form->BitBtnPause.click();
    gate.open();
    // The worker stops at its first check, having handed on what it held.
    ASSERT_TRUE(PumpUntil([&] { return form->session().workerHolding(); }));
    PumpMessages(50ms);
    const int shown = form->Results.count();
    PumpMessages(200ms);
    EXPECT_EQ(form->Results.count(), shown);
    EXPECT_LT(shown, expected);
    EXPECT_EQ(form->searchState(), SearchState::Running);
    form->BitBtnPause.click();
    ASSERT_TRUE(PumpUntil([&] { return idle(); }));
    EXPECT_EQ(form->Results.count(), expected);
}

TEST_F(RunControlTest, StopWhilePausedEndsTheWorker) {
    useWideTree();
    gate.close();
    form->BitBtnSearch.click();
    form->BitBtnPause.click();
    gate.open();
    ASSERT_TRUE(PumpUntil([&] { return form->session().workerHolding(); }));
    PumpMessages(50ms);
    const int shown = form->Results.count();
    form->BitBtnSearch.click();
    EXPECT_TRUE(idle());
    EXPECT_EQ(form->pauseState(), PauseState::Running);
    EXPECT_EQ(form->BitBtnPause.text(), L"&Pause");
    EXPECT_FALSE(form->BitBtnPause.enabled());
    EXPECT_EQ(status(), L"Finished. " + std::to_wstring(shown) + L" items found.");
    EXPECT_TRUE(form->session().waitForStoppedWorkers(1s));
    // The stopped run's rows stay listed and no further row arrives.
    PumpMessages(100ms);
    EXPECT_EQ(form->Results.count(), shown);
}

TEST_F(RunControlTest, NewRunRightAfterStopNeverMixesRows) {
    useWideTree();
    tree.file(L"only.txt");
    gate.close();
    form->BitBtnSearch.click();
    form->BitBtnSearch.click();  // stopped while its worker has not even begun
    pages().apply(foldersOnly({tree.root()}));
    form->BitBtnSearch.click();
    gate.open();  // both workers go on now: the stopped one must add nothing
    ASSERT_TRUE(PumpUntil([&] { return idle(); }));
    PumpMessages(100ms);
    ASSERT_EQ(form->Results.count(), 1);
    EXPECT_EQ(form->Results.rows().entry(0).fullPath(), tree.path(L"only.txt"));
    EXPECT_EQ(status(), L"Finished. 1 items found.");
}

// The list keeps the rows present at the moment of the click: those the worker had handed on but the
// window had not yet taken too.
TEST_F(RunControlTest, StopKeepsTheRowsTheWorkerHadHandedOn) {
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) tree.file(name);
    pages().apply(foldersOnly({tree.root()}));
    form->BitBtnSearch.click();
    // No messages are handled meanwhile, so the rows wait in the queue.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (form->session().progress().itemsFound < 3 && std::chrono::steady_clock::now() < deadline) ::Sleep(10);
    ASSERT_EQ(form->Results.count(), 0);
    form->BitBtnSearch.click();  // Stop
    EXPECT_EQ(form->Results.count(), 3);
    EXPECT_EQ(status(), L"Finished. 3 items found.");
    PumpMessages(50ms);
    EXPECT_EQ(form->Results.count(), 3);
}

// A worker held in one system call past the window's wait on closing ends by itself later, and asks
// nothing of the window that is gone.
TEST_F(RunControlTest, AWorkerReleasedAfterTheWindowHasGoneEndsQuietly) {
    tree.file(L"late.txt");
    const win::UniqueKernelHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    auto ended = std::make_shared<std::atomic<bool>>(false);
    form = makeForm([gate = release.get(), ended](SearchRequest request, std::shared_ptr<RunChannel> channel) {
        return win::WorkerThread([gate, ended, request = std::move(request), channel = std::move(channel)] {
            ::WaitForSingleObject(gate, INFINITE);
            RunSearch(request, *channel);
            channel->events.pushEnd(false);  // as a careless worker might
            *ended = true;
        });
    });
    pages().apply(foldersOnly({tree.root()}));
    form->BitBtnSearch.click();
    form.reset();
    ::SetEvent(release.get());
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!*ended && std::chrono::steady_clock::now() < deadline) ::Sleep(10);
    EXPECT_TRUE(*ended);
    PumpMessages(50ms);
    form = makeForm();
}

TEST_F(RunControlTest, ClosingTheWindowEndsARunningOrPausedWorkerPromptly) {
    for (const bool paused : {false, true}) {
        useWideTree();
        form->BitBtnSearch.click();
        if (paused) form->BitBtnPause.click();
        ASSERT_EQ(form->searchState(), SearchState::Running);
        const auto start = std::chrono::steady_clock::now();
        form.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
        form = makeForm();
    }
}

TEST_F(RunControlTest, NoLocationFindsNothing) {
    SearchCriteria c = pages().read();
    c.LookIn = false;
    c.AdditionalFolders = false;
    EXPECT_TRUE(search(c).empty());
    EXPECT_EQ(status(), L"Finished. 0 items found.");
}

TEST_F(RunControlTest, EnterStartsAndEscapeStopsFromInputBoxesAndLists) {
    useWideTree();
    gate.close();
    const HWND maskEdit = ::GetWindow(pages().Common.ComboBoxExAllOrPartOfTheFileName.hwnd(), GW_CHILD);
    ASSERT_TRUE(maskEdit);

    testing_support::PressKey(maskEdit, VK_ESCAPE);  // idle: nothing
    EXPECT_EQ(status(), L"");
    testing_support::PressKey(maskEdit, VK_RETURN);
    ASSERT_EQ(form->searchState(), SearchState::Running);
    form->BitBtnPause.click();
    testing_support::PressKey(form->ListViewResults.hwnd(), VK_RETURN);  // running: nothing
    EXPECT_EQ(form->searchState(), SearchState::Running);
    testing_support::PressKey(form->ListViewResults.hwnd(), VK_ESCAPE);  // paused: stops
    EXPECT_TRUE(idle());
    gate.open();

    // On the web search page the Search button is off, and so is Enter.
    testing_support::ClickTab(form->PageControlMain, PageIndexSearchOnTheInternet);
    form->Results.clear();
    testing_support::PressKey(form->ListViewResults.hwnd(), VK_RETURN);
    EXPECT_TRUE(idle());
    EXPECT_EQ(status(), L"Finished. 0 items found.");
}

TEST_F(RunControlTest, EnterOnAPushButtonPressesThatButton) {
    auto& folders = pages().AdditionalFolders;
    folders.CheckBoxLookInSpecifiedFolders.setChecked(true);
    interaction.folderAnswers.push_back(wide->root());
    testing_support::PressKey(folders.ButtonAdd.hwnd(), VK_RETURN);
    EXPECT_EQ(interaction.folderRequests.size(), 1u);
    EXPECT_EQ(folders.ListBoxLookInSpecifiedFolders.items(), std::vector<std::wstring>{wide->root()});
    EXPECT_EQ(status(), L"");  // no search started
}

TEST_F(RunControlTest, EnterInAnOpenDropDownBelongsToTheComboBox) {
    useWideTree();
    auto& mask = pages().Common.ComboBoxExAllOrPartOfTheFileName;
    mask.addItem(L"*.dat");
    ::SendMessageW(mask.hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(::SendMessageW(mask.hwnd(), CB_GETDROPPEDSTATE, 0, 0));
    testing_support::PressKey(::GetWindow(mask.hwnd(), GW_CHILD), VK_RETURN);
    EXPECT_EQ(status(), L"");  // no search started
    ::SendMessageW(mask.hwnd(), CB_SHOWDROPDOWN, FALSE, 0);
    testing_support::PressKey(::GetWindow(mask.hwnd(), GW_CHILD), VK_RETURN);
    EXPECT_NE(status(), L"");
    ASSERT_TRUE(PumpUntil([&] { return idle(); }));
}

TEST_F(RunControlTest, CaptionAcceleratorsPressTheirButtons) {
    useWideTree();
    MSG key{};
    key.hwnd = pages().Common.CheckBoxLookIn.hwnd();
    key.message = WM_SYSCHAR;
    key.wParam = L's';
    key.lParam = 1 << 29;  // Alt held
    win::DispatchAppMessage(key);
    EXPECT_NE(status(), L"");
    ASSERT_TRUE(PumpUntil([&] { return idle(); }));
}
