#pragma once
// A report-view list view in owner-data mode: it holds no rows, it asks for what it shows.
#include "win/control.h"

#include <functional>
#include <string>
#include <vector>

namespace win {

struct ListColumn {
    std::wstring caption;
    int width = 100;  // design units
    int format = LVCFMT_LEFT;
};

class VirtualListView : public Control {
public:
    void create(Container& parent, Rect rect, unsigned anchors, const std::vector<ListColumn>& columns);
    // Changes the number of rows without scrolling or repainting the rows already shown.
    void setRowCount(int count);
    int rowCount() const;
    void redrawAll();
    // Widths in design units, so that stored widths mean the same at every DPI.
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);
    // Puts `columns` in place of every column but the first.
    void replaceColumnsAfterFirst(const std::vector<ListColumn>& columns);
    int columnCount() const;
    // The columns from left to right as the user sees them (header drags change it).
    std::vector<int> columnOrder() const;
    void setColumnOrder(const std::vector<int>& order);
    // The header's place on the screen.
    RECT headerRect() const;
    void onDpiChanged(UINT oldDpi, UINT newDpi) override;
    void setSmallImages(HIMAGELIST images);

    // Selection and focus by row position.
    std::vector<int> selectedRows() const;
    void setSelected(int row, bool selected);
    void selectAll();
    void clearSelection();
    // The same, knowing which rows are selected and focused now.
    void clearSelection(const std::vector<int>& selected, int focused);
    int focusedRow() const;
    void setFocused(int row);
    // The header's sort arrow on one column, up or down; a column of -1 shows none.
    void setSortArrow(int column, bool ascending);

    std::function<void(NMLVDISPINFOW&)> onGetDispInfo;
    std::function<void(int column)> onColumnClick;
    std::function<void()> onDoubleClick;
    // Another row took the focus (the user's keys or clicks, or the program).
    std::function<void()> onFocusChanged;
    // A drag of the selected rows begins.
    std::function<void()> onBeginDrag;
    // The tip of a row under the mouse: its text, whole.
    std::function<std::wstring(int row)> onInfoTip;
    LRESULT onNotify(NMHDR& header) override;

private:
    void insertColumn(int index, const ListColumn& column);
};

}  // namespace win
