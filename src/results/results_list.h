#pragma once
// The results list: an owner-data list view over the rows model. Texts are written when a row is
// shown; icons come from the system image list, chosen by kind and extension.
#include "results/background_sort.h"
#include "results/export_csv.h"
#include "results/icon_loader.h"
#include "results/result_columns.h"
#include "results/result_rows.h"
#include "results/row_filter.h"
#include "results/sort_order.h"
#include "win/list_view.h"
#include "win/system_time.h"

#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace findlark {

class ResultsList {
public:
    // `sizeUnit` gives the unit's index and text whenever a size is written; `iconFetch` gives the
    // icon of a file that carries its own, off the UI thread.
    void attach(win::VirtualListView& view, std::function<std::pair<int, std::wstring>()> sizeUnit,
                IconLoader::Fetch iconFetch = systemFileIcon);
    void clear();
    // Adds rows to the model; the list control learns of them every few tenths of a second, or at
    // once by `publish`.
    void append(const std::vector<RowSlice>& slices);
    // The list control learns the row count; `onPublished` runs when it changed.
    void publish();
    std::function<void()> onPublished;
    int count() const { return rows_.count(); }
    ResultRows& rows() { return rows_; }
    const ResultRows& rows() const { return rows_; }
    // The selected rows' data values, in display order.
    std::vector<std::int32_t> selectedData() const;
    // Takes rows out of the list; the remaining rows keep their values, selection and focus.
    void removeWhere(const std::function<bool(const ResultEntry&)>& remove);
    // Reorders the rows; selection and focus stay with their rows. A long list is sorted off the UI
    // thread and reordered when the sort ends; sorts asked for meanwhile follow in the order asked.
    // Rows added during a sort stay after the rows it sorts.
    void sort(const SortState& state);
    // Lists only the rows whose name or folder holds every word of `text`; an empty text lists every
    // kept row. Rows arriving from now on are filtered as they come. A long list is filtered off the
    // UI thread; a newer text gives up the work for an older one.
    void setFilter(std::wstring_view text);
    // The filter box hides rows that do not pass it.
    bool filtered() const { return rows_.filter() != nullptr; }
    // Runs when the filter has changed the rows listed.
    std::function<void()> onFiltered;
    // A sort or a filter is under way or waiting.
    bool sorting() const { return sorter_.busy() || !pending_.empty(); }
    // The columns shown, in their order on screen (column numbers, `SortColumn`; "Name" always
    // among them), and every column's width in design units, shown or not.
    void setColumns(const std::vector<int>& shown, const std::array<int, kColumnCount>& widths);
    std::vector<int> shownColumns() const;
    std::array<int, kColumnCount> columnWidths() const;
    // The column number of a column of the list control, as its clicks name it.
    int columnAt(int listColumn) const;
    // The text a row shows in a column.
    std::wstring columnText(const ResultEntry& entry, int column);
    // A row as the CSV export writes it.
    CsvRow csvRow(const ResultEntry& entry);
    // The shell's type name of a row's kind, from its extension alone (never from the file); any
    // thread may ask.
    std::wstring_view typeName(const ResultEntry& entry);
    // The system image list index of a row's small icon. One that lives in the file is fetched off
    // the UI thread; until it comes, the row shows the icon of its kind.
    int iconOf(const ResultEntry& entry);
    // The system image list index of a file's own small icon (it reads the file).
    static int systemFileIcon(const std::wstring& path);

private:
    void getDispInfo(NMLVDISPINFOW& info);
    int typeIcon(const ResultEntry& entry);
    // Takes the icons fetched since and repaints the rows.
    void deliverIcons();
    // Runs a change of the rows' order and puts selection and focus back on the same rows.
    void keepingSelection(const std::function<void()>& change);
    bool onRemoteDrive(const std::wstring& folder);
    std::vector<std::int32_t> dataOf(const std::vector<int>& rows) const;
    // A change of the rows' order waiting its turn: a sort, or the rows a new filter lets through.
    // While a filter is set a sort orders every kept row, hidden ones too, and lists those that pass.
    struct OrderChange {
        std::optional<SortState> sort;
        std::shared_ptr<const RowFilter> filter;  // for a sort, the one set when it began
        bool narrowing = false;                   // a filter that hides a part of the rows listed
        std::shared_ptr<std::vector<std::int32_t>> sortedAll = std::make_shared<std::vector<std::int32_t>>();
        std::shared_ptr<const PassedRows> known = nullptr;  // what the same words let through before
        std::shared_ptr<PassedRows> learnt = std::make_shared<PassedRows>();
    };
    void startChanges();
    // Ends every change under way or waiting, in order, before the rows change otherwise.
    void finishChanges();
    // Readies a change to begin now: the rows it works on, and its work.
    RowsSnapshot begin(OrderChange& change);
    BackgroundSort::Work workOf(const OrderChange& change);
    // Puts the rows the change worked on in their new order; rows added since stay after them.
    void apply(const OrderChange& change, const std::vector<std::int32_t>& order);

    void showSortArrow();
    // The local time of a UTC file time; 0 for none.
    DateTime localTime(std::uint64_t utc) const;

    win::VirtualListView* view_ = nullptr;
    std::vector<int> listColumns_{SortByName, SortByFolder, SortBySize, SortByDate};  // by list column
    std::array<int, kColumnCount> widths_{};  // of the columns not shown
    std::optional<SortState> arrow_;          // the sort the header shows
    std::mutex typeNamesLock_;
    std::map<std::wstring, std::wstring> typeNames_;  // by extension in capitals; nodes never move
    win::LocalTimeConverter toLocal_;
    std::function<std::pair<int, std::wstring>()> sizeUnit_;
    ResultRows rows_;
    std::map<std::wstring, int> iconsByType_;
    std::unordered_map<std::int32_t, int> iconsFromFiles_;  // by data value; -1 while being fetched
    std::uint32_t generation_ = 0;  // of the rows: answers for an earlier run's rows are dropped
    std::unique_ptr<IconLoader> iconLoader_;
    std::map<wchar_t, bool> remoteDrives_;
    std::chrono::steady_clock::time_point published_{};
    std::deque<OrderChange> pending_;
    OrderChange running_;            // the change the sorter works on
    std::size_t listedAtStart_ = 0;  // rows listed when it began
    FilterMemory filterMemory_;
    PartsPool filterThreads_;  // outlives the sorter's work
    BackgroundSort sorter_{[this] {
        apply(running_, sorter_.take());
        startChanges();
    }};
};

}  // namespace findlark
