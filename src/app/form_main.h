#pragma once
// The main window: criteria pages above, results below, run control at the right.
#include "criteria/criteria_pages.h"
#include "criteria/look_in_table.h"
#include "criteria/validation.h"
#include "results/results_list.h"
#include "search/search_session.h"
#include "web/page_internet.h"
#include "win/controls.h"
#include "win/form.h"
#include "win/interaction.h"
#include "win/list_view.h"
#include "win/menu.h"

#include <atomic>

namespace findlark {

// Posted on behalf of a search worker when it has rows or its end for the window.
inline constexpr UINT kRunEventsMessage = WM_APP + 1;
// While a run is under way this timer drains too, so a lost wake-up never leaves the window waiting.
inline constexpr UINT_PTR kDrainTimer = 1;

// The texts of the status bar's first part.
enum class SearchStatus { Searching, Finished, Paused };

class TFormMain : public win::Form {
public:
    // `launcher` starts each run's worker; tests put their own in its place.
    explicit TFormMain(win::Interaction& interaction, RunLauncher launcher = WorkerLauncher());
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
    void ShowSearchStatus(SearchStatus status);
    bool ValidateCriteria();
    // The Search button's state: a run is under way or not.
    SearchState searchState() const { return session_.state(); }
    // The Pause button's state.
    PauseState pauseState() const { return session_.pauseState(); }
    SearchSession& session() { return session_; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HMENU buildMenus();
    void createControls();
    void Exit1Click();
    void StartSearch();
    void StopSearch();
    void DrainRunEvents();
    void ShowFinishedState();
    void setRunningState(bool running);
    void setPauseCaptions(std::wstring_view caption);
    void focusFault(FaultFocus focus);

    win::Interaction& interaction_;
    std::atomic<HWND> wakeTarget_{nullptr};  // where workers ask for a drain; cleared before the window goes
    SearchSession session_;
    win::UniqueImageList imageListMenu_;
    HWND focusBeforeDeactivation_ = nullptr;
};

}  // namespace findlark
