#include "app/results_actions.h"

#include "fileops/dialog_prompts.h"
#include "fileops/file_system.h"
#include "results/export_csv.h"
#include "results/export_text.h"
#include "search/preview_reader.h"
#include "win/ansi_text.h"
#include "win/busy_window.h"
#include "win/clipboard.h"
#include "win/error_text.h"
#include "win/write_all.h"
#include "win/long_path.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <unordered_set>

namespace findlark {
namespace {

// The types of the export's save dialog, by their place in its list.
constexpr int kTextType = 1;
constexpr int kMatchingLinesType = 3;

bool IsCsvName(const std::wstring& path) {
    return path.size() >= 4 && ::CompareStringOrdinal(path.c_str() + path.size() - 4, 4, L".csv", 4, TRUE) == CSTR_EQUAL;
}

}  // namespace

ResultsActions::ResultsActions(ResultsList& results, win::VirtualListView& list, std::array<win::MenuItem*, 4> sortItems,
                               win::Interaction& interaction, win::Form& owner)
    : results_(results), list_(list), sortItems_(sortItems), interaction_(interaction), owner_(owner) {}

void ResultsActions::connect(TFormOptions& options, TFormConfirm& confirm, TFormProgress& progress) {
    options_ = &options;
    confirm_ = &confirm;
    progress_ = &progress;
}

std::pair<int, std::wstring> ResultsActions::sizeUnit() const {
    return options_ ? options_->sizeUnit() : std::pair<int, std::wstring>(0, L"B");
}

void ResultsActions::sortByColumn(int column) {
    sortState_.columnClick(column);
    results_.sort(sortState_);
}

void ResultsActions::sortByMenu(int column) {
    for (std::size_t i = 0; i < sortItems_.size(); ++i) sortItems_[i]->setChecked(static_cast<int>(i) == column);
    sortByColumn(column);
}

std::vector<std::wstring> ResultsActions::selectedPaths() const {
    std::vector<std::wstring> paths;
    for (const std::int32_t data : results_.selectedData()) paths.push_back(results_.rows().entryOf(data).fullPath());
    return paths;
}

// A name the platform would alter goes in the form that names exactly this item.
std::vector<std::wstring> ResultsActions::selectedExactPaths() const {
    std::vector<std::wstring> paths = selectedPaths();
    for (std::wstring& path : paths) {
        if (win::NeedsExactForm(path)) path = win::ExtendedLengthPath(path);
    }
    return paths;
}

void ResultsActions::dragSelected() {
    const std::vector<std::wstring> paths = selectedExactPaths();
    if (paths.empty()) return;
    const std::vector<std::int32_t> dragged = results_.selectedData();
    dragging_ = true;
    const DWORD effect = interaction_.dragFiles(paths);
    dragging_ = false;
    if (effect & DROPEFFECT_MOVE) removeVanishedRows(dragged);
}

void ResultsActions::copySelectedFiles() {
    const std::vector<std::wstring> paths = selectedExactPaths();
    if (paths.empty()) return;
    if (!win::PutFilesOnClipboard(owner_.hwnd(), paths))
        interaction_.messageBox(owner_.hwnd(), L"The items could not be put on the clipboard.", L"Findlark 1.0",
                                MB_OK | MB_ICONWARNING);
}

void ResultsActions::copySelectedPaths() {
    std::wstring text;
    for (const std::wstring& path : selectedPaths()) {
        if (!text.empty()) text += L"\r\n";
        text += path;
    }
    if (text.empty()) return;
    if (!win::PutTextOnClipboard(owner_.hwnd(), text))
        interaction_.messageBox(owner_.hwnd(), L"The paths could not be put on the clipboard.", L"Findlark 1.0",
                                MB_OK | MB_ICONWARNING);
}

void ResultsActions::openFirstSelected() {
    const std::vector<std::int32_t> selected = results_.selectedData();
    if (!selected.empty()) openItem(results_.rows().entryOf(selected.front()).fullPath());
}

void ResultsActions::openSelected() {
    for (const std::wstring& path : selectedPaths()) openItem(path);
}

void ResultsActions::openItem(const std::wstring& path) {
    // The shell would open another item, or a device, in its place.
    if (win::NeedsExactForm(path)) {
        interaction_.messageBox(owner_.hwnd(),
                                L"\"" + path + L"\" cannot be opened: Windows programs cannot open a name that ends in "
                                L"a dot or a space, or that is a device name such as CON or NUL.",
                                L"Findlark 1.0", MB_OK | MB_ICONWARNING);
        return;
    }
    const win::ShellOpenOutcome outcome = interaction_.shellOpen(nullptr, path);
    if (outcome.result == win::ShellOpenOutcome::Result::NoAssociation) {
        if (interaction_.messageBox(owner_.hwnd(), L"No program is associated with \"" + path +
                                                       L"\". Do you want to choose the program to open it with?",
                                    L"Findlark 1.0", MB_YESNO | MB_ICONQUESTION) == IDYES)
            interaction_.openWith(owner_.hwnd(), path);
    } else if (outcome.result == win::ShellOpenOutcome::Result::Failed) {
        interaction_.messageBox(owner_.hwnd(), L"\"" + path + L"\" could not be opened: " + win::ErrorText(outcome.error),
                                L"Findlark 1.0", MB_OK | MB_ICONWARNING);
    }
}

namespace {

enum ContextCommand : UINT {
    ContextOpen = 1,
    ContextOpenFolder,
    ContextCopyPath,
    ContextColumnFirst = 0x10,
    ContextShellFirst = 0x100,
    ContextShellLast = 0x7FFF
};

}  // namespace

void ResultsActions::showColumnsMenu(POINT at) {
    const win::UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return;
    std::vector<int> shown = results_.shownColumns();
    for (int column = 0; column < kColumnCount; ++column) {
        const bool on = std::find(shown.begin(), shown.end(), column) != shown.end();
        // "Name" stays: a row needs something to click.
        ::AppendMenuW(menu.get(), MF_STRING | (on ? MF_CHECKED : 0u) | (column == SortByName ? MF_GRAYED : 0u),
                      ContextColumnFirst + static_cast<UINT>(column), kColumnCaptions[column]);
    }
    const UINT command = interaction_.trackPopupMenu(owner_.hwnd(), menu.get(), at);
    if (command <= ContextColumnFirst || command >= ContextColumnFirst + kColumnCount) return;
    const int column = static_cast<int>(command - ContextColumnFirst);
    const auto found = std::find(shown.begin(), shown.end(), column);
    if (found != shown.end()) {
        shown.erase(found);
    } else {
        shown.push_back(column);
    }
    results_.setColumns(shown, results_.columnWidths());
}

void ResultsActions::showContextMenu(POINT at, bool extended) {
    const std::vector<std::wstring> paths = selectedPaths();
    if (paths.empty()) return;
    const win::UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return;
    ::AppendMenuW(menu.get(), MF_STRING, ContextOpen, L"&Open");
    ::SetMenuDefaultItem(menu.get(), ContextOpen, FALSE);
    ::AppendMenuW(menu.get(), MF_STRING, ContextOpenFolder, L"Open containing &folder");
    ::AppendMenuW(menu.get(), MF_STRING, ContextCopyPath, paths.size() == 1 ? L"Copy full &path" : L"Copy full &paths");
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    // Explorer's commands act on items of one folder: a selection across folders says so rather
    // than letting them act on a part of it. Explorer would take a name the platform alters for
    // another item's, so such rows get none of its commands.
    const auto altered = std::find_if(paths.begin(), paths.end(), [](const std::wstring& path) { return win::NeedsExactForm(path); });
    const bool exact = altered != paths.end();
    const std::unique_ptr<win::ShellContextMenu> shell = exact ? nullptr : win::ShellContextMenu::create(owner_.hwnd(), paths);
    if (shell) {
        shell->addTo(menu.get(), ContextShellFirst, ContextShellLast, extended);
    } else {
        // The note names the real reason: a device's name, or a final dot or space.
        const bool device = exact && win::IsReservedDeviceName(std::wstring_view(*altered).substr(altered->find_last_of(L'\\') + 1));
        ::AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 0,
                      device  ? L"Explorer's commands: not for names of devices such as CON or NUL"
                      : exact ? L"Explorer's commands: not for names that end in a dot or a space"
                              : L"Explorer's commands: select items of one folder");
    }
    openShellMenu_ = shell.get();
    const UINT command = interaction_.trackPopupMenu(owner_.hwnd(), menu.get(), at);
    openShellMenu_ = nullptr;
    switch (command) {
    case 0:
        return;
    case ContextOpen:
        openSelected();
        return;
    case ContextOpenFolder:
        interaction_.showInFolders(paths);
        return;
    case ContextCopyPath:
        copySelectedPaths();
        return;
    default:
        if (shell && command >= ContextShellFirst && command <= ContextShellLast) {
            const std::vector<std::int32_t> actedOn = results_.selectedData();
            shell->invoke(owner_.hwnd(), command, ContextShellFirst, at);
            removeVanishedRows(actedOn);  // a shell command may have deleted or moved them
        }
        return;
    }
}

