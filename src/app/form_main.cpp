#include "app/form_main.h"

#include <windowsx.h>

#include "app/menu_ids.h"
#include "win/clipboard.h"
#include "help/help_links.h"
#include "criteria/tab_marks.h"

namespace findlark {
namespace {

constexpr UINT kWaitingRequestsInterval = 200;

// Whether the window belongs to a combo box whose list is dropped down (its Enter is its own).
bool InsideDroppedCombo(HWND hwnd) {
    for (HWND h = hwnd; h; h = ::GetParent(h)) {
        wchar_t className[32] = {};
        ::GetClassNameW(h, className, 32);
        if (::lstrcmpiW(className, WC_COMBOBOXW) == 0 && ::SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0)) return true;
    }
    return false;
}

}  // namespace

TFormMain::TFormMain(MainWindowServices services)
    : interaction_(services.interaction),
      settings_(services.settings),
      instanceEventName_(services.instanceEvent),
      automaticOptionsFile_(std::move(services.automaticOptionsFile)),
      session_([target = wakeTarget_] {
          const HWND window = target->load();
          return window && ::PostMessageW(window, kRunEventsMessage, 0, 0) != FALSE;
      }, std::move(services.launcher)),
      help_(interaction_, *this),
      files_(Criteria, interaction_, *this),
      summary_(Criteria, RichEditSearchInformation, PageControlSearchInformation),
      results_(Results, ListViewResults, {&Name1, &Destination1, &Size1, &DateModified1}, interaction_, *this),
      preview_(RichEditPreview, SplitterPreview, ListViewResults, Results, results_, *this),
      runner_(RunControls{*this, Criteria, PageControlMain, PageControlSearchInformation, BitBtnSearch, BitBtnPause, Search1,
                          Pause1, {&Actions1, &Options1, &Open1, &Save1}, ListViewResults, StatusBar},
              session_, Results, LookIn, summary_, interaction_, [this] { pushUsedTexts(); }),
      outside_(Criteria, PageControlMain, files_, interaction_, *this,
               [this] { ::PostMessageW(hwnd(), kStartSearchMessage, 0, 0); }) {
    createWindow({.caption = L"Findlark 1.0",
                  .designClient = kDesignClient,
                  .minimumWindow = kMinimumWindow,
                  .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                  .menu = buildMenus()});
    *wakeTarget_ = hwnd();
    results_.onRowsRemoved = [this] { runner_.showCounts(); };
    runner_.onStarting = [this](const SearchRequest& request) {
        preview_.setReadOnlineOnly(request.searchOnlineOnlyText);
        preview_.runStarted(request.criteria);
        results_.runRule = preview_.rule();
    };
    FormCreate();
}

TFormMain::~TFormMain() {
    FormDestroy();
    *wakeTarget_ = nullptr;
    destroyWindow();
}

