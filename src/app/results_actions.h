#pragma once
// What the user does with the results: as a list (sorting, opening, selecting, exporting) and with the
// selected items' files (deleting, copying, moving). The file operations run while the window is
// busy; their rows are updated afterwards.
#include "fileops/file_operation.h"
#include "fileops/form_confirm.h"
#include "fileops/form_progress.h"
#include "results/results_list.h"
#include "results/sort_order.h"
#include "search/content_rule.h"
#include "settings/form_options.h"
#include "win/form.h"
#include "win/interaction.h"
#include "win/list_view.h"
#include "win/menu.h"
#include "win/shell_menu.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <cstdint>
#include <utility>
#include <vector>

namespace findlark {

class ResultsActions {
public:
    // `sortItems`: Actions > "Sort Results by" > "Name", "Destination", "Size", "Date Modified".
    ResultsActions(ResultsList& results, win::VirtualListView& list, std::array<win::MenuItem*, 4> sortItems,
                   win::Interaction& interaction, win::Form& owner);
    // The dialogs made after the main window: the preferences read, and the file operations' dialogs.
    void connect(TFormOptions& options, TFormConfirm& confirm, TFormProgress& progress);

    void sortByColumn(int column);
    // Checks the menu's item, then sorts as a click on the column's header does.
    void sortByMenu(int column);
    const SortState& sortState() const { return sortState_; }
    void openFirstSelected();
    void openSelected();
    void selectAll();
    // Writes the rows, in display order, to a file the user picks: full paths, or every column as
    // CSV when the name ends in ".csv".
    void exportList();

    // Ctrl+C: the selected items as files, to paste in Explorer; Ctrl+Shift+C: their full paths as
    // text, one a line.
    void copySelectedFiles();
    void copySelectedPaths();
    // The selected rows dragged out as files; rows whose item a target moved away leave the list.
    void dragSelected();
    // Runs after rows left the list because their items were deleted or moved away.
    std::function<void()> onRowsRemoved;
    // A drag of rows is under way (its loop runs the window's messages).
    bool dragging() const { return dragging_; }

    // The menu of the selected rows at a point of the screen: our own items, then Explorer's for
    // them (its extended verbs too when Shift is held).
    void showContextMenu(POINT at, bool extended);
    // The header's menu: every column with a check mark where it is shown; a choice shows or hides it.
    void showColumnsMenu(POINT at);
    // Messages of that menu while it is open, which Explorer's items draw and fill themselves.
    bool handleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // To the Recycle Bin when Preferences say so, unless `forGood` (Shift+Del).
    void deleteSelected(bool forGood = false);
    void copySelected();
    // Only items that were copied whole are deleted: nothing a move skipped, failed or aborted is lost.
    void moveSelected();
    // Rows whose item is no longer there leave the list.
    void removeVanishedRows();
    // Only these rows (those a shell command or a drag acted on) are looked for on disk.
    void removeVanishedRows(const std::vector<std::int32_t>& among);

    // The size unit of the list, as last applied in Preferences.
    std::pair<int, std::wstring> sizeUnit() const;

    // The phrases of the run that listed the rows, for the export of their matching lines; null for none.
    std::shared_ptr<const ContentRule> runRule;

    // Opens one item with the shell, saying why when it cannot.
    void openItem(const std::wstring& path);

private:
    // Nothing when cancelled.
    std::optional<std::string> matchingLinesOfRows(const ContentRule& rule);
    std::vector<std::wstring> selectedPaths() const;
    std::vector<std::wstring> selectedExactPaths() const;
    // The selected rows as the file operations take them, in display order.
    std::vector<OperationItem> selectedItems() const;
    // The rows in display order as the export writes them: full paths, or every column as CSV.
    std::string textOfRows() const;
    std::string csvOfRows() const;
    // Runs one operation over the selected rows with the preferences as they stand.
    template <typename Run>
    auto runFileOperation(Run run);
    void removeRows(const std::vector<std::int32_t>& rows);

    ResultsList& results_;
    win::VirtualListView& list_;
    std::array<win::MenuItem*, 4> sortItems_;
    win::Interaction& interaction_;
    win::Form& owner_;
    SortState sortState_;
    TFormOptions* options_ = nullptr;
    TFormConfirm* confirm_ = nullptr;
    TFormProgress* progress_ = nullptr;
    win::ShellContextMenu* openShellMenu_ = nullptr;  // while the context menu is open
    bool dragging_ = false;
};

}  // namespace findlark
