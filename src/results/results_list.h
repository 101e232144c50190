#pragma once
// The results list: an owner-data list view over the rows model. Texts are written when a row is
// shown; icons come from the system image list, chosen by kind and extension.
#include "results/result_rows.h"
#include "results/sort_order.h"
#include "win/list_view.h"

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>

namespace findlark {

class ResultsList {
public:
    // `sizeUnit` gives the unit's index and text whenever a size is written.
    void attach(win::VirtualListView& view, std::function<std::pair<int, std::wstring>()> sizeUnit);
    void clear();
    // Adds rows to the model; the list control learns of them every few tenths of a second, or at
    // once by `publish`.
    void append(const std::vector<RowSlice>& slices);
    void publish();
    int count() const { return rows_.count(); }
    ResultRows& rows() { return rows_; }
    const ResultRows& rows() const { return rows_; }
    // The selected rows' data values, in display order.
    std::vector<std::int32_t> selectedData() const;
    // Takes rows out of the list; the remaining rows keep their values, selection and focus.
    void removeWhere(const std::function<bool(const ResultEntry&)>& remove);
    // Reorders the rows; selection and focus stay with their rows.
    void sort(const SortState& state);
    // The system image list index of a row's small icon.
    int iconOf(const ResultEntry& entry);

private:
    void getDispInfo(NMLVDISPINFOW& info);
    // Runs a change of the rows' order and puts selection and focus back on the same rows.
    void keepingSelection(const std::function<void()>& change);
    bool onRemoteDrive(const std::wstring& folder);

    win::VirtualListView* view_ = nullptr;
    std::function<std::pair<int, std::wstring>()> sizeUnit_;
    ResultRows rows_;
    std::map<std::wstring, int> iconsByType_;
    std::unordered_map<std::int32_t, int> iconsFromFiles_;  // by data value
    std::map<wchar_t, bool> remoteDrives_;
    std::chrono::steady_clock::time_point published_{};
};

}  // namespace findlark
