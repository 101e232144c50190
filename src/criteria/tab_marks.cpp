#include "criteria/tab_marks.h"

namespace findlark {
namespace {

// Draws one image: a hollow grey ring for an inactive tab, a filled orange dot for the active one.
void DrawMark(HDC dc, int size, bool active) {
    RECT all{0, 0, size, size};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const COLORREF colour = active ? RGB(230, 120, 20) : RGB(150, 150, 150);
    const win::UniqueGdiObject pen(::CreatePen(PS_SOLID, size / 8 + 1, colour));
    const win::UniqueGdiObject brush(active ? ::CreateSolidBrush(colour) : nullptr);
    const win::SelectedObject penSelected(dc, pen.get());
    const win::SelectedObject brushSelected(dc, active ? brush.get() : ::GetStockObject(NULL_BRUSH));
    const int inset = size / 4;
    ::Ellipse(dc, inset, inset, size - inset, size - inset);
}

}  // namespace

win::UniqueImageList CreateImageListMenu(int size) {
    win::UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 9, 0));
    const win::WindowDc screen(nullptr);
    const win::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    for (int i = 0; i <= kTabImageActive; ++i) {
        const win::UniqueGdiObject bitmap(::CreateCompatibleBitmap(screen.get(), size, size));
        {
            const win::SelectedObject selected(dc.get(), bitmap.get());
            DrawMark(dc.get(), size, i == kTabImageActive);
        }
        ::ImageList_AddMasked(list.get(), static_cast<HBITMAP>(bitmap.get()), RGB(255, 255, 255));
    }
    return list;
}

void MarkTabs(win::PageControl& pages) {
    const int active = pages.activeIndex();
    for (int i = 0; i < pages.count(); ++i) pages.setTabImage(i, i == active ? kTabImageActive : kTabImageInactive);
}

}  // namespace findlark