HMENU TFormMain::buildMenus() {
    win::MenuBarBuilder bar;
    auto file = bar.popup(L"&File", &File1);
    Search1 = file.item(L"Search", CommandSearch);
    Pause1 = file.item(L"Pause", CommandPause);
    file.separator();
    Open1 = file.item(L"Load search options ...", CommandLoadOptions);
    Save1 = file.item(L"Save search options ...", CommandSaveOptions);
    file.separator();
    Exit1 = file.item(L"&Exit", CommandExit);

    auto actions = bar.popup(L"&Actions", &Actions1);
    SelectAll1 = actions.item(L"Select All\tCtrl+A", CommandSelectAll);
    actions.separator();
    CopyFiles1 = actions.item(L"&Copy\tCtrl+C", CommandCopyFiles);
    CopyPaths1 = actions.item(L"Copy full &paths\tCtrl+Shift+C", CommandCopyPaths);
    DeleteAll1 = actions.item(L"Delete selected\tDel", CommandDelete);
    Copyselectedto1 = actions.item(L"Copy selected to ...", CommandCopy);
    Moveselectedto1 = actions.item(L"Move selected to ...", CommandMove);
    actions.separator();
    Exportresults1 = actions.item(L"&Export results ...", CommandExport);
    actions.separator();
    auto sort = actions.submenu(L"Sort Results by", &SortResultsby1);
    Name1 = sort.item(L"Name", CommandSortName);
    Destination1 = sort.item(L"Destination", CommandSortFolder);
    Size1 = sort.item(L"Size", CommandSortSize);
    DateModified1 = sort.item(L"Date Modified", CommandSortDate);

    auto options = bar.popup(L"&Options", &Options1);
    Castomize1 = options.item(L"Preferences ...", CommandPreferences);
    ShowPreviewPane1 = options.item(L"Show preview pane", CommandShowPreviewPane);

    auto help = bar.popup(L"&Help", &Help1);
    auto findlarkHelp = help.submenu(L"Findlark Help", &FindlarkHelp1);
    Usinghelp1 = findlarkHelp.item(L"Using Help", CommandUsingHelp);
    Contents1 = findlarkHelp.item(L"Contents", CommandContents);
    auto searchOptions = findlarkHelp.submenu(L"Search Options", &SearchOptions1);
    HelpCommon1 = searchOptions.item(L"Common", CommandHelpCommon);
    HelpAdditionalFolders1 = searchOptions.item(L"Additional Folders", CommandHelpAdditionalFolders);
    HelpDateAndTime1 = searchOptions.item(L"Date And Time", CommandHelpDateAndTime);
    HelpSize1 = searchOptions.item(L"Size", CommandHelpSize);
    HelpAttributes1 = searchOptions.item(L"Attributes", CommandHelpAttributes);
    HelpContainingText1 = searchOptions.item(L"Containing Text", CommandHelpContainingText);
    HelpAdvanced1 = searchOptions.item(L"Advanced", CommandHelpAdvanced);
    HelpSearchOnTheInternet1 = findlarkHelp.item(L"Search On The Internet", CommandHelpSearchOnTheInternet);
    HelpUsingWildcardCharacters1 = findlarkHelp.item(L"Using Wildcard Characters", CommandHelpWildcards);
    ipoftheday1 = help.item(L"Tip of the Day ...", CommandTipOfTheDay);
    help.separator();
    FindlarkontheWeb1 = help.item(L"Findlark on the Web", CommandOnTheWeb);
    ContactingNorvaleSoftware1 = help.item(L"Contacting Norvale Software", CommandContacting);
    help.separator();
    About1 = help.item(L"About Findlark...", CommandAbout);

    Pause1.setEnabled(false);
    Name1.setChecked(true);
    onMenu(Search1.id(), [this] { BitBtnSearchClick(); });
    onMenu(Pause1.id(), [this] { BitBtnPauseClick(); });
    onMenu(Exit1.id(), [this] { Exit1Click(); });
    onMenu(Castomize1.id(), [this] { Castomize1Click(); });
    onMenu(ShowPreviewPane1.id(), [this] { ShowPreviewPane1Click(); });
    onMenu(Open1.id(), [this] { Open1Click(); });
    onMenu(SelectAll1.id(), [this] { SelectAll1Click(); });
    onMenu(DeleteAll1.id(), [this] { DeleteAll1Click(); });
    onMenu(CopyFiles1.id(), [this] { results_.copySelectedFiles(); });
    onMenu(CopyPaths1.id(), [this] { results_.copySelectedPaths(); });
    onMenu(Copyselectedto1.id(), [this] { Copyselectedto1Click(); });
    onMenu(Moveselectedto1.id(), [this] { Moveselectedto1Click(); });
    onMenu(Exportresults1.id(), [this] { Exportresults1Click(); });
    onMenu(Contents1.id(), [this] { Contents1Click(); });
    onMenu(Usinghelp1.id(), [this] { Usinghelp1Click(); });
    onMenu(FindlarkontheWeb1.id(), [this] { FindlarkontheWeb1Click(); });
    onMenu(ContactingNorvaleSoftware1.id(), [this] { ContactingNorvaleSoftware1Click(); });
    onMenu(About1.id(), [this] { About1Click(); });
    const std::pair<win::MenuItem*, unsigned> topics[] = {
        {&HelpCommon1, HelpCommon},       {&HelpAdditionalFolders1, HelpAdditionalFolders},
        {&HelpDateAndTime1, HelpDateAndTime}, {&HelpSize1, HelpSize},
        {&HelpAttributes1, HelpAttributes}, {&HelpContainingText1, HelpContainingText},
        {&HelpAdvanced1, HelpAdvanced},   {&HelpSearchOnTheInternet1, HelpSearchOnTheInternet},
        {&HelpUsingWildcardCharacters1, HelpWildcards}};
    for (const auto& [item, context] : topics) onMenu(item->id(), [this, context = context] { showHelpTopic(context); });
    onMenu(Name1.id(), [this] { Name1Click(); });
    onMenu(Destination1.id(), [this] { Destination1Click(); });
    onMenu(Size1.id(), [this] { Size1Click(); });
    onMenu(DateModified1.id(), [this] { DateModified1Click(); });
    onMenu(Save1.id(), [this] { Save1Click(); });
    onMenu(ipoftheday1.id(), [this] { ipoftheday1Click(); });
    return bar.handle();
}

