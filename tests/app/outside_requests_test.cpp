// What reaches the main window from outside: its command line, another copy's arguments and items
// dropped on it.
#include "app/app_fixture.h"

#include "app/command_line.h"
#include "criteria/page_index.h"
#include "support/criteria_printer.h"
#include "support/temp_tree.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

using namespace findlark;
using Paths = std::vector<std::wstring>;

class OutsideRequestsTest : public AppTest {
protected:
    void SetUp() override {
        store(L"ShowTipOfTheDayOnStartup", L"0");
        start();
        tree.folder(L"one");
        tree.folder(L"two");
        tree.file(L"one\\found.txt");
        // Saved options whose mask the test recognises.
        SearchCriteria c = main().Criteria.read();
        c.Mask = L"saved*.doc";
        main().Criteria.apply(c);
        main().SaveSearchOptions(tree.path(L"saved.flk"));
        c.Mask = L"*.*";
        main().Criteria.apply(c);
    }
    SearchCriteria criteria() { return main().Criteria.read(); }
    Paths shownFolders() { return main().Criteria.AdditionalFolders.ListBoxLookInSpecifiedFolders.items(); }

    // A drop as Explorer makes it.
    void drop(const Paths& paths) {
        std::wstring names;
        for (const std::wstring& path : paths) names += path + L'\0';
        names += L'\0';
        const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
        auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
        ::GlobalUnlock(memory);
        ::SendMessageW(main().hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);  // the window lets it go
    }

    testing_support::TempTree tree;
};

TEST_F(OutsideRequestsTest, FoldersBecomeTheAdditionalFoldersAndSearchStartsTheSearch) {
    main().takeCommandLine({tree.path(L"one"), tree.path(L"two")});
    EXPECT_FALSE(criteria().LookIn);
    EXPECT_TRUE(criteria().AdditionalFolders);
    EXPECT_EQ(shownFolders(), (Paths{tree.path(L"one"), tree.path(L"two")}));
    EXPECT_EQ(main().PageControlMain.activeIndex(), PageIndexAdditionalFolders);
    EXPECT_EQ(main().Results.count(), 0);

    main().takeCommandLine({tree.path(L"one"), L"/search"});
    EXPECT_EQ(shownFolders(), Paths{tree.path(L"one")});
    ASSERT_TRUE(testing_support::PumpUntil([&] { return main().Results.count() > 0 && main().searchState() == SearchState::Idle; }));
    EXPECT_EQ(main().Results.rows().entry(0).fullPath(), tree.path(L"one\\found.txt"));
    EXPECT_TRUE(interaction.messages.empty());
}

TEST_F(OutsideRequestsTest, AnOptionsFileIsLoaded) {
    main().takeCommandLine({tree.path(L"saved.flk")});
    EXPECT_EQ(criteria().Mask, L"saved*.doc");
    EXPECT_TRUE(interaction.messages.empty());
}

TEST_F(OutsideRequestsTest, ABadArgumentIsToldAndChangesNothing) {
    const SearchCriteria before = criteria();
    tree.file(L"notes.txt");
    for (const Paths& arguments : {Paths{tree.path(L"one"), tree.path(L"missing")}, Paths{tree.path(L"notes.txt")},
                                   Paths{L"/quiet"}, Paths{tree.path(L"saved.flk"), tree.path(L"saved.flk")}}) {
        interaction.messages.clear();
        main().takeCommandLine(arguments);
        ASSERT_EQ(interaction.messages.size(), 1u);
        EXPECT_EQ(interaction.messages[0].caption, L"Findlark 1.0");
        EXPECT_EQ(criteria(), before);
    }
}

// Another copy started with arguments hands them over and the window takes them once the other
// copy has its answer.
TEST_F(OutsideRequestsTest, ArgumentsHandedOverByAnotherCopy) {
    OutsideRequests::markMainWindow(main().hwnd());
    const HWND otherCopy = ::CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_TRUE(OutsideRequests::handToRunningCopy(otherCopy, {tree.path(L"two"), tree.path(L"saved.flk")}));
    ::DestroyWindow(otherCopy);
    testing_support::PumpMessages(std::chrono::milliseconds(50));
    EXPECT_EQ(shownFolders(), Paths{tree.path(L"two")});
    EXPECT_EQ(criteria().Mask, L"saved*.doc");
    // A copy finds no other when it is the only one.
    EXPECT_FALSE(OutsideRequests::handToRunningCopy(main().hwnd(), {tree.path(L"two")}));
    OutsideRequests::unmarkMainWindow(main().hwnd());
}

