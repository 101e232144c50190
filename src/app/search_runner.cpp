#include "app/search_runner.h"

#include "search/mask_matcher.h"
#include "search/text_regex.h"

namespace findlark {
namespace {

// A drain appends rows in steps until the queue is empty or its time is up; the rest follow on the
// next message, so other messages get their turn every few milliseconds.
constexpr std::size_t kRowsPerDrainStep = 2048;
constexpr std::chrono::milliseconds kDrainBudget{4};
// Also the pace of the progress panel, which changes at most ten times a second.
constexpr UINT kDrainTimerInterval = 100;
constexpr std::chrono::milliseconds kProgressInterval{100};

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (const char* c = text; *c; ++c) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    return wide;
}

}  // namespace

SearchRunner::SearchRunner(RunControls controls, SearchSession& session, ResultsList& results, const LookInTable& lookIn,
                           SearchSummary& summary, win::Interaction& interaction, std::function<void()> beforeStart)
    : controls_(controls),
      session_(session),
      results_(results),
      lookIn_(lookIn),
      summary_(summary),
      interaction_(interaction),
      beforeStart_(std::move(beforeStart)) {}

void SearchRunner::searchOrStop() {
    setPauseCaptions(L"&Pause");
    if (session_.state() == SearchState::Idle) {
        start();
    } else {
        stop();
    }
}

bool SearchRunner::validateCriteria() {
    const MaskCheck maskCheck = [](const std::wstring& mask) -> std::optional<std::wstring> {
        try {
            CompiledMask(mask, true);
            return std::nullopt;
        } catch (const EMaskException& error) {
            return error.message();
        }
    };
    CriteriaPages& criteria = controls_.criteria;
    const std::optional<CriteriaFault> fault = FindCriteriaFault(criteria.read(), maskCheck, RegexFault);
    if (!fault) return true;
    // The page first, then the focus, then the box.
    ShowCriteriaPage(controls_.criteriaPages, fault->page, &criteria.DateTime.PageControlDateTime, fault->subPage);
    focusFault(fault->focus);
    const HWND owner = controls_.form.hwnd();
    if (fault->error) {
        interaction_.messageBox(owner, fault->message, L"Findlark 1.0", MB_OK | MB_ICONERROR);
    } else {
        interaction_.messageBox(owner, fault->message, L"Warning", MB_OK | MB_ICONWARNING);
    }
    return false;
}

void SearchRunner::focusFault(FaultFocus focus) {
    CriteriaPages& criteria = controls_.criteria;
    auto& text = criteria.ContainingText;
    win::Control* const targets[] = {nullptr,
                                     &criteria.Common.ComboBoxExAllOrPartOfTheFileName,
                                     &criteria.Common.ComboBoxExLookIn,
                                     &criteria.AdditionalFolders.ButtonAdd,
                                     &criteria.Size.AtLeast.EditSize,
                                     &criteria.Size.AtMost.EditSize,
                                     &text.ComboBoxContainingText0,
                                     &text.AdditionalText[0].ComboBoxText,
                                     &text.AdditionalText[1].ComboBoxText,
                                     &text.AdditionalText[2].ComboBoxText,
                                     &criteria.Advanced.ComboBoxSkipFolders};
    if (win::Control* target = targets[static_cast<int>(focus)]) target->focus();
}

void SearchRunner::start() {
    if (!validateCriteria()) return;
    if (beforeStart_) beforeStart_();
    SearchRequest request{controls_.criteria.read(), lookIn_.driveLetters()};
    request.searchOnlineOnlyText = options_ && options_->searchOnlineOnlyText();
    results_.clear();
    if (onStarting) onStarting(request);
    controls_.status.setPanelText(1, L"");
    // The summary's layout takes a while; done before the worker competes for the processor.
    summary_.show();
    try {
        session_.start(std::move(request));
    } catch (const std::exception& error) {
        controls_.summaryPanel.setVisible(false);
        showFinishedState({});
        interaction_.messageBox(controls_.form.hwnd(), L"The search could not start: " + Widen(error.what()),
                                L"Findlark 1.0", MB_OK | MB_ICONERROR);
        return;
    }
    setRunningState(true);
    showStatus(SearchStatus::Searching);
    controls_.search.setText(L"&Stop");
    controls_.searchItem.setCaption(L"&Stop");
    controls_.pause.setEnabled(true);
    controls_.pauseItem.setEnabled(true);
}

