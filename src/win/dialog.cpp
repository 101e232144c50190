#include "win/dialog.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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
    if (initialFocus_) {
        ::SetFocus(initialFocus_->hwnd());
        ::SendMessageW(initialFocus_->hwnd(), EM_SETSEL, 0, -1);  // nothing for controls other than edit boxes
    }
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
    if (initialFocus_) ::SetFocus(initialFocus_->hwnd());
    // Keys typed before the dialog appeared were meant for something else: they never press its buttons.
    MSG message{};
    while (::PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    inModalLoop_ = true;
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
    if (message.message == WM_SYSCHAR || message.message == WM_CHAR) {
        // A plain letter is a mnemonic only where the focused control takes no characters.
        const bool mnemonic = message.message == WM_SYSCHAR ||
                              !(::SendMessageW(message.hwnd, WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_HASSETSEL));
        return mnemonic && FocusAmongSharedMnemonic(hwnd(), static_cast<wchar_t>(message.wParam));
    }
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

namespace {

wchar_t FoldedKey(wchar_t key) { return static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(::CharUpperW(reinterpret_cast<LPWSTR>(key)))); }

// The character after the caption's "&" (not "&&"), or 0.
wchar_t MnemonicOf(HWND control) {
    wchar_t caption[256] = {};
    ::GetWindowTextW(control, caption, 256);
    for (const wchar_t* c = caption; *c; ++c) {
        if (*c != L'&') continue;
        if (c[1] != L'&') return c[1] ? FoldedKey(c[1]) : 0;
        ++c;
    }
    return 0;
}

}  // namespace

bool FocusAmongSharedMnemonic(HWND window, wchar_t key) {
    struct Search {
        wchar_t key;
        std::vector<HWND> sharing;
    } search{FoldedKey(key), {}};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            if (::IsWindowVisible(child) && ::IsWindowEnabled(child) && MnemonicOf(child) == search.key)
                search.sharing.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.sharing.size() < 2) return false;
    const auto focused = std::find(search.sharing.begin(), search.sharing.end(), ::GetFocus());
    const HWND next = focused == search.sharing.end() || focused + 1 == search.sharing.end() ? search.sharing.front() : *(focused + 1);
    ::SetFocus(next);
    return true;
}

LRESULT Dialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        endModal(IDCANCEL);
        return 0;
    }
    return Form::handleMessage(message, wParam, lParam);
}

}  // namespace win
