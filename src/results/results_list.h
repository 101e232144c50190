#pragma once
// The results list: an owner-data list view over the rows model. Texts are written when a row is
// shown; the shell's icon of a row is looked up the first time it is shown.
#include "results/result_rows.h"
#include "win/list_view.h"

#include <functional>

namespace findlark {

class ResultsList {
public:
    // `sizeUnit` gives the unit's index and text whenever a size is written.
    void attach(win::VirtualListView& view, std::function<std::pair<int, std::wstring>()> sizeUnit);
    void clear();
    void append(std::vector<FoundRow>&& rows);
    int count() const { return rows_.count(); }
    ResultRows& rows() { return rows_; }

private:
    void GetDispInfo(NMLVDISPINFOW& info);

    win::VirtualListView* view_ = nullptr;
    std::function<std::pair<int, std::wstring>()> sizeUnit_;
    ResultRows rows_;
};

// "Date Modified" text: the short date, a space and the long time; the date alone at midnight.
std::wstring FormatDateText(DateTime local);

}  // namespace findlark
