#pragma once
// The main window: criteria pages above, results below, run control at the right. The form owns
// its controls, menus and wiring; running a search, acting on the results, option files and help are
// collaborators of its own, which its handlers call.
#include "app/criteria_files.h"
#include "app/help_actions.h"
#include "app/outside_requests.h"
#include "app/preview_actions.h"
#include "app/results_actions.h"
#include "app/search_runner.h"
#include "app/single_instance.h"
#include "criteria/criteria_pages.h"
#include "criteria/look_in_table.h"
#include "help/form_about.h"
#include "help/form_tip.h"
#include "help/help_links.h"
#include "results/preview_pane.h"
#include "results/results_list.h"
#include "search/search_session.h"
#include "settings/form_options.h"
#include "settings/settings_store.h"
#include "web/page_internet.h"
#include "win/controls.h"
#include "win/form.h"
#include "win/interaction.h"
#include "win/list_view.h"
#include "win/menu.h"
#include "win/splitter.h"

#include <atomic>
#include <deque>
#include <utility>
#include <vector>

namespace findlark {

// Posted on behalf of a search worker when it has rows or its end for the window.
inline constexpr UINT kRunEventsMessage = WM_APP + 1;

inline constexpr SIZE kDesignClient{625, 390};
inline constexpr SIZE kMinimumWindow{633, 443};

// Shows the tip of the day after the first activation has run its course.
inline constexpr UINT kShowTipMessage = WM_APP + 2;
// Arguments handed over by another copy, taken once the copy that sent them has its answer.
inline constexpr UINT kHandedArgumentsMessage = WM_APP + 3;
// Looks again, while requests from outside wait, whether the window has become idle.
inline constexpr UINT_PTR kWaitingRequestsTimer = 2;
// "/search" on the command line: the search starts once the window is shown.
inline constexpr UINT kStartSearchMessage = WM_APP + 4;

// What the main window works with. Tests put their own launcher in place and leave the instance
// event out, since one test process makes many main windows.
struct MainWindowServices {
    MainWindowServices(win::Interaction& interaction, SettingsStore& settings, RunLauncher launcher = WorkerLauncher(),
                       const wchar_t* instanceEvent = L"MYPROGRAM_CHECKEXIST", std::wstring automaticOptionsFile = {})
        : interaction(interaction),
          settings(settings),
          launcher(std::move(launcher)),
          instanceEvent(instanceEvent),
          automaticOptionsFile(std::move(automaticOptionsFile)) {}
    win::Interaction& interaction;
    SettingsStore& settings;
    RunLauncher launcher;
    const wchar_t* instanceEvent;
    // The automatic options file; empty for "SearchOptions.ini" beside the executable.
    std::wstring automaticOptionsFile;
};

class TFormMain : public win::Form {
public:
    explicit TFormMain(MainWindowServices services);
    // Runs FormDestroy: the worker ends before any setting is written.
    ~TFormMain() override;
    // The dialogs made after the main window.
    void connect(TFormOptions& options, TFormConfirm& confirm, TFormProgress& progress, TFormAbout& about);
    // Shows the window in the state it was left in (or `showCommand` when that was normal).
    void showInitially(int showCommand);

    bool preTranslateMessage(MSG& message) override;
    // Whether requests from outside may be carried out now, and carrying out those that wait.
    bool idle() const;
    void takeWaitingRequests();
    // The program's arguments: acted on here, or handed to the copy already running when this one
    // is about to end because of it.
    void takeCommandLine(const std::vector<std::wstring>& arguments);

    // Menus, by their designer names.
    win::MenuItem File1, Search1, Pause1, Open1, Save1, Exit1;
    win::MenuItem Actions1, SelectAll1, DeleteAll1, Copyselectedto1, Moveselectedto1, Exportresults1;
    win::MenuItem SortResultsby1, Name1, Destination1, Size1, DateModified1;
    win::MenuItem CopyFiles1, CopyPaths1;
    win::MenuItem Options1, Castomize1, ShowPreviewPane1;
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
    win::Edit EditFilter;
    win::VirtualListView ListViewResults;
    win::Splitter SplitterPreview;
    PreviewPane RichEditPreview;
    win::StatusBar StatusBar;

    LookInTable LookIn;
    ResultsList Results;