void TFormMain::createControls() {
    imageListMenu_ = CreateImageListMenu(::GetSystemMetrics(SM_CXSMICON));

    PageControlMain.create(*this, {0, 0, 545, 217}, win::AnchorLeft | win::AnchorTop | win::AnchorRight);
    PageControlMain.setImageList(imageListMenu_.get());
    Criteria.create(PageControlMain, LookIn, interaction_, imageListMenu_.get());
    Internet.create(PageControlMain.addPage(L"Search On The Internet"), interaction_);
    PageControlMain.onChange = [this] { PageControlMainChange(); };
    MarkTabs(PageControlMain);

    BitBtnSearch.create(*this, L"&Search", {544, 32, 75, 25}, win::AnchorTop | win::AnchorRight);
    BitBtnPause.create(*this, L"&Pause", {544, 64, 75, 25}, win::AnchorTop | win::AnchorRight);
    BitBtnHelp.create(*this, L"   &Help    ", {544, 96, 75, 25}, win::AnchorTop | win::AnchorRight);
    BitBtnSearch.onClick = [this] { BitBtnSearchClick(); };
    BitBtnPause.onClick = [this] { BitBtnPauseClick(); };
    BitBtnHelp.onClick = [this] { BitBtnHelpClick(); };
    BitBtnPause.setEnabled(false);

    EditFilter.create(*this, L"", {0, 219, 625, 21}, 0, win::AnchorLeft | win::AnchorTop | win::AnchorRight);
    EditFilter.setCueBanner(L"Filter results");
    EditFilter.onChange = [this] { EditFilterChange(); };
    ListViewResults.create(*this, {0, 242, 625, 127}, win::AnchorLeft | win::AnchorTop | win::AnchorRight | win::AnchorBottom,
                           {{L"Name", 155}, {L"In Folder", 155}, {L"Size", 155}, {L"Date Modified", 155}});
    // The run's own texts stay whole in the first panel, whatever the count; progress takes the rest.
    StatusBar.create(*this, L"Finished. 1,000,000 items found.");
    Results.attach(ListViewResults, [this] { return results_.sizeUnit(); });
    ListViewResults.onColumnClick = [this](int column) { ListViewResultsColumnClick(column); };
    ListViewResults.onDoubleClick = [this] { ListViewResultsDblClick(); };
    ListViewResults.onBeginDrag = [this] { results_.dragSelected(); };
    ListViewResults.onFocusChanged = [this] { preview_.focusChanged(); };
    Results.onPublished = [this] { preview_.rowsShown(); };
    // The pane follows the rows shown: a hidden row's lines go, the first row shown takes the focus.
    Results.onFiltered = [this] {
        runner_.showCounts();
        preview_.rowsShown();
        preview_.focusChanged();
    };
    SplitterPreview.create(*this);
    RichEditPreview.create(*this);

    // The summary panel takes the place of the criteria pages while a search runs.
    PageControlSearchInformation.create(*this, {0, 0, 545, 217}, win::AnchorLeft | win::AnchorTop | win::AnchorRight);
    win::Panel& information = PageControlSearchInformation.addPage(L"Search Information");
    GroupBoxSearchInformation.create(information, L"Search Information", {4, 0, 533, 180});
    LabelNowSearchingFor.create(information, L"Now searching for:", {16, 20, 300, 17});
    RichEditSearchInformation.create(information, {16, 40, 509, 132});
    PageControlSearchInformation.setVisible(false);
}

void TFormMain::ShowPreviewPane1Click() {
    const bool shown = !preview_.shown();
    ShowPreviewPane1.setChecked(shown);
    preview_.setShown(shown);
}

void TFormMain::PageControlMainChange() {
    MarkTabs(PageControlMain);
    BitBtnSearch.setEnabled(PageControlMain.activeIndex() != PageControlMain.count() - 1);
}

void TFormMain::FormKeyDown(WPARAM key) {
    // Enter starts only where the Search button could (not on the web search page).
    if (key == VK_RETURN && searchState() == SearchState::Idle && BitBtnSearch.enabled()) BitBtnSearchClick();
    if (key == VK_ESCAPE && searchState() == SearchState::Running) BitBtnSearchClick();
}

