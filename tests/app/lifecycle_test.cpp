// What the main window restores when it is made and writes when it goes.
#include "app/app_fixture.h"

#include "app/window_placement.h"
#include "criteria/page_index.h"
#include "settings/recent_list.h"

#include <atomic>

using namespace findlark;
using testing_support::PumpMessages;

namespace {

RECT WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

RECT PrimaryWorkArea() {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

bool Centred(const RECT& r) {
    const RECT area = PrimaryWorkArea();
    return std::abs((r.left + r.right) - (area.left + area.right)) <= 2 &&
           std::abs((r.top + r.bottom) - (area.top + area.bottom)) <= 2;
}

}  // namespace

TEST_F(AppTest, AFirstStartShowsTheDesignedWindowCentred) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    start();
    const RECT r = WindowRect(main().hwnd());
    EXPECT_EQ(r.right - r.left, main().scale(633));
    EXPECT_EQ(r.bottom - r.top, main().scale(443));
    EXPECT_TRUE(Centred(r));
    EXPECT_EQ(main().PageControlMain.activeIndex(), PageIndexCommon);
    for (int column = 0; column < 4; ++column) EXPECT_EQ(main().ListViewResults.columnWidth(column), 155);
}

TEST_F(AppTest, TheCrossedSizeKeysComeBackAsTheyWereLeft) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    store(L"MainWindowWidth", L"500");   // the height
    store(L"MainWindowHeight", L"700");  // the width
    store(L"MainWindowTop", L"40");
    store(L"MainWindowLeft", L"30");
    start();
    const RECT r = WindowRect(main().hwnd());
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 500);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    end();
    EXPECT_EQ(stored(L"MainWindowWidth"), L"500");
    EXPECT_EQ(stored(L"MainWindowHeight"), L"700");
    EXPECT_EQ(stored(L"MainWindowTop"), L"40");
    EXPECT_EQ(stored(L"MainWindowLeft"), L"30");
    EXPECT_EQ(stored(L"WindowState"), L"0");
}

TEST_F(AppTest, TooSmallSizesOpenAtTheMinimumAndLostPositionsCentre) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    store(L"MainWindowWidth", L"100");
    store(L"MainWindowHeight", L"200");
    store(L"MainWindowTop", L"-10000");
    store(L"MainWindowLeft", L"300");
    start();
    RECT r = WindowRect(main().hwnd());
    EXPECT_EQ(r.right - r.left, main().scale(633));
    EXPECT_EQ(r.bottom - r.top, main().scale(443));
    EXPECT_TRUE(Centred(r));
    end();
    // A position on a monitor that is gone would leave the window out of reach: it centres instead.
    store(L"MainWindowTop", L"-30000");
    store(L"MainWindowLeft", L"-30000");
    start();
    EXPECT_TRUE(Centred(WindowRect(main().hwnd())));
}

// A position half off the work area would leave the title bar out of reach: the window moves in.
TEST_F(AppTest, APositionPartlyOffTheWorkAreaMovesInside) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    const RECT area = PrimaryWorkArea();
    store(L"MainWindowTop", std::to_wstring(area.top - 60));
    store(L"MainWindowLeft", std::to_wstring(area.right - 100));
    start();
    const RECT r = WindowRect(main().hwnd());
    EXPECT_GE(r.top, area.top);
    EXPECT_LE(r.right, area.right);
    EXPECT_GE(r.left, area.left);
}

