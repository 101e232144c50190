#include "win/list_view.h"

#include "win/form.h"

#include <algorithm>

namespace win {

void VirtualListView::create(Container& parent, Rect rect, unsigned anchors, const std::vector<ListColumn>& columns) {
    Control::create(parent, WC_LISTVIEWW, L"",
                    LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_TABSTOP | WS_GROUP,
                    WS_EX_CLIENTEDGE, rect, anchors);
    ListView_SetExtendedListViewStyle(hwnd(), LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP | LVS_EX_INFOTIP |
                                                  LVS_EX_HEADERDRAGDROP);
    for (size_t i = 0; i < columns.size(); ++i) insertColumn(static_cast<int>(i), columns[i]);
}

void VirtualListView::insertColumn(int index, const ListColumn& column) {
    std::wstring caption = column.caption;
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    item.fmt = column.format;
    item.cx = parent().form().scale(column.width);
    item.pszText = caption.data();
    ListView_InsertColumn(hwnd(), index, &item);
}

void VirtualListView::replaceColumnsAfterFirst(const std::vector<ListColumn>& columns) {
    // The first column stays: a list view treats it apart and does not let it go.
    while (columnCount() > 1) ListView_DeleteColumn(hwnd(), columnCount() - 1);
    for (size_t i = 0; i < columns.size(); ++i) insertColumn(static_cast<int>(i + 1), columns[i]);
}

int VirtualListView::columnCount() const { return Header_GetItemCount(ListView_GetHeader(hwnd())); }

std::vector<int> VirtualListView::columnOrder() const {
    std::vector<int> order(static_cast<std::size_t>(columnCount()));
    if (!order.empty()) ListView_GetColumnOrderArray(hwnd(), static_cast<int>(order.size()), order.data());
    return order;
}

void VirtualListView::setColumnOrder(const std::vector<int>& order) {
    std::vector<int> copy = order;
    ListView_SetColumnOrderArray(hwnd(), static_cast<int>(copy.size()), copy.data());
    redrawAll();
}

RECT VirtualListView::headerRect() const {
    RECT rect{};
    ::GetWindowRect(ListView_GetHeader(hwnd()), &rect);
    return rect;
}

void VirtualListView::setRowCount(int count) {
    ::SendMessageW(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

int VirtualListView::rowCount() const { return ListView_GetItemCount(hwnd()); }

void VirtualListView::redrawAll() { ::InvalidateRect(hwnd(), nullptr, FALSE); }

int VirtualListView::columnWidth(int column) const {
    return ::MulDiv(ListView_GetColumnWidth(hwnd(), column), 96, static_cast<int>(parent().form().dpi()));
}

void VirtualListView::setColumnWidth(int column, int width) {
    ListView_SetColumnWidth(hwnd(), column, parent().form().scale(width));
}

void VirtualListView::onDpiChanged(UINT oldDpi, UINT newDpi) {
    const int count = Header_GetItemCount(ListView_GetHeader(hwnd()));
    for (int column = 0; column < count; ++column) {
        const int width = ListView_GetColumnWidth(hwnd(), column);
        ListView_SetColumnWidth(hwnd(), column, ::MulDiv(width, static_cast<int>(newDpi), static_cast<int>(oldDpi)));
    }
}

void VirtualListView::setSmallImages(HIMAGELIST images) { ListView_SetImageList(hwnd(), images, LVSIL_SMALL); }

// Each search for the next selected row walks the rows one by one: the count says when to stop.
std::vector<int> VirtualListView::selectedRows() const {
    const auto count = static_cast<std::size_t>(ListView_GetSelectedCount(hwnd()));
    std::vector<int> rows;
    rows.reserve(count);
    for (int row = -1; rows.size() < count && (row = ListView_GetNextItem(hwnd(), row, LVNI_SELECTED)) >= 0;)
        rows.push_back(row);
    return rows;
}

void VirtualListView::setSelected(int row, bool selected) {
    ListView_SetItemState(hwnd(), row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void VirtualListView::selectAll() { ListView_SetItemState(hwnd(), -1, LVIS_SELECTED, LVIS_SELECTED); }

void VirtualListView::clearSelection() { ListView_SetItemState(hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED); }

// Clearing all rows at once costs time in proportion to the list, a few rows one by one do not.
void VirtualListView::clearSelection(const std::vector<int>& selected, int focused) {
    constexpr std::size_t kOneByOne = 4096;
    if (selected.size() > kOneByOne) return clearSelection();
    for (const int row : selected) setSelected(row, false);
    if (focused >= 0) ListView_SetItemState(hwnd(), focused, 0, LVIS_FOCUSED);
}

int VirtualListView::focusedRow() const { return ListView_GetNextItem(hwnd(), -1, LVNI_FOCUSED); }

void VirtualListView::setFocused(int row) { ListView_SetItemState(hwnd(), row, LVIS_FOCUSED, LVIS_FOCUSED); }

void VirtualListView::setSortArrow(int column, bool ascending) {
    const HWND header = ListView_GetHeader(hwnd());
    for (int i = 0; i < Header_GetItemCount(header); ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column) item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
        Header_SetItem(header, i, &item);
    }
}

LRESULT VirtualListView::onNotify(NMHDR& header) {
    switch (header.code) {
    case LVN_GETDISPINFOW:
        if (onGetDispInfo) onGetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
        break;
    case LVN_COLUMNCLICK:
        if (onColumnClick) onColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
        break;
    case NM_DBLCLK:
        if (onDoubleClick) onDoubleClick();
        break;
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_FOCUSED) &&
            (change.uNewState & LVIS_FOCUSED) && onFocusChanged)
            onFocusChanged();
        break;
    }
    case LVN_BEGINDRAG:
        if (onBeginDrag) onBeginDrag();
        break;
    case LVN_GETINFOTIPW:
        if (onInfoTip) {
            auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
            const std::wstring text = onInfoTip(tip.iItem);
            if (tip.pszText && tip.cchTextMax > 0) {
                const auto length = std::min<std::size_t>(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
                text.copy(tip.pszText, length);
                tip.pszText[length] = L'\0';
            }
        }
        break;
    default:
        break;
    }
    return 0;
}

}  // namespace win