// Esc empties the filter box and goes back to the list, as Enter and Down go there.
bool TFormMain::filterKeyDown(WPARAM key) {
    if (key != VK_ESCAPE && key != VK_RETURN && key != VK_DOWN) return false;
    if (key == VK_ESCAPE) EditFilter.setText(L"");
    ListViewResults.focus();
    return true;
}

// The results list's own keys, as in Explorer: they act on the selected rows.
bool TFormMain::resultsKeyDown(WPARAM key) {
    const bool control = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    if (key == 'C' && control) {
        runMenuCommand((shift ? CopyPaths1 : CopyFiles1).id());
        return true;
    }
    if (key == 'A' && control && !shift) {
        runMenuCommand(SelectAll1.id());
        return true;
    }
    if (key == VK_RETURN && !control) {
        results_.openSelected();  // as in Explorer; a new search starts from elsewhere only
        return true;
    }
    if (key == VK_DELETE && !control && searchState() == SearchState::Idle) {
        if (shift) {
            results_.deleteSelected(true);  // Shift+Del deletes for good, as in Explorer
        } else {
            runMenuCommand(DeleteAll1.id());
        }
        return true;
    }
    return false;
}

// The pane's own keys: Enter opens the file it shows (a new search starts from elsewhere only); Tab
// leaves it, as from any other control, though a rich edit would keep it.
bool TFormMain::previewKeyDown(WPARAM key) {
    if (key == VK_RETURN) {
        preview_.openShown();
        return true;
    }
    if (key == VK_TAB && ::GetKeyState(VK_CONTROL) >= 0) {
        if (const HWND next = ::GetNextDlgTabItem(hwnd(), RichEditPreview.hwnd(), ::GetKeyState(VK_SHIFT) < 0)) ::SetFocus(next);
        return true;
    }
    return false;
}

void TFormMain::takeCommandLine(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) return;
    if (endRequested_) {
        OutsideRequests::handToStartingCopy(hwnd(), arguments, interaction_);
        return;
    }
    outside_.commandLine(arguments);
}

// Idle: no dialog, menu, drag, file operation or search under way, so that nothing from outside
// changes the criteria of a run or the rows an operation works on.
bool TFormMain::idle() const {
    return ::IsWindowEnabled(hwnd()) && menuLoops_ == 0 && !results_.dragging() && searchState() == SearchState::Idle;
}

void TFormMain::takeWaitingRequests() {
    if (waitingRequests_.empty()) {
        ::KillTimer(hwnd(), kWaitingRequestsTimer);
        return;
    }
    if (!idle()) {
        ::SetTimer(hwnd(), kWaitingRequestsTimer, kWaitingRequestsInterval, nullptr);
        return;
    }
    ::KillTimer(hwnd(), kWaitingRequestsTimer);
    while (!waitingRequests_.empty() && idle()) {
        const OutsideRequest request = std::move(waitingRequests_.front());
        waitingRequests_.pop_front();
        if (request.dropped) {
            outside_.dropped(request.arguments);
            continue;
        }
        if (::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
        ::SetForegroundWindow(hwnd());
        outside_.handedOver(request.arguments, request.arrived);
    }
    if (!waitingRequests_.empty()) ::SetTimer(hwnd(), kWaitingRequestsTimer, kWaitingRequestsInterval, nullptr);
}

bool TFormMain::preTranslateMessage(MSG& message) {
    if (message.hwnd == RichEditPreview.hwnd() && message.message == WM_LBUTTONDBLCLK) {
        preview_.openShown();
        return true;
    }
    if (message.message != WM_KEYDOWN || !(message.hwnd == hwnd() || ::IsChild(hwnd(), message.hwnd))) return false;
    if (message.hwnd == ListViewResults.hwnd() && resultsKeyDown(message.wParam)) return true;
    if (message.hwnd == RichEditPreview.hwnd() && previewKeyDown(message.wParam)) return true;
    if (message.hwnd == EditFilter.hwnd() && filterKeyDown(message.wParam)) return true;
    if (message.wParam == 'F' && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) >= 0) {
        EditFilter.focus();
        ::SendMessageW(EditFilter.hwnd(), EM_SETSEL, 0, -1);
        return true;
    }
    const bool inResults = message.hwnd == ListViewResults.hwnd() || message.hwnd == RichEditPreview.hwnd();
    switch (message.wParam) {
    case VK_F3:
        if (!inResults) return false;
        preview_.goToMatch(::GetKeyState(VK_SHIFT) >= 0);
        return true;
    case VK_F1:
        showHelpTopic(message.hwnd == RichEditPreview.hwnd() ? HelpPreview : PageHelpContext(PageControlMain.activeIndex()));
        return true;
    case VK_RETURN:
        // Enter on a push button presses that button, as everywhere in Windows.
        if (win::Control* pressed = win::Control::pressedByEnter(message.hwnd)) {
            pressed->press();
            return true;
        }
        [[fallthrough]];
    case VK_ESCAPE:
        if (InsideDroppedCombo(message.hwnd)) return false;
        FormKeyDown(message.wParam);
        return true;
    case VK_TAB:
        if (::GetKeyState(VK_CONTROL) >= 0 || !PageControlMain.enabled()) return false;
        {
            const int count = PageControlMain.count();
            const int step = ::GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
            PageControlMain.changePage((PageControlMain.activeIndex() + step) % count);
        }
        return true;
    default:
        return false;
    }
}

