#pragma once
// Where the main window goes: its normal rectangle in screen coordinates, and a rectangle kept within
// reach on its monitor.
#include <windows.h>

namespace findlark {

// The placement gives a window's normal rectangle in workspace coordinates, which start at the corner
// of its monitor's work area: away from the screen's corner when a taskbar is at the top or the left.
RECT WorkspaceToScreen(const RECT& normal, const RECT& monitor, const RECT& workArea);

// The window's normal rectangle (the one it returns to from minimised or maximised) on the screen.
RECT NormalRectOnScreen(HWND window);

// A rectangle moved into a work area: wholly when it fits, otherwise with its top-left corner, and so
// its title bar, inside.
RECT KeptInside(const RECT& window, const RECT& workArea);

}  // namespace findlark