// Minimised or maximised, the normal rectangle is written in the screen coordinates it is restored
// in: with a taskbar at the top or left the two differ, and the window would move at every start.
TEST_F(AppTest, AMaximisedWindowComesBackWhereItWasLeft) {
    EXPECT_EQ(WorkspaceToScreen({10, 20, 110, 220}, {0, 0, 1280, 1024}, {0, 40, 1280, 1024}).top, 60);
    EXPECT_EQ(WorkspaceToScreen({10, 20, 110, 220}, {0, 0, 1280, 1024}, {48, 0, 1280, 1024}).left, 58);
    const RECT moved = KeptInside({-50, 900, 650, 1400}, {0, 40, 1280, 1024});
    EXPECT_EQ(moved.left, 0);
    EXPECT_EQ(moved.bottom, 1024);
    EXPECT_EQ(KeptInside({-50, -50, 5000, 5000}, {0, 40, 1280, 1024}).top, 40);  // too large: its corner inside

    store(L"ShowTipOfTheDayOnStartup", L"0");
    store(L"MainWindowTop", L"70");
    store(L"MainWindowLeft", L"50");
    start().main().showInitially(SW_SHOWMAXIMIZED);
    ASSERT_TRUE(::IsZoomed(main().hwnd()));
    end();
    EXPECT_EQ(stored(L"MainWindowTop"), L"70");
    EXPECT_EQ(stored(L"MainWindowLeft"), L"50");
    store(L"WindowState", L"0");
    start();
    EXPECT_EQ(WindowRect(main().hwnd()).top, 70);
    EXPECT_EQ(WindowRect(main().hwnd()).left, 50);
}

TEST_F(AppTest, TheWindowStateComesBack) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    store(L"WindowState", L"1");
    start().main().showInitially(SW_SHOWNORMAL);
    EXPECT_TRUE(::IsZoomed(main().hwnd()));
    end();
    EXPECT_EQ(stored(L"WindowState"), L"1");
    store(L"WindowState", L"2");
    start().main().showInitially(SW_SHOWNORMAL);
    EXPECT_TRUE(::IsIconic(main().hwnd()));
    end();
    EXPECT_EQ(stored(L"WindowState"), L"2");
    store(L"WindowState", L"9");
    start().main().showInitially(SW_SHOWNORMAL);
    EXPECT_FALSE(::IsIconic(main().hwnd()) || ::IsZoomed(main().hwnd()));
}

TEST_F(AppTest, TheActivePageAndColumnWidthsComeBack) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    store(L"ActivePageIndex", L"7");
    store(L"Column2Width", L"80");
    start();
    EXPECT_EQ(main().PageControlMain.activeIndex(), PageIndexSearchOnTheInternet);
    EXPECT_FALSE(main().BitBtnSearch.enabled());  // the page-change rule has run
    EXPECT_EQ(main().ListViewResults.columnWidth(2), 80);
    main().ListViewResults.setColumnWidth(0, 201);
    main().PageControlMain.changePage(PageIndexSize);
    end();
    EXPECT_EQ(stored(L"ActivePageIndex"), L"3");
    EXPECT_EQ(stored(L"Column0Width"), L"201");
    EXPECT_EQ(stored(L"Column2Width"), L"80");
    store(L"ActivePageIndex", L"12");  // names no page
    start();
    EXPECT_EQ(main().PageControlMain.activeIndex(), PageIndexCommon);
    EXPECT_TRUE(main().BitBtnSearch.enabled());
}

TEST_F(AppTest, RememberSettingsAreReadFromTheStoreAtTheEnd) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    store(L"RememberWindowSize", L"0");
    store(L"RememberWindowPosition", L"0");
    store(L"MainWindowTop", L"40");
    store(L"MainWindowLeft", L"30");
    start();
    EXPECT_TRUE(Centred(WindowRect(main().hwnd())));
    end();
    EXPECT_EQ(stored(L"MainWindowTop"), L"40");
    EXPECT_EQ(stored(L"MainWindowWidth"), L"(missing)");
}

TEST_F(AppTest, EndingDuringASearchStopsTheWorkerBeforeAnySettingIsWritten) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    std::atomic<bool> workerEnded{false};
    start([&](SearchRequest, std::shared_ptr<RunChannel> channel) {
        return win::WorkerThread([&workerEnded, channel] {
            while (!channel->control.stopRequested()) ::Sleep(5);
            ::Sleep(200);  // a worker slow to let go
            workerEnded = true;
        });
    });
    main().Criteria.Common.CheckBoxLookIn.setChecked(false);
    main().BitBtnSearch.click();
    ASSERT_EQ(main().searchState(), SearchState::Running);
    int writesBeforeTheEnd = 0;
    settings.beforeWrite = [&](std::wstring_view, std::wstring_view) {
        if (!workerEnded) ++writesBeforeTheEnd;
        return true;
    };
    end();
    EXPECT_TRUE(workerEnded);
    EXPECT_EQ(writesBeforeTheEnd, 0);
    EXPECT_EQ(stored(L"ShowTipOfTheDayOnStartup"), L"0");
}

