// The results as a list (sorting, opening, selecting, exporting) and the file operations on the
// selected rows (delete, copy, move).
#include "app/form_main.h"

#include "fileops/dialog_prompts.h"
#include "fileops/file_system.h"
#include "results/export_text.h"
#include "win/busy_window.h"
#include "win/error_text.h"
#include "win/long_path.h"

#include <unordered_set>

namespace findlark {
namespace {

std::optional<std::string> AnsiBytes(std::wstring_view text) {
    if (text.empty()) return std::string();
    BOOL lost = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, &lost);
    if (lost || length <= 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                          nullptr, &lost);
    return lost ? std::nullopt : std::optional<std::string>(std::move(bytes));
}

}  // namespace

std::pair<int, std::wstring> TFormMain::sizeUnit() const {
    return options_ ? options_->sizeUnit() : std::pair<int, std::wstring>(0, L"B");
}

void TFormMain::ListViewResultsColumnClick(int column) {
    sortState_.columnClick(column);
    Results.sort(sortState_);
}

// The menu checks its item, then acts as a click on the column's header.
void TFormMain::sortMenuClick(int column) {
    win::MenuItem* const items[] = {&Name1, &Destination1, &Size1, &DateModified1};
    for (int i = 0; i < 4; ++i) items[i]->setChecked(i == column);
    ListViewResultsColumnClick(column);
}

void TFormMain::Name1Click() { sortMenuClick(SortByName); }
void TFormMain::Destination1Click() { sortMenuClick(SortByFolder); }
void TFormMain::Size1Click() { sortMenuClick(SortBySize); }
void TFormMain::DateModified1Click() { sortMenuClick(SortByDate); }

void TFormMain::ListViewResultsDblClick() {
    const std::vector<std::int32_t> selected = Results.selectedData();
    if (selected.empty()) return;
    const std::wstring path = Results.rows().entryOf(selected.front()).fullPath();
    // The shell would open another item, or a device, in its place.
    if (win::NeedsExactForm(path)) {
        interaction_.messageBox(hwnd(),
                                L"\"" + path + L"\" cannot be opened: Windows programs cannot open a name that ends in "
                                L"a dot or a space, or that is a device name such as CON or NUL.",
                                L"Findlark 1.0", MB_OK | MB_ICONWARNING);
        return;
    }
    interaction_.shellOpen(nullptr, path);
}

void TFormMain::SelectAll1Click() {
    Results.publish();
    ListViewResults.selectAll();
}

void TFormMain::Exportresults1Click() {
    win::FileDialogRequest request;
    request.filter = L"Text Files, (*.txt)|*.txt|All Files, (*.*)|*.*";
    const std::optional<std::wstring> path = interaction_.saveFileName(hwnd(), request);
    if (!path) return;
    std::vector<std::wstring> paths;
    for (int row = 0; row < Results.count(); ++row) paths.push_back(Results.rows().entry(row).fullPath());
    const std::string text = ExportText(paths, AnsiBytes);
    const win::UniqueFileHandle file(
        ::CreateFileW(path->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file && ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size())
        return;
    const DWORD error = ::GetLastError();
    interaction_.messageBox(hwnd(), L"Cannot create file \"" + *path + L"\". " + win::ErrorText(error), L"Findlark 1.0",
                            MB_OK | MB_ICONERROR);
}

std::vector<OperationItem> TFormMain::selectedItems() const {
    std::vector<OperationItem> items;
    for (const std::int32_t data : Results.selectedData()) {
        const ResultEntry entry = Results.rows().entryOf(data);
        items.push_back({data, *entry.folder, std::wstring(entry.name), entry.size, entry.modified});
    }
    return items;
}

template <typename Outcome>
Outcome TFormMain::runFileOperation(Outcome (FileOperation::*run)(const std::vector<OperationItem>&)) {
    const std::vector<OperationItem> items = selectedItems();
    DialogPrompts prompts(interaction_, hwnd(), *confirm_, [this] { return sizeUnit(); });
    FileOperation operation(prompts, *progress_, {options_ && options_->deleteWithoutPrompting(),
                                                  options_ && options_->overwriteWithoutPrompting()});
    return (operation.*run)(items);
}

// While an operation runs and its rows are updated, the window repaints but takes no command; a
// request to close it waits for the end.
void TFormMain::DeleteAll1Click() {
    if (!fileOperationsReady()) return;
    const win::BusyWindow busy(hwnd());
    const DeleteOutcome outcome = runFileOperation(&FileOperation::deleteItems);
    if (!outcome.confirmed) return;  // No: not even vanished rows go
    removeRows(outcome.removed);
    RemoveVanishedRows();
}

void TFormMain::Copyselectedto1Click() {
    if (!fileOperationsReady()) return;
    const win::BusyWindow busy(hwnd());
    const CopyOutcome outcome = runFileOperation(&FileOperation::copyItems);
    if (!outcome.aborted) RemoveVanishedRows();
}

// Only items that were copied whole are deleted: nothing a move skipped, failed or aborted is lost.
void TFormMain::Moveselectedto1Click() {
    if (!fileOperationsReady()) return;
    const win::BusyWindow busy(hwnd());
    const MoveOutcome outcome = runFileOperation(&FileOperation::moveItems);
    if (outcome.copy.aborted) return;
    removeRows(outcome.deletion.removed);
    RemoveVanishedRows();
}

void TFormMain::removeRows(const std::vector<std::int32_t>& rows) {
    if (rows.empty()) return;
    const std::unordered_set<std::int32_t> removed(rows.begin(), rows.end());
    Results.removeWhere([&](const ResultEntry& entry) { return removed.count(entry.data) != 0; });
}

// Every row's item is looked for on disk: the window keeps painting through a long list.
void TFormMain::RemoveVanishedRows() {
    const win::BusyWindow busy(hwnd());
    std::vector<std::int32_t> vanished;
    const std::deque<std::int32_t>& order = Results.rows().order();
    for (std::size_t row = 0; row < order.size(); ++row) {
        if (row % 256 == 0) win::BusyWindow::pump();
        const std::int32_t data = order[row];
        if (!PathExists(Results.rows().entryOf(data).fullPath())) vanished.push_back(data);
    }
    removeRows(vanished);
}

}  // namespace findlark
