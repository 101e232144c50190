// The results as a list (sorting, opening, selecting, exporting) and the file operations on the
// selected rows (delete, copy, move).
#include "app/form_main.h"

#include "criteria/system_date_time.h"
#include "fileops/file_operations.h"
#include "results/export_text.h"
#include "results/size_text.h"
#include "win/busy_window.h"
#include "win/long_path.h"
#include "win/system_time.h"

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

std::wstring SystemMessage(DWORD error) {
    wchar_t text[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 512, nullptr);
    std::wstring message = text;
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) message.pop_back();
    return message;
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
    interaction_.shellOpen(nullptr, Results.rows().entryOf(selected.front()).fullPath());
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
    interaction_.messageBox(hwnd(), L"Cannot create file \"" + *path + L"\". " + SystemMessage(error), L"Findlark 1.0",
                            MB_OK | MB_ICONERROR);
}

void TFormMain::DeleteAll1Click() { deleteRows(Results.selectedData()); }

void TFormMain::deleteRows(const std::vector<std::int32_t>& rows) {
    if (!(options_ && options_->deleteWithoutPrompting()) &&
        interaction_.messageBox(hwnd(), L"Are you sure you want to delete this item(s)?", L"Confirm Multiple File Delete",
                                MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    {
        win::BusyWindow busy(hwnd());
        for (const std::int32_t data : rows) {
            const std::wstring path = Results.rows().entryOf(data).fullPath();
            if (IsExistingFile(path)) DeleteResultFile(path);
            if (IsExistingFolder(path)) RemoveFolderTree(path, [&busy] { busy.pump(); });
        }
    }
    // A row whose item is still there (a read-only file, a file in use) stays: it was not deleted.
    const std::unordered_set<std::int32_t> deleted(rows.begin(), rows.end());
    Results.removeWhere([&](const ResultEntry& entry) { return deleted.count(entry.data) && !PathExists(entry.fullPath()); });
    RemoveVanishedRows();
}

void TFormMain::RemoveVanishedRows() {
    Results.removeWhere([](const ResultEntry& entry) { return !PathExists(entry.fullPath()); });
}

std::optional<std::vector<std::int32_t>> TFormMain::copySelected() {
    const std::optional<std::wstring> folder =
        interaction_.browseForFolder(hwnd(), L"Choose a directory to copy selected item(s) to.");
    if (!folder) {
        RemoveVanishedRows();
        return std::nullopt;
    }
    const std::wstring destination = folder->back() == L'\\' ? *folder : *folder + L"\\";
    CopyDecisions decisions(options_ && options_->overwriteWithoutPrompting());
    std::vector<std::int32_t> copied;
    const auto [unit, unitText] = sizeUnit();
    for (const std::int32_t data : Results.selectedData()) {
        const ResultEntry entry = Results.rows().entryOf(data);
        const std::wstring target = destination + std::wstring(entry.name);
        CopyDecisions::Step step = PathExists(target) ? decisions.onConflict() : CopyDecisions::Step::Copy;
        if (step == CopyDecisions::Step::Ask && confirm_) {
            WIN32_FIND_DATAW existing{};
            const win::UniqueFindHandle find(::FindFirstFileW(win::PlatformPath(target).c_str(), &existing));
            const FILETIME written = existing.ftLastWriteTime;
            confirm_->fill({*entry.folder, std::wstring(entry.name), destination,
                            FormatSizeText((static_cast<std::int64_t>(existing.nFileSizeHigh) << 32) | existing.nFileSizeLow,
                                           unit, unitText),
                            FormatDateText(FromSystemTime(win::LocalTimeConverter()(written))),
                            FormatSizeText(entry.size, unit, unitText), FormatDateText(entry.modified)});
            interaction_.showModal(*confirm_, hwnd());
            step = decisions.onAnswer(confirm_->answer());
        }
        if (step == CopyDecisions::Step::Stop) return std::nullopt;  // Abort: not even vanished rows go
        if (step == CopyDecisions::Step::Copy && CopyResultItem(entry.fullPath(), target, hwnd())) copied.push_back(data);
    }
    RemoveVanishedRows();
    return copied;
}

void TFormMain::Copyselectedto1Click() { copySelected(); }

// Only items that really were copied under their own names are deleted: nothing a move skipped,
// failed or renamed is ever lost.
void TFormMain::Moveselectedto1Click() {
    const std::optional<std::vector<std::int32_t>> copied = copySelected();
    if (copied && !copied->empty()) deleteRows(*copied);
}

}  // namespace findlark
