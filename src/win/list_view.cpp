#include "win/list_view.h"

#include "win/form.h"

namespace win {

void VirtualListView::create(Container& parent, Rect rect, unsigned anchors, const std::vector<ListColumn>& columns) {
    Control::create(parent, WC_LISTVIEWW, L"",
                    LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_TABSTOP | WS_GROUP,
                    WS_EX_CLIENTEDGE, rect, anchors);
    ListView_SetExtendedListViewStyle(hwnd(), LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    Form& form = parent.form();
    for (size_t i = 0; i < columns.size(); ++i) {
        std::wstring caption = columns[i].caption;
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = columns[i].format;
        column.cx = form.scale(columns[i].width);
        column.pszText = caption.data();
        ListView_InsertColumn(hwnd(), static_cast<int>(i), &column);
    }
}

void VirtualListView::setRowCount(int count) {
    ::SendMessageW(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

int VirtualListView::rowCount() const { return ListView_GetItemCount(hwnd()); }

void VirtualListView::redrawAll() { ::InvalidateRect(hwnd(), nullptr, FALSE); }

int VirtualListView::columnWidth(int column) const { return ListView_GetColumnWidth(hwnd(), column); }

void VirtualListView::setColumnWidth(int column, int width) { ListView_SetColumnWidth(hwnd(), column, width); }

void VirtualListView::setSmallImages(HIMAGELIST images) { ListView_SetImageList(hwnd(), images, LVSIL_SMALL); }

LRESULT VirtualListView::onNotify(NMHDR& header) {
    if (header.code == LVN_GETDISPINFOW && onGetDispInfo) onGetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
    return 0;
}

}  // namespace win
