// The main window's life: what it restores when it is made, what it does on its first activation,
// and what it writes when it goes.
#include "app/form_main.h"

#include "app/window_placement.h"

#include "criteria/tab_marks.h"
#include "settings/preference_keys.h"
#include "settings/recent_box.h"
#include "win/clipboard.h"

namespace findlark {
namespace {

std::wstring ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace

std::vector<std::pair<win::ComboBox*, const wchar_t*>> TFormMain::recentBoxes() {
    auto& text = Criteria.ContainingText;
    return {{&Criteria.Common.ComboBoxExAllOrPartOfTheFileName, kRecentMasks},
            {&text.ComboBoxContainingText0, kRecentTexts[0]},
            {&text.AdditionalText[0].ComboBoxText, kRecentTexts[1]},
            {&text.AdditionalText[1].ComboBoxText, kRecentTexts[2]},
            {&text.AdditionalText[2].ComboBoxText, kRecentTexts[3]},
            {&Internet.ComboBoxSearchOnTheInternetWhatAreYouLookingFor, kRecentWebPhrases},
            {&Criteria.Advanced.ComboBoxSkipFolders, kRecentSkipFolders}};
}

void TFormMain::FormCreate() {
    // 1. Another copy running: end as soon as the message loop runs, without a word.
    if (instanceEventName_ && *instanceEventName_) {
        instanceEvent_ = OpenInstanceEvent(instanceEventName_);
        if (!instanceEvent_.first) {
            endRequested_ = true;
            Exit1Click();
        } else {
            OutsideRequests::markMainWindow(hwnd());
        }
    }
    win::AcceptDroppedFiles(hwnd());
    // 2-5. Results, help file, look-in list and pickers.
    help_.setHelpFile(ExecutableFolder() + L"Help.chm");
    if (automaticOptionsFile_.empty()) automaticOptionsFile_ = ExecutableFolder() + L"SearchOptions.ini";
    LookIn = BuildLookInTable();
    createControls();
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    Criteria.setPickers(now);
    layoutControls();
    // 6. Recent lists.
    for (const auto& [box, section] : recentBoxes()) LoadRecentList(settings_, section, *box);

    // 9-10. Placement: the size from the crossed keys, never below the minimum; the position, unless
    // it was never stored or lies on no monitor any more, else centred on the desktop. A position
    // partly off its monitor's work area moves inside, so the title bar can always be reached.
    RECT frame{};
    ::GetWindowRect(hwnd(), &frame);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (settings_.read(setting::RememberWindowSize)) {
        height = std::max(settings_.read(setting::MainWindowWidth), scale(kMinimumWindow.cy));
        width = std::max(settings_.read(setting::MainWindowHeight), scale(kMinimumWindow.cx));
    }
    ::SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    centerOn(nullptr);
    if (settings_.read(setting::RememberWindowPosition)) {
        const int top = settings_.read(setting::MainWindowTop), left = settings_.read(setting::MainWindowLeft);
        const RECT stored{left, top, left + width, top + height};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (top != kPositionUnset && left != kPositionUnset &&
            ::GetMonitorInfoW(::MonitorFromRect(&stored, MONITOR_DEFAULTTONULL), &monitor)) {
            const RECT placed = KeptInside(stored, monitor.rcWork);
            ::SetWindowPos(hwnd(), nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    // 11. State.
    const int state = settings_.read(setting::WindowState);
    initialShow_ = state == StoredMaximized ? SW_SHOWMAXIMIZED : state == StoredMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    // 12. Active page; a stored index that names no page opens "Common".
    const int page = settings_.read(setting::ActivePageIndex);
    PageControlMain.setActiveIndex(page >= 0 && page < PageControlMain.count() ? page : PageIndexCommon);
    PageControlMainChange();
    // 13. The columns shown, their order and widths.
    static_assert(std::size(setting::ColumnWidth) == kColumnCount);
    std::array<int, kColumnCount> widths{};
    for (int column = 0; column < kColumnCount; ++column)
        widths[static_cast<std::size_t>(column)] = settings_.read(setting::ColumnWidth[column]);
    Results.setColumns(ParseShownColumns(settings_.read(setting::ResultColumns)), widths);
    // The preview pane, below the list.
    preview_.setHeight(settings_.read(setting::PreviewPaneHeight));
    preview_.setContextLines(settings_.read(setting::PreviewContextLines));
    ShowPreviewPane1.setChecked(settings_.read(setting::ShowPreviewPane));
    preview_.setShown(ShowPreviewPane1.checked());
    // 14. The criteria of the last run.
    if (settings_.read(setting::RememberSearchOptions)) LoadSearchOptions(automaticOptionsFile_, true);
    // The tip's option starts as stored, so a copy that ends before its first activation (another
    // copy runs) writes back what it found instead of turning the tips off.
    tip_.setShowOnStartup(settings_.read(setting::ShowTipOfTheDayOnStartup));
}

void TFormMain::showInitially(int showCommand) {
    ::ShowWindow(hwnd(), initialShow_ == SW_SHOWNORMAL ? showCommand : initialShow_);
}

void TFormMain::connect(TFormOptions& options, TFormConfirm& confirm, TFormProgress& progress, TFormAbout& about) {
    options_ = &options;
    options.onApplied = [this, &options] {
        ListViewResults.redrawAll();
        preview_.setContextLines(options.contextLines());
    };
    options.onHelp = [this] { Contents1Click(); };
    help_.connect(about);
    results_.connect(options, confirm, progress);
    runner_.connect(options);
}

// Acts once: the tip of the day, when the setting asks for it, after the activation is over.
void TFormMain::FormActivate() {
    if (!firstActivation_) return;
    firstActivation_ = false;
    if (endRequested_ || !tip_.showOnStartup()) return;
    ::PostMessageW(hwnd(), kShowTipMessage, 0, 0);
}

void TFormMain::FormDestroy() {
    OutsideRequests::unmarkMainWindow(hwnd());
    // 1. The worker first: no setting is written while it may still run.
    session_.stopAll(std::chrono::seconds(1));
    // A copy that only handed its arguments over leaves the running copy's settings and files alone.
    if (endRequested_) return;
    // 2-3. Recent lists and the tip's option.
    for (const auto& [box, section] : recentBoxes()) SaveRecentList(settings_, section, *box);
    settings_.write(setting::ShowTipOfTheDayOnStartup, tip_.showOnStartup());
    settings_.write(setting::ShowPreviewPane, preview_.shown());
    settings_.write(setting::PreviewPaneHeight, preview_.height());
    // 4. The state, and the normal placement whatever the state, in the screen coordinates it is
    // restored in.
    const bool minimized = ::IsIconic(hwnd()) != FALSE, maximized = ::IsZoomed(hwnd()) != FALSE;
    RECT normal = NormalRectOnScreen(hwnd());
    if (!minimized && !maximized) ::GetWindowRect(hwnd(), &normal);
    // 5-6. Position and crossed size, as the store says now.
    if (settings_.read(setting::RememberWindowPosition)) {
        settings_.write(setting::MainWindowTop, normal.top);
        settings_.write(setting::MainWindowLeft, normal.left);
    }
    if (settings_.read(setting::RememberWindowSize)) {
        settings_.write(setting::MainWindowWidth, normal.bottom - normal.top);
        settings_.write(setting::MainWindowHeight, normal.right - normal.left);
    }
    // 7-9. State, page, columns.
    settings_.write(setting::WindowState, maximized ? StoredMaximized : minimized ? StoredMinimized : StoredNormal);
    settings_.write(setting::ActivePageIndex, PageControlMain.activeIndex());
    const std::array<int, kColumnCount> widths = Results.columnWidths();
    for (int column = 0; column < kColumnCount; ++column)
        settings_.write(setting::ColumnWidth[column], widths[static_cast<std::size_t>(column)]);
    settings_.write(setting::ResultColumns, ShownColumnsText(Results.shownColumns()));
    // 10. The criteria, for the next run.
    if (settings_.read(setting::RememberSearchOptions)) SaveSearchOptions(automaticOptionsFile_);
}

void TFormMain::Exit1Click() { ::PostQuitMessage(0); }

void TFormMain::Castomize1Click() {
    if (options_) interaction_.showModal(*options_, hwnd());
}

void TFormMain::ipoftheday1Click() { tip_.show(interaction_, hwnd()); }

// The texts a search starts with go to the top of their recent lists.
void TFormMain::pushUsedTexts() {
    if (Criteria.Common.CheckBoxAllOrPartOfTheFileName.checked()) PushRecent(Criteria.Common.ComboBoxExAllOrPartOfTheFileName);
    if (!Criteria.Advanced.ComboBoxSkipFolders.text().empty()) PushRecent(Criteria.Advanced.ComboBoxSkipFolders);
    auto& text = Criteria.ContainingText;
    if (!text.CheckBoxContainingTextSpecifyText.checked()) return;
    PushRecent(text.ComboBoxContainingText0);
    for (AdditionalTextControls& row : text.AdditionalText) {
        if (row.CheckBoxAdditionalText.checked()) PushRecent(row.ComboBoxText);
    }
}

}  // namespace findlark
