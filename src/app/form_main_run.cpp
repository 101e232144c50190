// Run control of the main window: start, stop, pause and resume a search, and the window's
// states while one is under way.
#include "app/form_main.h"

namespace findlark {

void TFormMain::BitBtnSearchClick() {
    pauseState_ = 0;
    setPauseCaptions(L"&Pause");
    if (searchState_ == 0) {
        StartSearch();
    } else {
        StopSearch();
    }
}

void TFormMain::StartSearch() {
    const SearchCriteria criteria = Criteria.read();
    searchState_ = 1;

    Results.clear();
    setCriteriaEditable(false);
    ShowSearchStatus(1);

    const HWND window = hwnd();
    auto channel = std::make_shared<RunChannel>([window] { ::PostMessageW(window, kRunEventsMessage, 0, 0); });
    // Workers that ended since the last run need no more waiting for.
    std::erase_if(finishedRuns_, [](const SearchRun& run) { return run.worker.finished(); });
    run_.emplace(SearchRun{channel, StartSearchWorker(criteria, LookIn.entries, channel)});

    PageControlSearchInformation.setVisible(true);
    ::SetWindowPos(PageControlSearchInformation.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    BitBtnSearch.setText(L"&Stop");
    Search1.setCaption(L"&Stop");
    BitBtnPause.setEnabled(true);
    Pause1.setEnabled(true);
}

void TFormMain::StopSearch() {
    if (run_) {
        run_->channel->control.requestStop();  // also releases a paused worker
        finishedRuns_.push_back(std::move(*run_));
        run_.reset();
    }
    ShowFinishedState();
}

void TFormMain::BitBtnPauseClick() {
    if (!run_) return;
    if (pauseState_ == 0) {
        pauseState_ = 1;
        run_->channel->control.requestPause();
        setPauseCaptions(L"&Resume");
        ShowSearchStatus(3);
    } else {
        run_->channel->control.resume();
        pauseState_ = 0;
        setPauseCaptions(L"&Pause");
        ShowSearchStatus(1);
    }
}

void TFormMain::DrainRunEvents() {
    if (!run_) return;  // a stopped run's rows never reach the list
    for (RunEvent& event : run_->channel->events.drain()) {
        if (event.kind == RunEvent::Kind::Rows) {
            Results.append(std::move(event.rows));
        } else {
            EndOfRun();
            return;
        }
    }
}

// The walk has ended by itself, normally or by an error: the window returns to the finished state
// either way, so a failure never looks like a search still in progress.
void TFormMain::EndOfRun() {
    finishedRuns_.push_back(std::move(*run_));
    run_.reset();
    ShowFinishedState();
}

// The window after a run, whether it ended by itself or was stopped; the status counts the rows
// listed at this moment.
void TFormMain::ShowFinishedState() {
    searchState_ = 0;
    pauseState_ = 0;
    BitBtnSearch.setText(L"&Search");
    Search1.setCaption(L"&Search");
    setPauseCaptions(L"&Pause");
    BitBtnPause.setEnabled(false);
    Pause1.setEnabled(false);
    setCriteriaEditable(true);
    PageControlSearchInformation.setVisible(false);
    ShowSearchStatus(2);
}

void TFormMain::ShowSearchStatus(int kind) {
    switch (kind) {
    case 1:
        StatusBar.setPanelText(0, L"Searching ...");
        break;
    case 2:
        StatusBar.setPanelText(0, L"Finished. " + std::to_wstring(ListViewResults.rowCount()) + L" items found.");
        break;
    case 3:
        StatusBar.setPanelText(0, L"Paused ...");
        break;
    default:
        break;
    }
}

void TFormMain::setCriteriaEditable(bool editable) {
    PageControlMain.setEnabled(editable);
    Actions1.setEnabled(editable);
    Options1.setEnabled(editable);
    Open1.setEnabled(editable);
    Save1.setEnabled(editable);
    ::DrawMenuBar(hwnd());
}

void TFormMain::setPauseCaptions(std::wstring_view caption) {
    BitBtnPause.setText(caption);
    Pause1.setCaption(caption);
}

// Ends every worker within a bounded time; a worker still inside one directory call after that is
// left to end by itself (it owns everything it touches).
void TFormMain::stopAllWorkers() {
    if (run_) {
        finishedRuns_.push_back(std::move(*run_));
        run_.reset();
    }
    for (SearchRun& run : finishedRuns_) run.channel->control.requestStop();
    waitForStoppedWorkers(1000);
    finishedRuns_.clear();
}

bool TFormMain::waitForStoppedWorkers(DWORD milliseconds) {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    for (const SearchRun& run : finishedRuns_) {
        const ULONGLONG now = ::GetTickCount64();
        if (!run.worker.waitFor(now < deadline ? static_cast<DWORD>(deadline - now) : 0)) return false;
    }
    return true;
}

}  // namespace findlark
