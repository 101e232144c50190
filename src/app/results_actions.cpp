#include "app/results_actions.h"

#include "fileops/dialog_prompts.h"
#include "fileops/file_system.h"
#include "results/export_text.h"
#include "win/busy_window.h"
#include "win/clipboard.h"
#include "win/error_text.h"
#include "win/write_all.h"
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

void ResultsActions::copySelectedFiles() {
    std::vector<std::wstring> paths;
    for (const std::int32_t data : results_.selectedData()) {
        const std::wstring path = results_.rows().entryOf(data).fullPath();
        // A name the platform would alter goes in the form that names exactly this item.
        paths.push_back(win::NeedsExactForm(path) ? win::ExtendedLengthPath(path) : path);
    }
    if (paths.empty()) return;
    if (!win::PutFilesOnClipboard(owner_.hwnd(), paths))
        interaction_.messageBox(owner_.hwnd(), L"The items could not be put on the clipboard.", L"Findlark 1.0",
                                MB_OK | MB_ICONWARNING);
}

void ResultsActions::copySelectedPaths() {
    std::wstring text;
    for (const std::int32_t data : results_.selectedData()) {
        if (!text.empty()) text += L"\r\n";
        text += results_.rows().entryOf(data).fullPath();
    }
    if (text.empty()) return;
    if (!win::PutTextOnClipboard(owner_.hwnd(), text))
        interaction_.messageBox(owner_.hwnd(), L"The paths could not be put on the clipboard.", L"Findlark 1.0",
                                MB_OK | MB_ICONWARNING);
}

void ResultsActions::openFirstSelected() {
    const std::vector<std::int32_t> selected = results_.selectedData();
    if (selected.empty()) return;
    const std::wstring path = results_.rows().entryOf(selected.front()).fullPath();
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

void ResultsActions::selectAll() {
    results_.publish();
    list_.selectAll();
}

void ResultsActions::exportList() {
    win::FileDialogRequest request;
    request.filter = L"Text Files, (*.txt)|*.txt|All Files, (*.*)|*.*";
    const std::optional<std::wstring> path = interaction_.saveFileName(owner_.hwnd(), request);
    if (!path) return;
    std::vector<std::wstring> paths;
    for (int row = 0; row < results_.count(); ++row) paths.push_back(results_.rows().entry(row).fullPath());
    const std::string text = ExportText(paths, AnsiBytes);
    const win::UniqueFileHandle file(
        ::CreateFileW(path->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file && win::WriteAll(file.get(), text)) return;
    const DWORD error = ::GetLastError();
    interaction_.messageBox(owner_.hwnd(), L"Cannot create file \"" + *path + L"\". " + win::ErrorText(error), L"Findlark 1.0",
                            MB_OK | MB_ICONERROR);
}

std::vector<OperationItem> ResultsActions::selectedItems() const {
    std::vector<OperationItem> items;
    for (const std::int32_t data : results_.selectedData()) {
        const ResultEntry entry = results_.rows().entryOf(data);
        items.push_back({data, *entry.folder, std::wstring(entry.name), entry.size, entry.modified});
    }
    return items;
}

template <typename Outcome>
Outcome ResultsActions::runFileOperation(Outcome (FileOperation::*run)(const std::vector<OperationItem>&)) {
    const std::vector<OperationItem> items = selectedItems();
    DialogPrompts prompts(interaction_, owner_.hwnd(), *confirm_, [this] { return sizeUnit(); });
    FileOperation operation(prompts, *progress_, {options_ && options_->deleteWithoutPrompting(),
                                                  options_ && options_->overwriteWithoutPrompting()});
    return (operation.*run)(items);
}

// While an operation runs and its rows are updated, the window repaints but takes no command; a
// request to close it waits for the end.
void ResultsActions::deleteSelected() {
    if (!confirm_ || !progress_) return;
    const win::BusyWindow busy(owner_.hwnd());
    const DeleteOutcome outcome = runFileOperation(&FileOperation::deleteItems);
    if (!outcome.confirmed) return;  // No: not even vanished rows go
    removeRows(outcome.removed);
    removeVanishedRows();
}

void ResultsActions::copySelected() {
    if (!confirm_ || !progress_) return;
    const win::BusyWindow busy(owner_.hwnd());
    const CopyOutcome outcome = runFileOperation(&FileOperation::copyItems);
    if (!outcome.aborted) removeVanishedRows();
}

void ResultsActions::moveSelected() {
    if (!confirm_ || !progress_) return;
    const win::BusyWindow busy(owner_.hwnd());
    const MoveOutcome outcome = runFileOperation(&FileOperation::moveItems);
    if (outcome.copy.aborted) return;
    removeRows(outcome.deletion.removed);
    removeVanishedRows();
}

void ResultsActions::removeRows(const std::vector<std::int32_t>& rows) {
    if (rows.empty()) return;
    const std::unordered_set<std::int32_t> removed(rows.begin(), rows.end());
    results_.removeWhere([&](const ResultEntry& entry) { return removed.count(entry.data) != 0; });
}

// Every row's item is looked for on disk: the window keeps painting through a long list.
void ResultsActions::removeVanishedRows() {
    const win::BusyWindow busy(owner_.hwnd());
    std::vector<std::int32_t> vanished;
    const std::deque<std::int32_t>& order = results_.rows().order();
    for (std::size_t row = 0; row < order.size(); ++row) {
        if (row % 256 == 0) win::BusyWindow::pump();
        const std::int32_t data = order[row];
        if (!PathExists(results_.rows().entryOf(data).fullPath())) vanished.push_back(data);
    }
    removeRows(vanished);
}

}  // namespace findlark
