#include "win/splitter.h"

#include <windowsx.h>

namespace win {

void Splitter::create(Container& parent) { Panel::create(parent, {}); }

LRESULT Splitter::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
        return TRUE;
    case WM_LBUTTONDOWN:
        dragging_ = true;
        ::SetCapture(hwnd());
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_ && onDrag) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::MapWindowPoints(hwnd(), ::GetParent(hwnd()), &at, 1);
            onDrag(at.y);
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) ::ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return 0;
    default:
        return Panel::handleMessage(message, wParam, lParam);
    }
}

}  // namespace win
