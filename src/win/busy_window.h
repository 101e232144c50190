#pragma once
// A window at work on something long: it keeps painting but takes no input and no command until the
// work is done. A request to end the program that arrives meanwhile is passed on afterwards.
#include <windows.h>

#include <optional>

namespace win {

class BusyWindow {
public:
    explicit BusyWindow(HWND window);
    ~BusyWindow();
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

    // Handles the messages waiting now; a request to end the program is kept for the outermost busy
    // window's end. Without a busy window, messages are handled as the program's loop would.
    static void pump();

private:
    HWND window_;
    bool wasEnabled_;
    BusyWindow* outer_;
    std::optional<int> quit_;
};

}  // namespace win
