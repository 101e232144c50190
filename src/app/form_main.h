#pragma once
// The main window: criteria pages above, results below, run control at the right.
#include "criteria/criteria_pages.h"
#include "results/results_list.h"
#include "search/search_worker.h"
#include "search/look_in_table.h"
#include "web/page_internet.h"
#include "win/controls.h"
#include "win/form.h"
#include "win/interaction.h"
#include "win/list_view.h"
#include "win/menu.h"

#include <optional>
#include <vector>

namespace findlark {

// Posted by a search worker when it has events for the window.
inline constexpr UINT kRunEventsMessage = WM_APP + 1;

class TFormMain : public win::Form {
public:
    explicit TFormMain(win::Interaction& interaction);
    ~TFormMain() override;

    bool preTranslateMessage(MSG& message) override;

    // Menus, by their designer names.
    win::MenuItem File1, Search1, Pause1, Open1, Save1, Exit1;
    win::MenuItem Actions1, SelectAll1, DeleteAll1, Copyselectedto1, Moveselectedto1, Exportresults1;
    win::MenuItem SortResultsby1, Name1, Destination1, Size1, DateModified1;
    win::MenuItem Options1, Castomize1;
    win::MenuItem Help1, FindlarkHelp1, Usinghelp1, Contents1, SearchOptions1;
    win::MenuItem HelpCommon1, HelpAdditionalFolders1, HelpDateAndTime1, HelpSize1, HelpAttributes1,
        HelpContainingText1, HelpAdvanced1, HelpSearchOnTheInternet1, HelpUsingWildcardCharacters1;
    win::MenuItem ipoftheday1, FindlarkontheWeb1, ContactingNorvaleSoftware1, About1;

    win::PageControl PageControlMain;
    CriteriaPages Criteria;
    PageInternet Internet;

    win::PageControl PageControlSearchInformation;
    win::GroupBox GroupBoxSearchInformation;
    win::Label LabelNowSearchingFor;
    win::RichEdit RichEditSearchInformation;

    win::Button BitBtnSearch;
    win::Button BitBtnPause;
    win::Button BitBtnHelp;
    win::VirtualListView ListViewResults;
    win::StatusBar StatusBar;

    LookInTable LookIn;
    ResultsList Results;

    void BitBtnSearchClick();
    void BitBtnPauseClick();
    void PageControlMainChange();
    void FormKeyDown(WPARAM key);
    void ShowSearchStatus(int kind);
    // 1 while a run is under way (the Search button's Tag), 0 otherwise.
    int searchState() const { return searchState_; }
    // 1 while the run is paused (the Pause button's Tag), 0 otherwise.
    int pauseState() const { return pauseState_; }
    // Waits until every worker that no longer belongs to a running search has ended.
    bool waitForStoppedWorkers(DWORD milliseconds);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // A worker and the channel it reports through; the channel lives as long as either side needs it.
    struct SearchRun {
        std::shared_ptr<RunChannel> channel;
        win::WorkerThread worker;
    };

    HMENU buildMenus();
    void createControls();
    void Exit1Click();
    void StartSearch();
    void StopSearch();
    void DrainRunEvents();
    void EndOfRun();
    void ShowFinishedState();
    void setCriteriaEditable(bool editable);
    void setPauseCaptions(std::wstring_view caption);
    void stopAllWorkers();

    win::Interaction& interaction_;
    int searchState_ = 0;
    int pauseState_ = 0;
    std::optional<SearchRun> run_;         // the run the window shows
    std::vector<SearchRun> finishedRuns_;  // stopped or ended workers, waited for at the end
    win::UniqueImageList imageListMenu_;
    HWND focusBeforeDeactivation_ = nullptr;
};

}  // namespace findlark
