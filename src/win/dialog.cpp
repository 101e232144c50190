#include "win/dialog.h"

namespace win {

void Dialog::createDialog(std::wstring_view caption, SIZE designClient, HWND owner) {
    createWindow({.caption = caption,
                  .designClient = designClient,
                  .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                  .exStyle = WS_EX_DLGMODALFRAME,
                  .owner = owner});
}

void Dialog::beginModal() {
    showing_ = true;
    result_ = 0;
    onShowing();
}

void Dialog::endModal(int result) {
    const bool wasShowing = showing_;
    result_ = result;
    showing_ = false;
    // Inside the modal loop the window hides once its owner is enabled again, or the system would
    // hand the activation to another program's window.
    if (!inModalLoop_) ::ShowWindow(hwnd(), SW_HIDE);
    if (wasShowing) onEnded(result);
}

int Dialog::runModal(HWND owner) {
    beginModal();
    centerOn(owner);
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    ::ShowWindow(hwnd(), SW_SHOW);
    inModalLoop_ = true;
    MSG message{};
    while (showing_) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));  // the program ends: leave the loop too
            endModal(IDCANCEL);
            break;
        }
        DispatchAppMessage(message);
    }
    inModalLoop_ = false;
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (owner) ::SetActiveWindow(owner);
    ::ShowWindow(hwnd(), SW_HIDE);
    return result_;
}

bool Dialog::preTranslateMessage(MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.wParam == VK_RETURN) {
        if (win::Control* pressed = win::Control::pressedByEnter(message.hwnd)) {
            pressed->press();
        } else if (defaultButton_) {
            defaultButton_->click();
        }
        return true;
    }
    if (message.wParam == VK_ESCAPE) {
        if (cancelButton_) {
            cancelButton_->click();
        } else {
            endModal(IDCANCEL);
        }
        return true;
    }
    return false;
}

LRESULT Dialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        endModal(IDCANCEL);
        return 0;
    }
    return Form::handleMessage(message, wParam, lParam);
}

}  // namespace win
