#include "win/busy_window.h"

#include "win/form.h"

namespace win {

BusyWindow::BusyWindow(HWND window) : window_(window), wasEnabled_(window && ::IsWindowEnabled(window)) {
    if (wasEnabled_) ::EnableWindow(window_, FALSE);
}

BusyWindow::~BusyWindow() {
    if (wasEnabled_) ::EnableWindow(window_, TRUE);
    if (quit_) ::PostQuitMessage(*quit_);
}

void BusyWindow::pump() {
    MSG message{};
    while (!quit_ && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = static_cast<int>(message.wParam);
        } else {
            DispatchAppMessage(message);
        }
    }
}

}  // namespace win