// The results' menu at the mouse, or for the Menu key and Shift+F10 below the focused row; the
// columns' menu on the header.
void TFormMain::ListViewResultsContextMenu(LPARAM at) {
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    // On the header: the columns to show.
    if (const RECT header = ListViewResults.headerRect(); at != -1 && ::PtInRect(&header, point)) {
        results_.showColumnsMenu(point);
        return;
    }
    if (at == -1) {
        RECT row{};
        const int focused = ListViewResults.focusedRow();
        if (focused < 0 || !ListView_GetItemRect(ListViewResults.hwnd(), focused, &row, LVIR_LABEL)) {
            ::GetClientRect(ListViewResults.hwnd(), &row);
            row.bottom = row.top;
        }
        point = {row.left, row.bottom};
        ::ClientToScreen(ListViewResults.hwnd(), &point);
    }
    results_.showContextMenu(point, ::GetKeyState(VK_SHIFT) < 0);
}

LRESULT TFormMain::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITMENUPOPUP || message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_MENUCHAR) {
        if (LRESULT result = 0; results_.handleMenuMessage(message, wParam, lParam, result)) return result;
    }
    switch (message) {
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) != ListViewResults.hwnd()) return Form::handleMessage(message, wParam, lParam);
        ListViewResultsContextMenu(lParam);
        return 0;
    case WM_SIZE:
    case WM_DPICHANGED: {
        const LRESULT result = Form::handleMessage(message, wParam, lParam);
        preview_.place();
        return result;
    }
    case kRunEventsMessage:
        runner_.drain();
        return 0;
    case WM_TIMER:
        if (wParam == kDrainTimer) {
            runner_.drain();
            Results.publish();
        }
        if (wParam == kWaitingRequestsTimer) takeWaitingRequests();
        return 0;
    case WM_CLOSE:
        Exit1Click();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            focusBeforeDeactivation_ = ::GetFocus();
        } else {
            FormActivate();
        }
        return 0;
    case kShowTipMessage:
        tip_.show(interaction_, hwnd());
        return 0;
    case WM_COPYDATA: {
        // Taken later: a question asked now would keep the other copy waiting for its answer.
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data.dwData != kCommandLineData || endRequested_ || data.cbData > kMaxHandedBytes) return FALSE;
        std::vector<std::wstring> arguments =
            UnpackArguments({static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t)});
        if (!WithinHandOverBounds(arguments)) return FALSE;
        waitingRequests_.push_back({false, std::move(arguments), ::GetTickCount64()});
        ::PostMessageW(hwnd(), kHandedArgumentsMessage, 0, 0);
        return TRUE;
    }
    case kHandedArgumentsMessage:
        takeWaitingRequests();
        return 0;
    case WM_ENTERMENULOOP:
        ++menuLoops_;
        return 0;
    case WM_EXITMENULOOP:
        if (menuLoops_ > 0) --menuLoops_;
        ::PostMessageW(hwnd(), kHandedArgumentsMessage, 0, 0);
        return 0;
    case kStartSearchMessage:
        if (searchState() == SearchState::Idle) BitBtnSearchClick();
        return 0;
    case WM_DROPFILES:
        waitingRequests_.push_back({true, win::TakeDroppedFiles(wParam), ::GetTickCount64()});
        takeWaitingRequests();
        return 0;
    case WM_SETFOCUS:
        ::SetFocus(focusBeforeDeactivation_ && ::IsChild(hwnd(), focusBeforeDeactivation_) ? focusBeforeDeactivation_
                                                                                           : BitBtnSearch.hwnd());
        return 0;
    default:
        return Form::handleMessage(message, wParam, lParam);
    }
}

}  // namespace findlark
