#include "win/busy_window.h"

#include "win/form.h"

namespace win {
namespace {

thread_local BusyWindow* innermost = nullptr;

}  // namespace

BusyWindow::BusyWindow(HWND window)
    : window_(window), wasEnabled_(window && ::IsWindowEnabled(window)), outer_(innermost) {
    if (wasEnabled_) ::EnableWindow(window_, FALSE);
    innermost = this;
}

BusyWindow::~BusyWindow() {
    innermost = outer_;
    if (wasEnabled_) ::EnableWindow(window_, TRUE);
    if (!quit_) return;
    if (outer_ && !outer_->quit_) {
        outer_->quit_ = quit_;
    } else if (!outer_) {
        ::PostQuitMessage(*quit_);
    }
}

void BusyWindow::pump() {
    MSG message{};
    BusyWindow* const busy = innermost;
    while (!(busy && busy->quit_) && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            DispatchAppMessage(message);
        } else if (busy) {
            busy->quit_ = static_cast<int>(message.wParam);
        } else {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
    }
}

}  // namespace win