TEST_F(AppTest, AStoreThatCannotBeWrittenLosesNothingElse) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    settings.beforeWrite = [](std::wstring_view, std::wstring_view) { return false; };
    start();
    main().BitBtnSearch.click();
    end();
    EXPECT_EQ(stored(L"ActivePageIndex"), L"(missing)");
}

TEST_F(AppTest, RecentListsAreLoadedPushedBySearchesAndSaved) {
    store(L"ShowTipOfTheDayOnStartup", L"0");
    settings.set(kRecentMasks, L"MRUList", L"ba");
    settings.set(kRecentMasks, L"a", L"*.txt");
    settings.set(kRecentMasks, L"b", L"*.doc");
    start();
    auto& mask = main().Criteria.Common.ComboBoxExAllOrPartOfTheFileName;
    EXPECT_EQ(mask.items(), (std::vector<std::wstring>{L"*.doc", L"*.txt"}));
    EXPECT_EQ(mask.text(), L"");  // the edit field is left alone
    auto& text = main().Criteria.ContainingText;
    text.CheckBoxContainingTextSpecifyText.setChecked(true);
    text.ComboBoxContainingText0.setText(L"\u65e5\u672c");
    text.AdditionalText[1].CheckBoxAdditionalText.setChecked(true);
    text.AdditionalText[1].ComboBoxText.setText(L"hay");
    mask.setText(L"*.txt");
    main().Criteria.Common.CheckBoxLookIn.setChecked(false);
    main().BitBtnSearch.click();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return main().searchState() == SearchState::Idle; }));
    EXPECT_EQ(mask.items(), (std::vector<std::wstring>{L"*.txt", L"*.doc"}));
    EXPECT_EQ(mask.text(), L"*.txt");
    EXPECT_EQ(text.ComboBoxContainingText0.items(), std::vector<std::wstring>{L"\u65e5\u672c"});
    EXPECT_TRUE(text.AdditionalText[0].ComboBoxText.items().empty());  // its row is off
    EXPECT_EQ(text.AdditionalText[1].ComboBoxText.items(), std::vector<std::wstring>{L"hay"});
    end();
    EXPECT_EQ(*settings.find(kRecentMasks, L"MRUList"), L"ab");
    EXPECT_EQ(*settings.find(kRecentMasks, L"a"), L"*.txt");
    EXPECT_EQ(*settings.find(kRecentTexts[2], L"a"), L"hay");
    EXPECT_EQ(*settings.find(kRecentTexts[1], L"MRUList"), L"");
    start();  // the next start shows the phrase as it was typed
    EXPECT_EQ(main().Criteria.ContainingText.ComboBoxContainingText0.items(), std::vector<std::wstring>{L"\u65e5\u672c"});
    end();
}

// A second copy ends at once and writes nothing, so the running copy's choices survive.
TEST_F(AppTest, ACopyThatEndsAtOnceWritesNothing) {
    store(L"ShowTipOfTheDayOnStartup", L"1");
    app = std::make_unique<Application>(
        MainWindowServices{interaction, settings, gate.launcher(), L"Findlark test instance event"});
    auto second = std::make_unique<Application>(
        MainWindowServices{interaction, settings, gate.launcher(), L"Findlark test instance event"});
    second->main().showInitially(SW_SHOWNORMAL);
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the end is requested
    EXPECT_TRUE(interaction.dialogs.empty());  // no tip waits for input
    settings.values.clear();
    second.reset();
    EXPECT_TRUE(settings.values.empty());
}