bool ResultsActions::handleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return openShellMenu_ && openShellMenu_->handleMenuMessage(message, wParam, lParam, result);
}

void ResultsActions::selectAll() {
    results_.publish();
    list_.selectAll();
}

void ResultsActions::exportList() {
    int type = kTextType;
    win::FileDialogRequest request;
    request.filter =
        L"Text Files, (*.txt)|*.txt|CSV Files, (*.csv)|*.csv|Matching Lines, (*.txt)|*.txt|All Files, (*.*)|*.*";
    request.defaultExtension = L"txt";  // a name typed bare takes the chosen type's extension
    request.promptOverwrite = true;     // the dialog asks before an existing file is replaced
    request.chosenType = &type;
    const std::optional<std::wstring> path = interaction_.saveFileName(owner_.hwnd(), request);
    if (!path) return;
    std::string text;
    if (type == kMatchingLinesType) {
        if (!runRule) {
            interaction_.messageBox(owner_.hwnd(), L"Matching lines can be exported after a search for text.", L"Findlark 1.0",
                                    MB_OK | MB_ICONINFORMATION);
            return;
        }
        const std::optional<std::string> lines = matchingLinesOfRows(*runRule);
        if (!lines) return;  // cancelled: no file is written
        text = *lines;
    } else {
        text = IsCsvName(*path) ? csvOfRows() : textOfRows();
    }
    const win::UniqueFileHandle file(
        ::CreateFileW(path->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file && win::WriteAll(file.get(), text)) return;
    const DWORD error = ::GetLastError();
    interaction_.messageBox(owner_.hwnd(), L"Cannot create file \"" + *path + L"\". " + win::ErrorText(error), L"Findlark 1.0",
                            MB_OK | MB_ICONERROR);
}

// The files are read on a thread of their own; the window shows the progress and takes Cancel.
std::optional<std::string> ResultsActions::matchingLinesOfRows(const ContentRule& rule) {
    std::vector<std::wstring> files;
    for (int row = 0; row < results_.count(); ++row) {
        const ResultEntry entry = results_.rows().entry(row);
        if (!entry.isFolder()) files.push_back(entry.fullPath());
    }
    const win::BusyWindow busy(owner_.hwnd());
    std::atomic<bool> stop{false}, finished{false};
    std::atomic<std::size_t> done{0};
    std::vector<std::wstring> lines;
    progress_->begin(L"Exporting");
    progress_->addWork(files.size(), 0);
    std::thread reader([&]() noexcept {
        try {
            lines = MatchingLines(files, rule, [&] { return stop.load(); }, [&] { ++done; });
        } catch (...) {
            stop = true;  // out of memory: nothing is written
        }
        finished = true;
    });
    std::size_t shown = 0;
    while (!finished) {
        const std::size_t now = done;
        if (now < files.size()) progress_->working(files[now]);
        progress_->advance(now - shown, 0);
        shown = now;
        if (progress_->cancelled()) stop = true;
        ::Sleep(5);
    }
    reader.join();
    progress_->end();
    if (stop) return std::nullopt;
    return ExportText(lines, win::ExactAnsi);
}

std::string ResultsActions::textOfRows() const {
    std::vector<std::wstring> paths;
    for (int row = 0; row < results_.count(); ++row) paths.push_back(results_.rows().entry(row).fullPath());
    return ExportText(paths, win::ExactAnsi);
}

std::string ResultsActions::csvOfRows() const {
    std::vector<CsvRow> rows;
    for (int row = 0; row < results_.count(); ++row) rows.push_back(results_.csvRow(results_.rows().entry(row)));
    return ExportCsv(rows, results_.shownColumns());
}

std::vector<OperationItem> ResultsActions::selectedItems() const {
    std::vector<OperationItem> items;
    for (const std::int32_t data : results_.selectedData()) {
        const ResultEntry entry = results_.rows().entryOf(data);
        items.push_back({data, *entry.folder, std::wstring(entry.name), entry.size, entry.modified,
                         entry.isFolder() ? ItemKind::Folder : ItemKind::File});
    }
    return items;
}

template <typename Run>
auto ResultsActions::runFileOperation(Run run) {
    const std::vector<OperationItem> items = selectedItems();
    DialogPrompts prompts(interaction_, owner_.hwnd(), *confirm_, [this] { return sizeUnit(); });
    FileOperation operation(prompts, *progress_, {options_ && options_->deleteWithoutPrompting(),
                                                  options_ && options_->overwriteWithoutPrompting(),
                                                  options_ && options_->useRecycleBin(), owner_.hwnd()});
    return run(operation, items);
}

// While an operation runs and its rows are updated, the window repaints but takes no command; a
// request to close it waits for the end.
void ResultsActions::deleteSelected(bool forGood) {
    if (!confirm_ || !progress_) return;
    const win::BusyWindow busy(owner_.hwnd());
    const DeleteOutcome outcome = runFileOperation(
        [forGood](FileOperation& operation, const auto& items) { return operation.deleteItems(items, forGood); });
    if (!outcome.confirmed) return;  // No: not even vanished rows go
    removeRows(outcome.removed);
    removeVanishedRows();
}

void ResultsActions::copySelected() {
    if (!confirm_ || !progress_) return;
    const win::BusyWindow busy(owner_.hwnd());
    const CopyOutcome outcome =
        runFileOperation([](FileOperation& operation, const auto& items) { return operation.copyItems(items); });
    if (!outcome.aborted) removeVanishedRows();
}

void ResultsActions::moveSelected() {
    if (!confirm_ || !progress_) return;
    const win::BusyWindow busy(owner_.hwnd());
    const MoveOutcome outcome =
        runFileOperation([](FileOperation& operation, const auto& items) { return operation.moveItems(items); });
    removeRows(outcome.deletion.removed);  // items renamed before an abort have left too
    if (!outcome.copy.aborted) removeVanishedRows();
}

void ResultsActions::removeRows(const std::vector<std::int32_t>& rows) {
    if (rows.empty()) return;
    const std::unordered_set<std::int32_t> removed(rows.begin(), rows.end());
    results_.removeWhere([&](const ResultEntry& entry) { return removed.count(entry.data) != 0; });
    if (onRowsRemoved) onRowsRemoved();
}

// Every row's item is looked for on disk: the window keeps painting through a long list.
void ResultsActions::removeVanishedRows() {
    const std::deque<std::int32_t>& order = results_.rows().order();
    removeVanishedRows(std::vector<std::int32_t>(order.begin(), order.end()));
}

void ResultsActions::removeVanishedRows(const std::vector<std::int32_t>& among) {
    const win::BusyWindow busy(owner_.hwnd());
    std::vector<std::int32_t> vanished;
    std::vector<std::wstring> goneFolders;
    for (std::size_t row = 0; row < among.size(); ++row) {
        if (row % 256 == 0) win::BusyWindow::pump();
        const ResultEntry entry = results_.rows().entryOf(among[row]);
        if (PathExists(entry.fullPath())) continue;
        vanished.push_back(among[row]);
        if (entry.isFolder()) goneFolders.push_back(entry.fullPath());
    }
    // The rows below a folder that went went with it: told by their paths, without a look at the disk.
    if (!goneFolders.empty()) {
        const std::deque<std::int32_t>& order = results_.rows().order();
        for (const std::int32_t data : order) {
            const std::wstring& folder = *results_.rows().entryOf(data).folder;
            const bool below = std::any_of(goneFolders.begin(), goneFolders.end(), [&](const std::wstring& gone) {
                return folder.size() >= gone.size() && folder.compare(0, gone.size(), gone) == 0 &&
                       (folder.size() == gone.size() || folder[gone.size()] == L'\\');
            });
            if (below) vanished.push_back(data);
        }
    }
    removeRows(vanished);
}

}  // namespace findlark
