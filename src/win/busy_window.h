#pragma once
// A window at work on something long: it keeps painting but takes no input until the work is done.
// A request to end the program that arrives meanwhile is passed on afterwards.
#include <windows.h>

#include <optional>

namespace win {

class BusyWindow {
public:
    explicit BusyWindow(HWND window);
    ~BusyWindow();
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

    // Handles the messages waiting now.
    void pump();

private:
    HWND window_;
    bool wasEnabled_;
    std::optional<int> quit_;
};

}  // namespace win
