#pragma once
// Runs a function on the thread that made this object, when another thread asks for it: through a
// message-only window, so it runs from the program's message loop.
#include <windows.h>

#include <functional>

namespace win {

class UiCallback {
public:
    explicit UiCallback(std::function<void()> callback);
    ~UiCallback();
    UiCallback(const UiCallback&) = delete;
    UiCallback& operator=(const UiCallback&) = delete;

    // The window to post kMessage to, from any thread.
    HWND target() const { return window_; }
    static constexpr UINT kMessage = WM_APP + 40;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::function<void()> callback_;
    HWND window_ = nullptr;
};

}  // namespace win