// The list keeps every row found up to the click, those still on their way included.
void SearchRunner::stop() {
    const RunProgress last = session_.progress();
    results_.append(session_.stop().slices);
    showFinishedState(last);
}

void SearchRunner::pauseOrResume() {
    if (session_.state() == SearchState::Idle) return;
    if (session_.pauseState() == PauseState::Running) {
        session_.pause();
        setPauseCaptions(L"&Resume");
        showStatus(SearchStatus::Paused);
    } else {
        session_.resume();
        setPauseCaptions(L"&Pause");
        showStatus(SearchStatus::Searching);
    }
}

void SearchRunner::drain() {
    if (session_.state() == SearchState::Idle) return;  // a stopped run's rows never reach the list
    const auto deadline = std::chrono::steady_clock::now() + kDrainBudget;
    RunEvents::Taken taken;
    do {
        taken = session_.drain(kRowsPerDrainStep);
        results_.append(taken.slices);
    } while (!taken.ended && taken.rowCount() == kRowsPerDrainStep && std::chrono::steady_clock::now() < deadline);
    // The walk has ended by itself, normally or by an error: the window returns to the finished
    // state either way, so a failure never looks like a search still in progress.
    if (taken.ended) {
        showFinishedState(taken.progress, taken.failed);
    } else if (const auto now = std::chrono::steady_clock::now(); now - progressShownAt_ >= kProgressInterval) {
        progressShownAt_ = now;
        controls_.status.setPanelPathText(1, ProgressText(taken.progress));
    }
}

// The window after a run, whether it ended by itself or was stopped; the status counts the rows
// listed at this moment, and the folders that could not be read so far.
void SearchRunner::showFinishedState(const RunProgress& last, bool failed) {
    controls_.status.setPanelText(1, AfterRunText(last, failed));
    results_.publish();
    controls_.search.setText(L"&Search");
    controls_.searchItem.setCaption(L"&Search");
    setPauseCaptions(L"&Pause");
    controls_.pause.setEnabled(false);
    controls_.pauseItem.setEnabled(false);
    setRunningState(false);
    showStatus(SearchStatus::Finished);
}

void SearchRunner::showStatus(SearchStatus status) {
    switch (status) {
    case SearchStatus::Searching:
        controls_.status.setPanelText(0, L"Searching ...");
        break;
    case SearchStatus::Finished:
        lastFound_ = results_.rows().rowCount();
        showCounts();
        break;
    case SearchStatus::Paused:
        controls_.status.setPanelText(0, L"Paused ...");
        break;
    }
}

void SearchRunner::showCounts() {
    if (session_.state() != SearchState::Idle) return;
    const int kept = results_.rows().keptCount();
    if (results_.filtered()) {
        controls_.status.setPanelText(0, std::to_wstring(results_.count()) + L" of " + std::to_wstring(kept) + L" items shown");
        return;
    }
    controls_.status.setPanelText(0, L"Finished. " + std::to_wstring(lastFound_) + L" items found" +
                                         (kept != lastFound_ ? L", " + std::to_wstring(kept) + L" listed." : L"."));
}

// While a run is under way the summary takes the place of the criteria pages, and the menus that
// would change the criteria or the results are out of reach.
void SearchRunner::setRunningState(bool running) {
    // Focus inside the pages would stay in a hidden window; on the list, Enter does not stop the run.
    if (running && controls_.criteriaPages.contains(::GetFocus())) controls_.list.focus();
    controls_.criteriaPages.setEnabled(!running);
    controls_.criteriaPages.setVisible(!running);
    controls_.summaryPanel.setVisible(running);
    for (win::MenuItem* item : controls_.lockedItems) item->setEnabled(!running);
    const HWND window = controls_.form.hwnd();
    ::DrawMenuBar(window);
    if (running) {
        ::SetTimer(window, kDrainTimer, kDrainTimerInterval, nullptr);
    } else {
        ::KillTimer(window, kDrainTimer);
    }
}

void SearchRunner::setPauseCaptions(std::wstring_view caption) {
    controls_.pause.setText(caption);
    controls_.pauseItem.setCaption(caption);
}

}  // namespace findlark
