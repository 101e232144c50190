#pragma once
// Run control of the main window: starting, stopping, pausing and resuming a search, draining its
// rows into the list, and the window's states meanwhile. The run itself lives in the window-free
// SearchSession; this class works the controls it is given.
#include "app/criteria_files.h"
#include "criteria/criteria_pages.h"
#include "criteria/look_in_table.h"
#include "criteria/validation.h"
#include "results/results_list.h"
#include "search/search_session.h"
#include "settings/form_options.h"
#include "win/controls.h"
#include "win/form.h"
#include "win/interaction.h"
#include "win/list_view.h"
#include "win/menu.h"

#include <chrono>
#include <functional>

namespace findlark {

// While a run is under way this timer drains too, so a lost wake-up never leaves the window waiting.
inline constexpr UINT_PTR kDrainTimer = 1;

// The texts of the status bar's first part.
enum class SearchStatus { Searching, Finished, Paused };

// The controls a run changes.
struct RunControls {
    win::Form& form;
    CriteriaPages& criteria;
    win::PageControl& criteriaPages;
    win::PageControl& summaryPanel;
    win::Button& search;
    win::Button& pause;
    win::MenuItem& searchItem;
    win::MenuItem& pauseItem;
    // Out of reach while a run is under way: Actions, Options, Load and Save.
    std::array<win::MenuItem*, 4> lockedItems;
    win::VirtualListView& list;
    win::StatusBar& status;
};

class SearchRunner {
public:
    // `beforeStart` runs once the criteria are valid and before the run starts (the recent lists).
    SearchRunner(RunControls controls, SearchSession& session, ResultsList& results, const LookInTable& lookIn,
                 SearchSummary& summary, win::Interaction& interaction, std::function<void()> beforeStart);

    // The preferences that runs follow from now on.
    void connect(const TFormOptions& options) { options_ = &options; }
    // A run has its criteria and its rows are about to come.
    std::function<void(const SearchRequest& request)> onStarting;
    // The Search button: starts a run when none is under way, otherwise stops it.
    void searchOrStop();
    // The Pause button: pauses a run, or resumes a paused one.
    void pauseOrResume();
    // Checks the criteria; on a fault shows its page, focuses its box and says what is wrong.
    bool validateCriteria();
    // Takes the rows the worker handed on, within a time budget, and shows the progress.
    void drain();
    void showStatus(SearchStatus status);
    // After a run, or after rows left the list (deleted, moved away) or the filter changed: the
    // count found and the rows still listed, or how many of them the filter shows.
    void showCounts();

private:
    void start();
    void stop();
    // The window after a run, whether it ended by itself (`failed` when an error ended it) or was
    // stopped.
    void showFinishedState(const RunProgress& last, bool failed = false);
    void setRunningState(bool running);
    void setPauseCaptions(std::wstring_view caption);
    void focusFault(FaultFocus focus);

    RunControls controls_;
    int lastFound_ = 0;  // the items the last run found
    SearchSession& session_;
    ResultsList& results_;
    const LookInTable& lookIn_;
    SearchSummary& summary_;
    win::Interaction& interaction_;
    std::function<void()> beforeStart_;
    const TFormOptions* options_ = nullptr;
    std::chrono::steady_clock::time_point progressShownAt_;
};

}  // namespace findlark
