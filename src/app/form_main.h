#pragma once
// The main window: criteria pages above, results below, run control at the right.
#include "app/single_instance.h"
#include "criteria/criteria_pages.h"
#include "criteria/look_in_table.h"
#include "criteria/validation.h"
#include "fileops/file_operation.h"
#include "fileops/form_confirm.h"
#include "fileops/form_progress.h"
#include "fileops/form_rename.h"
#include "help/form_about.h"
#include "help/form_tip.h"
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

#include <atomic>
#include <utility>
#include <vector>

namespace findlark {

// Posted on behalf of a search worker when it has rows or its end for the window.
inline constexpr UINT kRunEventsMessage = WM_APP + 1;
// While a run is under way this timer drains too, so a lost wake-up never leaves the window waiting.
inline constexpr UINT_PTR kDrainTimer = 1;

inline constexpr SIZE kDesignClient{625, 390};
inline constexpr SIZE kMinimumWindow{633, 443};

// Shows the tip of the day after the first activation has run its course.
inline constexpr UINT kShowTipMessage = WM_APP + 2;

// The texts of the status bar's first part.
enum class SearchStatus { Searching, Finished, Paused };

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

    void FormCreate();
    void FormActivate();
    void FormDestroy();
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
    TipOfTheDay& tipOfTheDay() { return tip_; }
    const std::wstring& helpFile() const { return helpFile_; }
    void Castomize1Click();
    void ipoftheday1Click();
    void Open1Click();
    void Save1Click();
    // The results as a list.
    void ListViewResultsColumnClick(int column);
    void ListViewResultsDblClick();
    void Name1Click();
    void Destination1Click();
    void Size1Click();
    void DateModified1Click();
    void SelectAll1Click();
    void Exportresults1Click();
    // Deleting, copying and moving the selected items.
    void DeleteAll1Click();
    void Copyselectedto1Click();
    void Moveselectedto1Click();
    void RemoveVanishedRows();
    // Help, the maker's pages and the about box.
    void BitBtnHelpClick();
    void Contents1Click();
    void Usinghelp1Click();
    void showHelpTopic(unsigned context);
    void FindlarkontheWeb1Click();
    void ContactingNorvaleSoftware1Click();
    void About1Click();
    const SortState& sortState() const { return sortState_; }
    // The criteria to and from an options file; `switchDefault` is true for the automatic file.
    void LoadSearchOptions(const std::wstring& path, bool switchDefault);
    void SaveSearchOptions(const std::wstring& path);
    void ShowSearchSummary();
    const std::wstring& automaticOptionsFile() const { return automaticOptionsFile_; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HMENU buildMenus();
    void createControls();
    void Exit1Click();
    void StartSearch();
    void StopSearch();
    void DrainRunEvents();
    void ShowFinishedState(const RunProgress& last);
    void setRunningState(bool running);
    void setPauseCaptions(std::wstring_view caption);
    void focusFault(FaultFocus focus);
    void pushUsedTexts();
    void sortMenuClick(int column);
    // The selected rows as the file operations take them, in display order.
    std::vector<OperationItem> selectedItems() const;
    bool fileOperationsReady() const { return confirm_ && progress_; }
    // Runs a file operation on the selected rows while the window takes no other command.
    template <typename Outcome>
    Outcome runFileOperation(Outcome (FileOperation::*run)(const std::vector<OperationItem>&));
    void removeRows(const std::vector<std::int32_t>& rows);
    std::pair<int, std::wstring> sizeUnit() const;
    // The six boxes with a recent list and their sections, in the order they are loaded and saved.
    std::vector<std::pair<win::ComboBox*, const wchar_t*>> recentBoxes();

    win::Interaction& interaction_;
    SettingsStore& settings_;
    const wchar_t* instanceEventName_;
    InstanceEvent instanceEvent_;
    TFormOptions* options_ = nullptr;
    TFormConfirm* confirm_ = nullptr;
    TFormProgress* progress_ = nullptr;
    TFormAbout* about_ = nullptr;
    SortState sortState_;
    TipOfTheDay tip_;
    bool firstActivation_ = true;
    bool endRequested_ = false;  // another copy runs: this one ends as soon as its loop runs
    int initialShow_ = SW_SHOWNORMAL;
    std::wstring helpFile_;
    std::wstring automaticOptionsFile_;
    std::atomic<HWND> wakeTarget_{nullptr};  // where workers ask for a drain; cleared before the window goes
    SearchSession session_;
    std::chrono::steady_clock::time_point progressShownAt_;
    win::UniqueImageList imageListMenu_;
    HWND focusBeforeDeactivation_ = nullptr;
};

}  // namespace findlark