    void FormCreate();
    void FormActivate();
    void FormDestroy();
    void BitBtnSearchClick() { runner_.searchOrStop(); }
    void BitBtnPauseClick() { runner_.pauseOrResume(); }
    void PageControlMainChange();
    void FormKeyDown(WPARAM key);
    bool resultsKeyDown(WPARAM key);
    bool previewKeyDown(WPARAM key);
    bool filterKeyDown(WPARAM key);
    // The filter box above the list: only rows holding every typed word are listed.
    void EditFilterChange() { Results.setFilter(EditFilter.text()); }
    // The Search button's state: a run is under way or not.
    SearchState searchState() const { return session_.state(); }
    // The Pause button's state.
    PauseState pauseState() const { return session_.pauseState(); }
    SearchSession& session() { return session_; }
    TipOfTheDay& tipOfTheDay() { return tip_; }
    const std::wstring& helpFile() const { return help_.helpFile(); }
    void Castomize1Click();
    void ipoftheday1Click();
    void Open1Click() { files_.open(); }
    void Save1Click() { files_.save(); }
    // The results as a list.
    void ListViewResultsColumnClick(int listColumn) { results_.sortByColumn(Results.columnAt(listColumn)); }
    void ListViewResultsDblClick() { results_.openFirstSelected(); }
    void ListViewResultsContextMenu(LPARAM at);
    void Name1Click() { results_.sortByMenu(SortByName); }
    void Destination1Click() { results_.sortByMenu(SortByFolder); }
    void Size1Click() { results_.sortByMenu(SortBySize); }
    void DateModified1Click() { results_.sortByMenu(SortByDate); }
    // The preview pane below the list.
    void ShowPreviewPane1Click();
    PreviewActions& preview() { return preview_; }
    void SelectAll1Click() { results_.selectAll(); }
    void Exportresults1Click() { results_.exportList(); }
    // Deleting, copying and moving the selected items.
    void DeleteAll1Click() { results_.deleteSelected(); }
    void Copyselectedto1Click() { results_.copySelected(); }
    void Moveselectedto1Click() { results_.moveSelected(); }
    // Help, the maker's pages and the about box.
    void BitBtnHelpClick() { Contents1Click(); }
    void Contents1Click() { help_.showTopic(HelpContents); }
    void Usinghelp1Click() { help_.showHelpOnHelp(); }
    void showHelpTopic(unsigned context) { help_.showTopic(context); }
    void FindlarkontheWeb1Click() { help_.showProductSite(); }
    void ContactingNorvaleSoftware1Click() { help_.showContacts(); }
    void About1Click() { help_.showAbout(); }
    const SortState& sortState() const { return results_.sortState(); }
    // The criteria to and from an options file; `switchDefault` is true for the automatic file.
    void LoadSearchOptions(const std::wstring& path, bool switchDefault) { files_.load(path, switchDefault); }
    void SaveSearchOptions(const std::wstring& path) { files_.saveTo(path); }
    void ShowSearchSummary() { summary_.show(); }
    const std::wstring& automaticOptionsFile() const { return automaticOptionsFile_; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HMENU buildMenus();
    void createControls();
    void Exit1Click();
    void pushUsedTexts();
    // The six boxes with a recent list and their sections, in the order they are loaded and saved.
    std::vector<std::pair<win::ComboBox*, const wchar_t*>> recentBoxes();

    win::Interaction& interaction_;
    SettingsStore& settings_;
    const wchar_t* instanceEventName_;
    InstanceEvent instanceEvent_;
    TFormOptions* options_ = nullptr;
    TipOfTheDay tip_;
    bool firstActivation_ = true;
    bool endRequested_ = false;  // another copy runs: this one ends as soon as its loop runs
    int initialShow_ = SW_SHOWNORMAL;
    std::wstring automaticOptionsFile_;
    // Where workers ask for a drain; shared with them, so a worker that outlives the window finds it
    // cleared rather than reading a window that is gone.
    std::shared_ptr<std::atomic<HWND>> wakeTarget_ = std::make_shared<std::atomic<HWND>>(nullptr);
    SearchSession session_;
    HelpActions help_;
    CriteriaFiles files_;
    SearchSummary summary_;
    ResultsActions results_;
    PreviewActions preview_;
    SearchRunner runner_;
    OutsideRequests outside_;
    // Requests from outside (another copy's arguments, drops), carried out in order once the window is idle.
    struct OutsideRequest {
        bool dropped = false;
        std::vector<std::wstring> arguments;
        unsigned long long arrived = 0;  // tick count
    };
    std::deque<OutsideRequest> waitingRequests_;
    int menuLoops_ = 0;  // a menu of the window is open
    win::UniqueImageList imageListMenu_;
    HWND focusBeforeDeactivation_ = nullptr;
};

}  // namespace findlark
