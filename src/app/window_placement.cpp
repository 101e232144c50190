#include "app/window_placement.h"

#include <algorithm>

namespace findlark {

RECT WorkspaceToScreen(const RECT& normal, const RECT& monitor, const RECT& workArea) {
    RECT screen = normal;
    ::OffsetRect(&screen, workArea.left - monitor.left, workArea.top - monitor.top);
    return screen;
}

RECT NormalRectOnScreen(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window, &placement);
    if (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return placement.rcNormalPosition;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(::MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONEAREST), &info))
        return placement.rcNormalPosition;
    return WorkspaceToScreen(placement.rcNormalPosition, info.rcMonitor, info.rcWork);
}

RECT KeptInside(const RECT& window, const RECT& workArea) {
    const LONG width = window.right - window.left, height = window.bottom - window.top;
    const LONG left = std::max(workArea.left, std::min(window.left, workArea.right - width));
    const LONG top = std::max(workArea.top, std::min(window.top, workArea.bottom - height));
    return RECT{left, top, left + width, top + height};
}

}  // namespace findlark
