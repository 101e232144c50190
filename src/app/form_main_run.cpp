// Run control of the main window: start, stop, pause and resume a search, and the window's
// states while one is under way. The run itself lives in the window-free SearchSession.
#include "app/form_main.h"

#include "search/mask_matcher.h"

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

void TFormMain::BitBtnSearchClick() {
    setPauseCaptions(L"&Pause");
    if (searchState() == SearchState::Idle) {
        StartSearch();
    } else {
        StopSearch();
    }
}

bool TFormMain::ValidateCriteria() {
    const MaskCheck maskCheck = [](const std::wstring& mask) -> std::optional<std::wstring> {
        try {
            CompiledMask(mask, true);
            return std::nullopt;
        } catch (const EMaskException& error) {
            return error.message();
        }
    };
    const std::optional<CriteriaFault> fault = FindCriteriaFault(Criteria.read(), maskCheck);
    if (!fault) return true;
    // The page first, then the focus, then the box.
    ShowCriteriaPage(PageControlMain, fault->page, &Criteria.DateTime.PageControlDateTime, fault->subPage);
    focusFault(fault->focus);
    if (fault->error) {
        interaction_.messageBox(hwnd(), fault->message, L"Findlark 1.0", MB_OK | MB_ICONERROR);
    } else {
        interaction_.messageBox(hwnd(), fault->message, L"Warning", MB_OK | MB_ICONWARNING);
    }
    return false;
}

void TFormMain::focusFault(FaultFocus focus) {
    auto& text = Criteria.ContainingText;
    win::Control* const targets[] = {nullptr,
                                     &Criteria.Common.ComboBoxExAllOrPartOfTheFileName,
                                     &Criteria.Common.ComboBoxExLookIn,
                                     &Criteria.AdditionalFolders.ButtonAdd,
                                     &Criteria.Size.AtLeast.EditSize,
                                     &Criteria.Size.AtMost.EditSize,
                                     &text.ComboBoxContainingText0,
                                     &text.AdditionalText[0].ComboBoxText,
                                     &text.AdditionalText[1].ComboBoxText,
                                     &text.AdditionalText[2].ComboBoxText};
    if (win::Control* target = targets[static_cast<int>(focus)]) target->focus();
}

void TFormMain::StartSearch() {
    if (!ValidateCriteria()) return;
    pushUsedTexts();
    SearchRequest request{Criteria.read(), LookIn.driveLetters()};
    Results.clear();
    StatusBar.setPanelText(1, L"");
    // The summary's layout takes a while; done before the worker competes for the processor.
    ShowSearchSummary();
    try {
        session_.start(std::move(request));
    } catch (const std::exception& error) {
        PageControlSearchInformation.setVisible(false);
        ShowFinishedState({});
        interaction_.messageBox(hwnd(), L"The search could not start: " + Widen(error.what()), L"Findlark 1.0",
                                MB_OK | MB_ICONERROR);
        return;
    }
    setRunningState(true);
    ShowSearchStatus(SearchStatus::Searching);
    BitBtnSearch.setText(L"&Stop");
    Search1.setCaption(L"&Stop");
    BitBtnPause.setEnabled(true);
    Pause1.setEnabled(true);
}

void TFormMain::StopSearch() {
    const RunProgress last = session_.progress();
    session_.stop();
    ShowFinishedState(last);
}

void TFormMain::BitBtnPauseClick() {
    if (searchState() == SearchState::Idle) return;
    if (pauseState() == PauseState::Running) {
        session_.pause();
        setPauseCaptions(L"&Resume");
        ShowSearchStatus(SearchStatus::Paused);
    } else {
        session_.resume();
        setPauseCaptions(L"&Pause");
        ShowSearchStatus(SearchStatus::Searching);
    }
}

void TFormMain::DrainRunEvents() {
    if (searchState() == SearchState::Idle) return;  // a stopped run's rows never reach the list
    const auto deadline = std::chrono::steady_clock::now() + kDrainBudget;
    RunEvents::Taken taken;
    do {
        taken = session_.drain(kRowsPerDrainStep);
        Results.append(taken.slices);
    } while (!taken.ended && taken.rowCount() == kRowsPerDrainStep && std::chrono::steady_clock::now() < deadline);
    // The walk has ended by itself, normally or by an error: the window returns to the finished
    // state either way, so a failure never looks like a search still in progress.
    if (taken.ended) {
        ShowFinishedState(taken.progress);
    } else if (const auto now = std::chrono::steady_clock::now(); now - progressShownAt_ >= kProgressInterval) {
        progressShownAt_ = now;
        StatusBar.setPanelPathText(1, ProgressText(taken.progress));
    }
}

// The window after a run, whether it ended by itself or was stopped; the status counts the rows
// listed at this moment, and the folders that could not be read so far.
void TFormMain::ShowFinishedState(const RunProgress& last) {
    StatusBar.setPanelText(1, UnreadableText(last.unreadableFolders));
    Results.publish();
    BitBtnSearch.setText(L"&Search");
    Search1.setCaption(L"&Search");
    setPauseCaptions(L"&Pause");
    BitBtnPause.setEnabled(false);
    Pause1.setEnabled(false);
    setRunningState(false);
    ShowSearchStatus(SearchStatus::Finished);
}

void TFormMain::ShowSearchStatus(SearchStatus status) {
    switch (status) {
    case SearchStatus::Searching:
        StatusBar.setPanelText(0, L"Searching ...");
        break;
    case SearchStatus::Finished:
        StatusBar.setPanelText(0, L"Finished. " + std::to_wstring(Results.count()) + L" items found.");
        break;
    case SearchStatus::Paused:
        StatusBar.setPanelText(0, L"Paused ...");
        break;
    }
}

// While a run is under way the summary takes the place of the criteria pages, and the menus that
// would change the criteria or the results are out of reach.
void TFormMain::setRunningState(bool running) {
    // Focus inside the pages would stay in a hidden window; on the list, Enter does not stop the run.
    if (running && PageControlMain.contains(::GetFocus())) ListViewResults.focus();
    PageControlMain.setEnabled(!running);
    PageControlMain.setVisible(!running);
    PageControlSearchInformation.setVisible(running);
    Actions1.setEnabled(!running);
    Options1.setEnabled(!running);
    Open1.setEnabled(!running);
    Save1.setEnabled(!running);
    ::DrawMenuBar(hwnd());
    if (running) {
        ::SetTimer(hwnd(), kDrainTimer, kDrainTimerInterval, nullptr);
    } else {
        ::KillTimer(hwnd(), kDrainTimer);
    }
}

void TFormMain::setPauseCaptions(std::wstring_view caption) {
    BitBtnPause.setText(caption);
    Pause1.setCaption(caption);
}

}  // namespace findlark