// A request from outside waits while a question is open, Preferences is shown or a search runs
// (paused too), never changes a running search, and is carried out afterwards, in order. Folders
// handed over within a second of each other (a copy per folder from Explorer) join.
TEST_F(OutsideRequestsTest, RequestsFromOutsideWaitUntilTheWindowIsIdle) {
    OutsideRequests::markMainWindow(main().hwnd());
    const auto handOver = [&](const Paths& arguments) {
        const HWND otherCopy = ::CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        EXPECT_TRUE(OutsideRequests::handToRunningCopy(otherCopy, arguments));
        ::DestroyWindow(otherCopy);
        testing_support::PumpMessages(std::chrono::milliseconds(50));
    };
    interaction.messageAnswers = {IDNO};
    interaction.whileMessageShown = [&] {
        handOver({tree.path(L"one")});
        EXPECT_TRUE(shownFolders().empty());
    };
    main().runMenuCommand(main().DeleteAll1.id());
    interaction.whileMessageShown = {};
    EXPECT_TRUE(testing_support::PumpUntil([&] { return shownFolders() == Paths{tree.path(L"one")}; }));

    ::Sleep(1100);  // a new set of folders
    interaction.dialogScripts.push_back([&](win::Dialog&) {
        handOver({tree.path(L"two")});
        EXPECT_EQ(shownFolders(), Paths{tree.path(L"one")});
    });
    main().runMenuCommand(main().Castomize1.id());
    EXPECT_TRUE(testing_support::PumpUntil([&] { return shownFolders() == Paths{tree.path(L"two")}; }));

    // A run held at its start, then paused: two hand-overs wait, the first's search follows the run.
    ::Sleep(1100);
    gate.close();
    main().BitBtnSearchClick();
    main().BitBtnPauseClick();
    handOver({tree.path(L"one"), L"/search"});
    handOver({tree.path(L"two")});
    EXPECT_EQ(shownFolders(), Paths{tree.path(L"two")});
    EXPECT_EQ(main().pauseState(), PauseState::Paused);
    main().BitBtnPauseClick();
    gate.open();
    EXPECT_TRUE(testing_support::PumpUntil([&] {
        return shownFolders() == (Paths{tree.path(L"one"), tree.path(L"two")}) && main().searchState() == SearchState::Idle;
    })) << testing::PrintToString(shownFolders());
    EXPECT_EQ(main().Results.rows().entry(0).fullPath(), tree.path(L"one\\found.txt"));
    EXPECT_TRUE(interaction.messages.size() == 1u);  // only the delete question
    OutsideRequests::unmarkMainWindow(main().hwnd());
}

// Shown from the web search page, the folders' page works as if the user had switched to it.
TEST_F(OutsideRequestsTest, FoldersArrivingOnTheWebPageLeaveSearchWorking) {
    for (const bool dropped : {false, true}) {
        main().PageControlMain.changePage(PageIndexSearchOnTheInternet);
        ASSERT_FALSE(main().BitBtnSearch.enabled());
        if (dropped) {
            drop({tree.path(L"two")});
        } else {
            main().takeCommandLine({tree.path(L"one")});
        }
        EXPECT_EQ(main().PageControlMain.activeIndex(), PageIndexAdditionalFolders);
        EXPECT_TRUE(main().BitBtnSearch.enabled());
    }
}

// Arguments are made whole before they are handed over or stored: relative folders against the
// current folder of the copy that was started, a drive root as a verb's command line passes it.
TEST_F(OutsideRequestsTest, ArgumentsAreMadeWholeBeforeTheyGoAnywhere) {
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    ::SetCurrentDirectoryW(tree.root().c_str());
    EXPECT_EQ(OutsideRequests::absoluteArguments({L"one", L".", L"/search"}), (Paths{tree.path(L"one"), tree.root(), L"/search"}));
    ::SetCurrentDirectoryW(current);

    const auto argumentsOf = [](const std::wstring& commandLine) {
        int count = 0;
        LPWSTR* const words = ::CommandLineToArgvW(commandLine.c_str(), &count);
        Paths arguments(words + 1, words + count);
        ::LocalFree(words);
        return OutsideRequests::absoluteArguments(arguments);
    };
    EXPECT_EQ(argumentsOf(LR"("C:\f\findlark.exe" "C:\")"), Paths{L"C:\\"});  // quoted: the backslash escaped the quote
    EXPECT_EQ(argumentsOf(LR"("C:\f\findlark.exe" C:\)"), Paths{L"C:\\"});    // as the drive verb passes it now
    main().takeCommandLine(argumentsOf(LR"("C:\f\findlark.exe" "T:\")"));
    EXPECT_EQ(shownFolders(), Paths{L"T:\\"});
    EXPECT_TRUE(interaction.messages.empty());
}

TEST_F(OutsideRequestsTest, DroppedFoldersJoinTheAdditionalFoldersAndAnOptionsFileLoads) {
    main().takeCommandLine({tree.path(L"one")});
    drop({tree.path(L"two"), tree.path(L"one")});
    EXPECT_EQ(shownFolders(), (Paths{tree.path(L"one"), tree.path(L"two")}));  // no folder twice
    EXPECT_EQ(main().PageControlMain.activeIndex(), PageIndexAdditionalFolders);
    drop({tree.path(L"saved.flk")});
    EXPECT_EQ(criteria().Mask, L"saved*.doc");
    tree.file(L"picture.png");
    drop({tree.path(L"picture.png")});
    EXPECT_EQ(interaction.messages.size(), 1u);
}
