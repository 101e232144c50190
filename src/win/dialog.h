#pragma once
// A form shown modally: it ends with a result and hides again, keeping the state of its controls
// between showings. Enter presses the focused push button or else the default button; Escape and the
// close box cancel.
#include "win/controls.h"
#include "win/form.h"

namespace win {

class Dialog : public Form {
public:
    // Starts a showing: no result yet.
    void beginModal();
    // Ends the showing with a result (IDOK, IDCANCEL, ...).
    void endModal(int result);
    bool showing() const { return showing_; }
    int modalResult() const { return result_; }
    // The system's modal loop: the owner disabled, the dialog centred on it, messages pumped until the
    // dialog ends. Gives the result.
    int runModal(HWND owner);

    bool preTranslateMessage(MSG& message) override;

protected:
    Dialog() = default;
    // A showing begins, and one ends with its result.
    virtual void onShowing() {}
    virtual void onEnded(int /*result*/) {}
    void createDialog(std::wstring_view caption, SIZE designClient, HWND owner);
    // The button that Enter presses when the focus is not on a push button, and the one Escape presses.
    void setDefaultButton(Button& button) { defaultButton_ = &button; }
    void setCancelButton(Button& button) { cancelButton_ = &button; }
    // The control that has the focus when a showing begins; an edit box has its text selected.
    void setInitialFocus(Control& control) { initialFocus_ = &control; }
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool showing_ = false;
    bool inModalLoop_ = false;
    int result_ = 0;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    Control* initialFocus_ = nullptr;
};

// Where several controls of a window share the mnemonic `key` (Yes To &All and &Abort), moves the
// focus to the next of them and presses nothing, as the system's dialogs do; false when fewer than
// two share it.
bool FocusAmongSharedMnemonic(HWND window, wchar_t key);

}  // namespace win
